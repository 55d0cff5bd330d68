#include "model/variables/Variable.h"

#include "values/TimeMath.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstring>
#include <new>
#include <utility>
#include <vector>

#include "items/Records.h"
#include "values/Stream.h"
#include "items/StringTable.h"

namespace vantrel {

namespace {

constexpr char FoldCase(char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; }

// Field offsets of the variable record.
constexpr std::size_t kKeyCountAt = 4;
constexpr std::size_t kMinimumAt = 8;
constexpr std::size_t kMaximumAt = 16;
constexpr std::size_t kDefaultAt = 24;
constexpr std::size_t kIdentifierAt = 32;
constexpr std::size_t kFlagsAt = 288;
constexpr std::size_t kReserved1At = 292;
constexpr std::size_t kReserved2At = 296;
constexpr std::size_t kStringIdAt = 300;
constexpr std::size_t kReserved3At = 304;
static_assert(kReserved3At + 8 * sizeof(double) == Variable::kRecordSize);

constexpr std::size_t kMaxCommandWords = 16;

// Splits at white space into at most kMaxCommandWords words; the last word
// takes the rest of the text.
std::vector<std::string_view> SplitWords(std::string_view text) {
    std::vector<std::string_view> words;
    auto isSpace = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; };
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && isSpace(text[i])) ++i;
        if (i == text.size()) break;
        if (words.size() + 1 == kMaxCommandWords) {
            std::size_t end = text.size();
            while (end > i && isSpace(text[end - 1])) --end;
            words.push_back(text.substr(i, end - i));
            break;
        }
        const std::size_t start = i;
        while (i < text.size() && !isSpace(text[i])) ++i;
        words.push_back(text.substr(start, i - start));
    }
    return words;
}

// Reads a number the way "%f" does (a leading number, single precision),
// always in the "C" locale. A NaN is refused: no clamp would ever catch it.
std::optional<double> ParseNumber(std::string_view word) {
    if (!word.empty() && word.front() == '+') word.remove_prefix(1);
    float value = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (error != std::errc{} || end == word.data() || std::isnan(value)) return std::nullopt;
    return double(value);
}

std::int32_t TimeDelta(std::int32_t to, std::int32_t from) { return SaturatingSub(to, from); }

}  // namespace

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (FoldCase(a[i]) != FoldCase(b[i])) return false;
    return true;
}

std::string FormatFixed(double value) {
    char text[400];
    const auto [end, error] = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 6);
    if (error != std::errc{}) return "0.000000";
    return std::string(text, end);
}

Variable::Variable() { block_.recordSize = kRecordSize; }

Variable::~Variable() = default;

void Variable::Define(std::string_view identifier, int stringId, double minimum, double maximum, double initial) {
    block_ = VariableBlock{};
    block_.recordSize = kRecordSize;
    block_.minimum = minimum;
    block_.maximum = maximum;
    block_.initial = initial;
    identifier = identifier.substr(0, VariableBlock::kIdentifierSize - 1);
    std::memcpy(block_.identifier.data(), identifier.data(), identifier.size());
    block_.stringId = stringId;
    declaredId_ = stringId;
    declaredFlags_ = 0;
    identifierText_ = std::string(identifier);
    count_ = 0;
    keysChanged_ = 0;
}

const std::string& Variable::DisplayText() const {
    const std::string& text = Str(declaredId_);
    return text.empty() ? identifierText_ : text;
}

void Variable::SetLook(Colour curve, Colour second, VariableFlags flags) {
    curveColour_ = curve;
    secondColour_ = second;
    block_.flags = std::int32_t(flags);
    declaredFlags_ = flags;
}

std::string_view Variable::Identifier() const {
    return {block_.identifier.data(), strnlen(block_.identifier.data(), block_.identifier.size())};
}

void Variable::SetKeyMark(int index, const Rect& mark, int x, int y) {
    if (index < 0 || index >= count_) return;
    KeyFrame& key = keys_[std::size_t(index)];
    key.mark = mark;
    key.markX = x;
    key.markY = y;
}

