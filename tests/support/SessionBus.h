#pragma once
// A D-Bus session bus of its own for tests (dbus-daemon --session): started with the object,
// ended with it.

#include <sys/types.h>

#include <string>

namespace morvek::test {

class SessionBus {
public:
    SessionBus();
    ~SessionBus();
    SessionBus(const SessionBus&) = delete;
    SessionBus& operator=(const SessionBus&) = delete;

    bool Running() const { return !address_.empty(); }
    // The value for $DBUS_SESSION_BUS_ADDRESS.
    const std::string& Address() const { return address_; }

private:
    pid_t pid_ = -1;
    std::string address_;
};

}  // namespace morvek::test
