#pragma once
// A virtual X server (Xvfb) of its own for tests and benchmarks that need a real X server:
// started on a free display, ended with the object.

#include <sys/types.h>

#include <string>

namespace morvek::test {

class XvfbServer {
public:
    // Starts Xvfb with one 1280 x 800 screen; Running() tells whether it came up.
    XvfbServer();
    ~XvfbServer();
    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;

    bool Running() const { return !display_.empty(); }
    // ":N", the value for $DISPLAY.
    const std::string& Display() const { return display_; }

private:
    pid_t pid_ = -1;
    std::string display_;
};

}  // namespace morvek::test
