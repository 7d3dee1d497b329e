#include "platform/Trace.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>

namespace morvek {
namespace {

bool EnvironmentAsksForTrace() {
    const char* value = std::getenv("MORVEK_TRACE");
    return value != nullptr && std::strcmp(value, "1") == 0;
}

std::atomic<bool>& TraceFlag() {
    static std::atomic<bool> flag{EnvironmentAsksForTrace()};
    return flag;
}

std::mutex& SinkMutex() {
    static std::mutex m;
    return m;
}

std::function<void(const std::string&)>& Sink() {
    static std::function<void(const std::string&)> sink;
    return sink;
}

}  // namespace

bool TraceEnabled() { return TraceFlag().load(std::memory_order_relaxed); }

void SetTraceEnabled(bool on) { TraceFlag().store(on, std::memory_order_relaxed); }

void Trace(const std::string& line) {
    if (!TraceEnabled()) return;
    std::lock_guard lock(SinkMutex());
    if (Sink()) {
        Sink()(line);
        return;
    }
    std::fputs(line.c_str(), stderr);
    std::fputc('\n', stderr);
}

void SetTraceSink(std::function<void(const std::string&)> sink) {
    std::lock_guard lock(SinkMutex());
    Sink() = std::move(sink);
}

}  // namespace morvek