KeySearch Variable::FindKey(std::int32_t time) const {
    if (count_ == 0) return {};
    // Halving without a branch on the comparison: reads at scattered times
    // would mispredict every step of an ordinary bisection.
    const std::int32_t* base = times_.get();
    for (std::size_t n = std::size_t(count_); n > 1;) {
        const std::size_t half = n / 2;
        base = base[half] <= time ? base + half : base;
        n -= half;
    }
    if (*base > time) return {0, false};  // before every key
    return {int(base - times_.get()), *base == time};
}

double Variable::Clamp(double value) const {
    if (value > block_.maximum) return block_.maximum;
    if (value < block_.minimum) return block_.minimum;
    return value;
}

double Variable::ValueAt(std::int32_t time) const {
    if (count_ == 0) return Clamp(block_.initial);
    const KeyFrame& first = keys_[0];
    if (count_ == 1 || time < first.time) return Clamp(first.value);
    const KeySearch hit = FindKey(time);
    const KeyFrame& key = keys_[std::size_t(hit.index)];
    if (hit.exact || hit.index == count_ - 1) return Clamp(key.value);
    if (Flags() & kStep) return Clamp(key.value);
    const KeyFrame& next = keys_[std::size_t(hit.index) + 1];
    const double before = double(std::int64_t(next.time) - time);
    const double after = double(std::int64_t(time) - key.time);
    const double span = double(std::int64_t(next.time) - key.time);
    return Clamp((before * key.value + after * next.value) / span);
}

bool Variable::MakeRoom() {
    if (count_ + 2 <= capacity_) return true;
    // Grows by at least the growth step, and by half again for long curves
    // so that a file with very many keys does not copy them over and over.
    const std::int64_t grown = std::int64_t(capacity_) + std::max(kGrowthStep, capacity_ / 2);
    if (grown > INT_MAX / 2) return false;
    std::unique_ptr<KeyFrame[]> keys(new (std::nothrow) KeyFrame[std::size_t(grown)]);
    std::unique_ptr<std::int32_t[]> times(new (std::nothrow) std::int32_t[std::size_t(grown)]);
    if (!keys || !times) return false;
    std::copy(keys_.get(), keys_.get() + count_, keys.get());
    std::copy(times_.get(), times_.get() + count_, times.get());
    keys_ = std::move(keys);
    times_ = std::move(times);
    capacity_ = int(grown);
    return true;
}

void Variable::InsertAt(int index, const KeyFrame& key) {
    KeyFrame* at = keys_.get() + index;
    std::move_backward(at, keys_.get() + count_, keys_.get() + count_ + 1);
    *at = key;
    std::int32_t* time = times_.get() + index;
    std::move_backward(time, times_.get() + count_, times_.get() + count_ + 1);
    *time = key.time;
    ++count_;
}

void Variable::RemoveRange(int first, int last) {
    if (first >= last) return;
    std::move(keys_.get() + last, keys_.get() + count_, keys_.get() + first);
    std::move(times_.get() + last, times_.get() + count_, times_.get() + first);
    count_ -= last - first;
}

void Variable::ChangeValue(KeyFrame& key, double value) {
    if (key.state == kKeyCommitted) {
        key.state = kKeyChanged;
        key.previousValue = key.value;
    }
    key.value = value;
}

int Variable::SetValueAt(std::int32_t time, double value) {
    // A NaN would slip through every clamp and reach the pixel arithmetic.
    if (std::isnan(value) || !MakeRoom()) return 0;
    const KeyFrame added{time, value, value, kKeyAdded};
    if (count_ == 0) {
        keys_[0] = added;
        times_[0] = time;
        count_ = 1;
        keysChanged_ = 1;
        return 1;
    }
    if (Flags() & kSingleValue) {
        ChangeValue(keys_[0], value);
        return 0;
    }
    const KeySearch hit = FindKey(time);
    if (hit.exact) {
        ChangeValue(keys_[std::size_t(hit.index)], value);
        return 1;
    }
    InsertAt(time < keys_[0].time ? 0 : hit.index + 1, added);
    keysChanged_ = 1;
    return 1;
}

bool Variable::HasKeyAt(std::int32_t time) const { return FindKey(time).exact; }

bool Variable::DeleteKeyAt(std::int32_t time) {
    const KeySearch hit = FindKey(time);
    if (!hit.exact) return false;
    RemoveRange(hit.index, hit.index + 1);
    return true;
}

