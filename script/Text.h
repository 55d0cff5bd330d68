#pragma once
#include "values/TextCompare.h"
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel {

// White space of the word-based texts: space, tab, line feed, vertical tab,
// form feed and carriage return. Nothing else separates words.
constexpr bool IsWordSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix);
bool EndsWithNoCase(std::string_view text, std::string_view suffix);

// Splits at white space into at most maxWords words. The word that takes the
// last permitted slot also takes everything after it (white space included,
// trailing white space of the text excepted). The views point into text.
std::vector<std::string_view> SplitWords(std::string_view text, std::size_t maxWords);

// Joins with single spaces.
std::string JoinWords(const std::string_view* words, std::size_t count);

// Reads a number the way "%f" input does: leading white space skipped, an
// optional sign, digits with an optional decimal point and fraction, an
// optional exponent; whatever follows is ignored. Single precision, like the
// values scripts store. Independent of the user's locale.
std::optional<float> ReadFloat(std::string_view text);
// "%d" input: leading white space, optional sign, digits; the rest ignored.
// A value outside the 32-bit range reads as no number.
std::optional<int> ReadInt(std::string_view text);
// The whole text is a non-zero whole number (no sign, no trailing text),
// optionally after a leading "#" when allowHash is set.
std::optional<int> ReadWholeNumber(std::string_view text, bool allowHash);

// "%f" output in the "C" locale: six digits after the point, never a comma.
std::string FormatFloat(double value);
// "%d" output.
std::string FormatInt(long long value);

// Cuts a text to a fixed buffer's capacity (without its terminating zero).
void LimitLength(std::string& text, std::size_t maxLength);

}  // namespace vantrel
