#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace vantrel {

class InStream;
class OutStream;

// Every fixed-size block of a project file starts with its own total length
// as a little-endian int32, the length field included. Older writers stored
// fewer fields, so a shorter record is accepted with a zero tail; a longer
// one belongs to a newer writer and is refused.
constexpr std::size_t kRecordLengthSize = 4;

// Little-endian access to record bytes, independent of the host's order.
inline std::int32_t LoadInt32(const std::uint8_t* p) {
    return std::int32_t(std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
                        std::uint32_t(p[3]) << 24);
}
inline void StoreInt32(std::uint8_t* p, std::int32_t value) {
    const auto v = std::uint32_t(value);
    p[0] = std::uint8_t(v);
    p[1] = std::uint8_t(v >> 8);
    p[2] = std::uint8_t(v >> 16);
    p[3] = std::uint8_t(v >> 24);
}
inline double LoadDouble(const std::uint8_t* p) {
    std::uint64_t bits = 0;
    for (int i = 7; i >= 0; --i) bits = bits << 8 | p[i];
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}
inline void StoreDouble(std::uint8_t* p, double value) {
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    for (int i = 0; i < 8; ++i, bits >>= 8) p[i] = std::uint8_t(bits);
}

// Reads one record into `record` of `capacity` bytes: the whole buffer is
// zeroed, the stored length L is read and kept in the first four bytes, and
// the remaining L - 4 bytes follow. Fails when the length cannot be read,
// when L exceeds the capacity (the stream then stands just after the length
// field), when L is below 4 (no record is that short; trusting it would read
// a negative count), or when the rest is cut short. A capacity below 4 fails.
bool ReadRecord(InStream& in, void* record, std::size_t capacity);

// Writes `size` bytes of `record` with its first four bytes set to `size`.
bool WriteRecord(OutStream& out, void* record, std::size_t size);

template <std::size_t N>
bool ReadRecord(InStream& in, std::array<std::uint8_t, N>& record) {
    return ReadRecord(in, record.data(), N);
}
template <std::size_t N>
bool WriteRecord(OutStream& out, std::array<std::uint8_t, N>& record) {
    return WriteRecord(out, record.data(), N);
}

}  // namespace vantrel
