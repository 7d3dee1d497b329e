#pragma once
// Results of channel and device command operations. Device failures are results, never exceptions.

namespace morvek {

constexpr int kResultSuccess = 1;
constexpr int kResultNoAnswer = 0;          // channel not open, or no answer within the time-out
constexpr int kResultWriteFailed = -1;      // the request was not written within the time-out
constexpr int kResultRefused = -2;          // the host refused the request before sending (argument out of range)
constexpr int kResultStatusFF = -102;       // the device answered with status 0xFF
constexpr int kResultStatusFE = -103;       // the device answered with status 0xFE
constexpr int kResultBadTableIndex = -201;  // key-table write with a table index other than 0

}  // namespace morvek
