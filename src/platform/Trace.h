#pragma once
// Diagnostic trace lines on standard error, on when MORVEK_TRACE=1 or when switched on
// by a front end (morvekctl --trace). There are no levels and no log files.

#include <functional>
#include <string>

namespace morvek {

bool TraceEnabled();
void SetTraceEnabled(bool on);

// Writes one line (a newline is added) when tracing is on.
void Trace(const std::string& line);

// Replaces the output of trace lines (tests capture them); an empty function restores stderr.
void SetTraceSink(std::function<void(const std::string&)> sink);

}  // namespace morvek
