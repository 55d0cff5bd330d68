#include "items/Records.h"

#include "values/Stream.h"

namespace vantrel {

bool ReadRecord(InStream& in, void* record, std::size_t capacity) {
    auto* bytes = static_cast<std::uint8_t*>(record);
    if (capacity < kRecordLengthSize) return false;
    std::memset(bytes, 0, capacity);
    std::uint8_t lengthField[kRecordLengthSize];
    if (!in.ReadExactly(lengthField, sizeof lengthField)) return false;
    const auto length = std::uint32_t(LoadInt32(lengthField));
    if (length > capacity || length < kRecordLengthSize) return false;
    std::memcpy(bytes, lengthField, sizeof lengthField);
    return in.ReadExactly(bytes + kRecordLengthSize, length - kRecordLengthSize);
}

bool WriteRecord(OutStream& out, void* record, std::size_t size) {
    if (size < kRecordLengthSize || size > 0x7fffffff) return false;
    auto* bytes = static_cast<std::uint8_t*>(record);
    StoreInt32(bytes, std::int32_t(size));
    return out.Write(bytes, size);
}

}  // namespace vantrel