std::optional<std::int32_t> Variable::NextKeyTime(std::int32_t time) const {
    const std::int32_t* begin = times_.get();
    const std::int32_t* end = begin + count_;
    const std::int32_t* later = std::upper_bound(begin, end, time);
    if (later == end) return std::nullopt;
    return *later;
}

std::optional<std::int32_t> Variable::PreviousKeyTime(std::int32_t time) const {
    const std::int32_t* begin = times_.get();
    const std::int32_t* atOrLater = std::lower_bound(begin, begin + count_, time);
    if (atOrLater == begin) return std::nullopt;
    return atOrLater[-1];
}

ResultFlags Variable::DeletePreviousValues(std::int32_t time) {
    const KeySearch hit = FindKey(time);
    if (!hit.exact || hit.index == 0) return FinishInput(0);
    RemoveRange(0, hit.index);
    return FinishInput(kRepaint);
}

ResultFlags Variable::DeleteFollowingValues(std::int32_t time) {
    const KeySearch hit = FindKey(time);
    if (!hit.exact) return FinishInput(0);
    RemoveRange(hit.index + 1, count_);
    return FinishInput(kRepaint);
}

int Variable::ClearKeys() {
    count_ = 0;
    return 1;
}

int Variable::CopyKeysFrom(const Variable& other) {
    if (&other == this) return 1;
    ClearKeys();
    for (const KeyFrame& key : other.Keys()) SetValueAt(key.time, key.value);
    return 1;
}

int Variable::Commit() {
    for (int i = 0; i < count_; ++i) {
        keys_[std::size_t(i)].state = kKeyCommitted;
        keys_[std::size_t(i)].previousValue = keys_[std::size_t(i)].value;
    }
    keysChanged_ = 0;
    return 1;
}

int Variable::Revert() {
    // Changed keys get their committed value back; added keys go. Keys
    // deleted since the commit stay deleted.
    int kept = 0;
    for (int i = 0; i < count_; ++i) {
        KeyFrame key = keys_[std::size_t(i)];
        if (key.state == kKeyAdded) continue;
        if (key.state == kKeyChanged) {
            key.value = key.previousValue;
            key.state = kKeyCommitted;
        }
        times_[std::size_t(kept)] = key.time;
        keys_[std::size_t(kept++)] = key;
    }
    count_ = kept;
    keysChanged_ = 0;
    return 1;
}

int Variable::Save(OutStream& file) {
    std::array<std::uint8_t, kRecordSize> record{};
    std::uint8_t* r = record.data();
    StoreInt32(r + kKeyCountAt, count_);
    StoreDouble(r + kMinimumAt, block_.minimum);
    StoreDouble(r + kMaximumAt, block_.maximum);
    StoreDouble(r + kDefaultAt, block_.initial);
    std::memcpy(r + kIdentifierAt, block_.identifier.data(), block_.identifier.size());
    StoreInt32(r + kFlagsAt, block_.flags);
    StoreInt32(r + kReserved1At, block_.reserved1);
    StoreInt32(r + kReserved2At, block_.reserved2);
    StoreInt32(r + kStringIdAt, block_.stringId);
    for (std::size_t i = 0; i < block_.reserved3.size(); ++i) StoreDouble(r + kReserved3At + 8 * i, block_.reserved3[i]);
    if (!WriteRecord(file, record)) return 0;
    if (count_ == 0) return 1;
    std::vector<std::uint8_t> keys(std::size_t(count_) * kKeyRecordSize, 0);
    for (int i = 0; i < count_; ++i) {
        std::uint8_t* k = keys.data() + std::size_t(i) * kKeyRecordSize;
        StoreInt32(k, keys_[std::size_t(i)].time);
        StoreDouble(k + 8, keys_[std::size_t(i)].value);
    }
    return file.Write(keys.data(), keys.size()) ? 1 : 0;
}

