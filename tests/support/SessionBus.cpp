#include "support/SessionBus.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

namespace morvek::test {

SessionBus::SessionBus() {
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) return;
    pid_ = ::fork();
    if (pid_ == 0) {
        // The write end stays open across exec: the daemon writes its address into it.
        const std::string fd = "--print-address=" + std::to_string(::dup(fds[1]));
        const int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, STDOUT_FILENO);
        ::dup2(null, STDERR_FILENO);
        ::execlp("dbus-daemon", "dbus-daemon", "--session", "--nofork", "--nopidfile", fd.c_str(),
                 static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(fds[1]);
    std::string address;
    pollfd readable{fds[0], POLLIN, 0};
    char c = 0;
    while (pid_ > 0 && ::poll(&readable, 1, 20000) == 1 && ::read(fds[0], &c, 1) == 1 && c != '\n') address += c;
    ::close(fds[0]);
    if (!address.empty() && c == '\n') address_ = address;
}

SessionBus::~SessionBus() {
    if (pid_ <= 0) return;
    ::kill(pid_, SIGTERM);
    int status = 0;
    ::waitpid(pid_, &status, 0);
}

}  // namespace morvek::test
