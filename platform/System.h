#pragma once
#include <cstdint>
#include <string>

namespace vantrel {

class Surface;

class Clipboard {
public:
    virtual ~Clipboard() = default;
    virtual bool SetImage(const Surface& picture) = 0;
};

class Shell {
public:
    virtual ~Shell() = default;
    // Opens a file or address with the user's default program.
    virtual bool Open(const std::string& pathOrUrl) = 0;
};

class Clock {
public:
    virtual ~Clock() = default;
    virtual std::uint32_t TickCount() = 0;  // milliseconds, wraps
    virtual void Sleep(int ms) = 0;
};

}  // namespace vantrel