int Variable::Load(InStream& file) {
    ClearKeys();
    std::array<std::uint8_t, kRecordSize> record;
    if (!ReadRecord(file, record)) return 0;
    const std::uint8_t* r = record.data();
    block_.recordSize = LoadInt32(r);
    const std::int32_t stored = LoadInt32(r + kKeyCountAt);
    block_.keyCount = 0;
    block_.minimum = LoadDouble(r + kMinimumAt);
    block_.maximum = LoadDouble(r + kMaximumAt);
    block_.initial = LoadDouble(r + kDefaultAt);
    std::memcpy(block_.identifier.data(), r + kIdentifierAt, block_.identifier.size());
    block_.identifier.back() = 0;  // a name without its terminator ends here
    block_.flags = LoadInt32(r + kFlagsAt);
    block_.reserved1 = LoadInt32(r + kReserved1At);
    block_.reserved2 = LoadInt32(r + kReserved2At);
    block_.stringId = LoadInt32(r + kStringIdAt);
    for (std::size_t i = 0; i < block_.reserved3.size(); ++i) block_.reserved3[i] = LoadDouble(r + kReserved3At + 8 * i);

    // The count is only a promise: keys are taken as they arrive, and the
    // end of the data ends them, so a huge count costs nothing.
    struct StoredKey {
        std::int32_t time;
        double value;
    };
    constexpr std::int32_t kKeysPerRead = 1024;
    std::vector<StoredKey> keys;
    keys.reserve(std::size_t(std::clamp(stored, 0, kKeysPerRead)));
    std::vector<std::uint8_t> chunk;
    for (std::int32_t left = stored; left > 0;) {
        const std::int32_t wanted = std::min(left, kKeysPerRead);
        chunk.resize(std::size_t(wanted) * kKeyRecordSize);
        const std::size_t arrived = file.Read(chunk.data(), chunk.size()) / kKeyRecordSize;
        for (std::size_t i = 0; i < arrived; ++i) {
            const std::uint8_t* k = chunk.data() + i * kKeyRecordSize;
            keys.push_back({LoadInt32(k), LoadDouble(k + 8)});
        }
        if (arrived < std::size_t(wanted)) break;
        left -= wanted;
    }
    // Setting the keys one by one in file order gives the same keys as
    // setting them in time order, last value per time winning; time order
    // makes every insertion an append. A single-value variable keeps the
    // first key's time, so it takes the file order.
    const auto byTime = [](const StoredKey& a, const StoredKey& b) { return a.time < b.time; };
    if (!(Flags() & kSingleValue) && !std::is_sorted(keys.begin(), keys.end(), byTime))
        std::stable_sort(keys.begin(), keys.end(), byTime);
    for (const StoredKey& key : keys) SetValueAt(key.time, key.value);
    Commit();
    return 1;
}

bool Variable::Command(Window* window, int command, ResultFlags& out) {
    if (command != kNextKeyValueCommand && command != kPreviousKeyValueCommand)
        return Control::Command(window, command, out);
    const std::int32_t now = Time();
    const auto key = command == kNextKeyValueCommand ? NextKeyTime(now) : PreviousKeyTime(now);
    if (!key) {
        out = kRelayout;
        return true;
    }
    MoveGlobalTime(TimeDelta(*key, now));
    out = kRepaint;
    return true;
}

bool Variable::RunCommand(const std::string& command, std::string& answer) {
    const std::vector<std::string_view> words = SplitWords(command);
    if (words.size() == 1 && SameName(words[0], "GetValue")) {
        answer = FormatFixed(ValueAt(Time()));
        return true;
    }
    if (words.size() == 2 && SameName(words[0], "SetValue")) {
        const std::string_view argument = words[1];
        const std::int32_t now = Time();
        if (SameName(argument, "Default") || SameName(argument, "dft")) {
            SetValueAt(now, Default());
        } else if (SameName(argument, "Minimum") || SameName(argument, "min")) {
            SetValueAt(now, Minimum());
        } else if (SameName(argument, "Maximum") || SameName(argument, "max")) {
            SetValueAt(now, Maximum());
        } else {
            const std::optional<double> value = ParseNumber(argument);
            if (!value) {
                answer.clear();
                return false;
            }
            answer = FormatFixed(ValueAt(now));
            SetValueAt(now, *value);
        }
        for (Item* item = this; item; item = item->Parent()) item->SetChanged(true);
        return true;
    }
    return Control::RunCommand(command, answer);
}

}  // namespace vantrel
