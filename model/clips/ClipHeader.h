#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "items/Records.h"

namespace vantrel {

// The fixed 5800-byte block that opens every clip record. Bytes without a
// name here are kept exactly as read so that files from other versions keep
// whatever they stored there.
class ClipHeader {
public:
    static constexpr std::size_t kSize = 5800;

    static constexpr std::size_t kName = 4;        // 256 bytes, zero-terminated
    static constexpr std::size_t kNameSize = 256;
    static constexpr std::size_t kPath = 260;      // 260 bytes, zero-terminated
    static constexpr std::size_t kPathSize = 260;
    static constexpr std::size_t kPosition = 520;
    static constexpr std::size_t kLength = 524;
    static constexpr std::size_t kStart = 528;
    static constexpr std::size_t kViewSpan = 532;
    static constexpr std::size_t kViewStart = 536;
    static constexpr std::size_t kMakeStart = 540;
    static constexpr std::size_t kMakeEnd = 544;
    static constexpr std::size_t kAudioOpened = 548;  // 10000 once an audio source is open
    static constexpr std::size_t kTrack = 552;
    static constexpr std::size_t kMuteAudio = 556;
    static constexpr std::size_t kMuteVideo = 560;
    static constexpr std::size_t kChildCount = 564;
    static constexpr std::size_t kIsArrangement = 568;
    static constexpr std::size_t kVideoEffectCount = 572;
    static constexpr std::size_t kAudioEffectCount = 576;
    static constexpr std::size_t kAudioEffectTypes = 580;  // 64 int32
    static constexpr std::size_t kVideoEffectTypes = 836;  // 64 int32
    static constexpr std::size_t kEffectSlots = 64;
    static constexpr std::size_t kTimeGrid = 1096;  // 24 bytes
    static constexpr std::size_t kTimeGridSize = 24;
    static constexpr std::size_t kLocators = 1120;  // 8 int32
    static constexpr std::size_t kLocatorCount = 8;
    static constexpr std::size_t kAudioMaster = 1152;
    static constexpr std::size_t kOutputSizeId = 1160;
    static constexpr std::size_t kFrameRateId = 1164;
    static constexpr std::size_t kViewFlag = 1172;
    static constexpr std::size_t kType = 1176;
    // A text clip's words and typeface live in bytes other versions do not
    // name, so their readers pass them through. The flags say which of the
    // two were stored: zero (an older file) reads as the defaults, while a
    // stored empty text stays empty.
    static constexpr std::size_t kTextFlags = 1180;  // int32: 1 words, 2 typeface
    static constexpr std::size_t kWords = 1184;      // 1024 bytes, zero-terminated
    static constexpr std::size_t kWordsSize = 1024;
    static constexpr std::size_t kTypeface = 2208;   // 64 bytes, zero-terminated
    static constexpr std::size_t kTypefaceSize = 64;
    static constexpr std::int32_t kWordsStored = 1, kTypefaceStored = 2;

    ClipHeader() { bytes_.fill(0); }

    std::int32_t Int(std::size_t offset) const { return LoadInt32(bytes_.data() + offset); }
    void SetInt(std::size_t offset, std::int32_t value) { StoreInt32(bytes_.data() + offset, value); }

    std::string Name() const { return Text(kName, kNameSize); }
    void SetName(std::string_view name) { SetText(kName, kNameSize, name); }
    std::string Path() const { return Text(kPath, kPathSize); }
    void SetPath(std::string_view path) { SetText(kPath, kPathSize, path); }

    // Nothing when the header holds none.
    std::optional<std::string> Words() const;
    void SetWords(std::string_view words);
    std::optional<std::string> TypefaceName() const;
    void SetTypefaceName(std::string_view name);

    std::array<std::uint8_t, kSize>& Bytes() { return bytes_; }
    const std::array<std::uint8_t, kSize>& Bytes() const { return bytes_; }
    void Clear() { bytes_.fill(0); }

private:
    std::string Text(std::size_t offset, std::size_t size) const;
    // Cut to size - 1 bytes so that the terminator always fits.
    void SetText(std::size_t offset, std::size_t size, std::string_view text);

    std::array<std::uint8_t, kSize> bytes_;
};

}  // namespace vantrel
