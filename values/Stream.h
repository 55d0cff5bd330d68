#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace vantrel {

// What Save and Load are handed: an open file, or memory when a clip is
// copied. Reads answer how many bytes arrived; a short read is the end.
class InStream {
public:
    virtual ~InStream() = default;
    virtual std::size_t Read(void* data, std::size_t size) = 0;
    bool ReadExactly(void* data, std::size_t size) { return Read(data, size) == size; }
};

class OutStream {
public:
    virtual ~OutStream() = default;
    virtual bool Write(const void* data, std::size_t size) = 0;
};

class FileInStream final : public InStream {
public:
    explicit FileInStream(std::FILE* file) : file_(file) {}
    std::size_t Read(void* data, std::size_t size) override;

private:
    std::FILE* file_;
};

class FileOutStream final : public OutStream {
public:
    explicit FileOutStream(std::FILE* file) : file_(file) {}
    bool Write(const void* data, std::size_t size) override;

private:
    std::FILE* file_;
};

class MemoryInStream final : public InStream {
public:
    MemoryInStream(const void* data, std::size_t size)
        : data_(static_cast<const std::uint8_t*>(data)), size_(size) {}
    explicit MemoryInStream(const std::vector<std::uint8_t>& bytes) : MemoryInStream(bytes.data(), bytes.size()) {}
    std::size_t Read(void* data, std::size_t size) override;
    std::size_t Position() const { return position_; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t position_ = 0;
};

class MemoryOutStream final : public OutStream {
public:
    bool Write(const void* data, std::size_t size) override;
    std::vector<std::uint8_t> bytes;
};

}  // namespace vantrel
