#pragma once
#include <cstdint>
#include <string_view>
#include <vector>

#include "items/Records.h"

namespace vantrel::test {

// Builds records byte by byte, independently of the code that writes them.
using Bytes = std::vector<std::uint8_t>;

inline void PutInt32(Bytes& bytes, std::size_t at, std::int32_t value) {
    if (bytes.size() < at + 4) bytes.resize(at + 4);
    StoreInt32(bytes.data() + at, value);
}

inline void PutDouble(Bytes& bytes, std::size_t at, double value) {
    if (bytes.size() < at + 8) bytes.resize(at + 8);
    StoreDouble(bytes.data() + at, value);
}

inline Bytes TableHeader(std::int32_t count, std::int32_t size = 8) {
    Bytes bytes(8, 0);
    PutInt32(bytes, 0, size);
    PutInt32(bytes, 4, count);
    return bytes;
}

struct StoredVariable {
    std::string_view identifier;
    std::int32_t keyCount = 0;
    double minimum = 0, maximum = 1, initial = 0;
    std::int32_t flags = 0;
    std::int32_t stringId = 0;
    std::int32_t size = 368;  // the size field; the record is cut to it when shorter
};

inline Bytes VariableRecord(const StoredVariable& v) {
    Bytes bytes(368, 0);
    PutInt32(bytes, 0, v.size);
    PutInt32(bytes, 4, v.keyCount);
    PutDouble(bytes, 8, v.minimum);
    PutDouble(bytes, 16, v.maximum);
    PutDouble(bytes, 24, v.initial);
    for (std::size_t i = 0; i < v.identifier.size() && i < 256; ++i) bytes[32 + i] = std::uint8_t(v.identifier[i]);
    PutInt32(bytes, 288, v.flags);
    PutInt32(bytes, 300, v.stringId);
    if (v.size >= 4 && v.size < 368) bytes.resize(std::size_t(v.size));
    return bytes;
}

inline void AppendKey(Bytes& bytes, std::int32_t time, double value) {
    const std::size_t at = bytes.size();
    bytes.resize(at + 16, 0);
    PutInt32(bytes, at, time);
    PutDouble(bytes, at + 8, value);
}

inline void Append(Bytes& to, const Bytes& more) { to.insert(to.end(), more.begin(), more.end()); }

}  // namespace vantrel::test
