#include "script/Text.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace vantrel {

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && EqualsNoCase(text.substr(0, prefix.size()), prefix);
}

bool EndsWithNoCase(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() && EqualsNoCase(text.substr(text.size() - suffix.size()), suffix);
}

std::vector<std::string_view> SplitWords(std::string_view text, std::size_t maxWords) {
    std::vector<std::string_view> words;
    if (maxWords == 0) return words;
    // The first character is never trimmed: a text of white space alone keeps
    // it, and the scan below then finds no word in it.
    std::size_t end = text.size();
    while (end > 1 && IsWordSpace(text[end - 1])) --end;
    std::size_t pos = 0;
    while (pos < end) {
        while (pos < end && IsWordSpace(text[pos])) ++pos;
        if (pos >= end) break;
        if (words.size() + 1 == maxWords) {
            words.push_back(text.substr(pos, end - pos));
            break;
        }
        std::size_t stop = pos;
        while (stop < end && !IsWordSpace(text[stop])) ++stop;
        words.push_back(text.substr(pos, stop - pos));
        pos = stop;
    }
    return words;
}

std::string JoinWords(const std::string_view* words, std::size_t count) {
    std::string joined;
    for (std::size_t i = 0; i < count; ++i) {
        if (i) joined += ' ';
        joined += words[i];
    }
    return joined;
}

namespace {
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
}  // namespace

std::optional<float> ReadFloat(std::string_view text) {
    std::size_t pos = 0;
    while (pos < text.size() && IsWordSpace(text[pos])) ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) negative = text[pos++] == '-';
    const std::size_t start = pos;
    std::size_t digits = 0;
    while (pos < text.size() && IsDigit(text[pos])) ++pos, ++digits;
    if (pos < text.size() && text[pos] == '.') {
        ++pos;
        while (pos < text.size() && IsDigit(text[pos])) ++pos, ++digits;
    }
    if (digits == 0) return std::nullopt;
    // An exponent counts only when digits follow its marker and sign.
    if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
        std::size_t exp = pos + 1;
        if (exp < text.size() && (text[exp] == '+' || text[exp] == '-')) ++exp;
        if (exp < text.size() && IsDigit(text[exp])) {
            while (exp < text.size() && IsDigit(text[exp])) ++exp;
            pos = exp;
        }
    }
    float value = 0;
    const char* first = text.data() + start;
    const auto [ptr, ec] = std::from_chars(first, text.data() + pos, value, std::chars_format::general);
    if (ec == std::errc::result_out_of_range) {
        // Formatted input saturates to infinity and fades to zero or a tiny
        // value; read wider and narrow by hand to get the same.
        double wide = 0;
        const auto widened = std::from_chars(first, text.data() + pos, wide, std::chars_format::general);
        if (widened.ec == std::errc()) {
            value = std::fabs(wide) > std::numeric_limits<float>::max() ? std::numeric_limits<float>::infinity()
                                                                          : float(wide);
        } else {
            const std::string_view number = text.substr(start, pos - start);
            const std::size_t marker = number.find_first_of("eE");
            const bool negativeExponent = marker != std::string_view::npos && marker + 1 < number.size() &&
                                          number[marker + 1] == '-';
            const std::string_view mantissa = number.substr(0, marker);
            const bool wholePart = mantissa.find_first_of("123456789") < mantissa.find('.');
            value = !negativeExponent && wholePart ? std::numeric_limits<float>::infinity() : 0.0f;
        }
    } else if (ec != std::errc() || ptr != text.data() + pos) {
        return std::nullopt;
    }
    return negative ? -value : value;
}

std::optional<int> ReadInt(std::string_view text) {
    std::size_t pos = 0;
    while (pos < text.size() && IsWordSpace(text[pos])) ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) negative = text[pos++] == '-';
    long long value = 0;
    std::size_t digits = 0;
    while (pos < text.size() && IsDigit(text[pos])) {
        value = value * 10 + (text[pos++] - '0');
        if (value > 2147483648LL) return std::nullopt;
        ++digits;
    }
    if (digits == 0) return std::nullopt;
    if (negative) value = -value;
    if (value > std::numeric_limits<int>::max() || value < std::numeric_limits<int>::min()) return std::nullopt;
    return int(value);
}

std::optional<int> ReadWholeNumber(std::string_view text, bool allowHash) {
    if (allowHash && !text.empty() && text.front() == '#') text.remove_prefix(1);
    if (text.empty()) return std::nullopt;
    long long value = 0;
    for (char c : text) {
        if (!IsDigit(c)) return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > std::numeric_limits<int>::max()) return std::nullopt;
    }
    if (value == 0) return std::nullopt;
    return int(value);
}

std::string FormatFloat(double value) {
    // Large enough for the biggest double written out in full.
    char buffer[400];
    const auto [ptr, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 6);
    if (ec != std::errc()) return "0.000000";
    return std::string(buffer, ptr);
}

std::string FormatInt(long long value) {
    char buffer[24];
    const auto [ptr, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    (void)ec;
    return std::string(buffer, ptr);
}

void LimitLength(std::string& text, std::size_t maxLength) {
    if (text.size() > maxLength) text.resize(maxLength);
}

}  // namespace vantrel
