#include "devicelink/HidCommandReport.h"

#include <algorithm>
#include <cstdio>

namespace morvek {

uint16_t ReportChecksum(const CommandReport& report) {
    uint32_t sum = 0;
    for (size_t i = kByteCommand; i < kReportSize; ++i) sum += report[i];
    return static_cast<uint16_t>(sum & 0xFFFF);
}

void StoreChecksum(CommandReport& report) {
    const uint16_t sum = ReportChecksum(report);
    report[kByteChecksumLow] = static_cast<uint8_t>(sum & 0xFF);
    report[kByteChecksumHigh] = static_cast<uint8_t>(sum >> 8);
}

CommandReport BuildCommandReport(uint8_t command, uint8_t length, uint32_t offset, std::span<const uint8_t> payload) {
    CommandReport r{};
    r[kByteReportId] = kCommandReportId;
    r[kByteCommand] = command;
    r[kByteLength] = length;
    r[kByteOffsetLow] = static_cast<uint8_t>(offset & 0xFF);
    r[kByteOffsetHigh] = static_cast<uint8_t>((offset >> 8) & 0xFF);
    const size_t n = std::min(payload.size(), kMaxPayload);
    std::copy_n(payload.begin(), n, r.begin() + kPayloadOffset);
    StoreChecksum(r);
    return r;
}

std::string FormatTraceLine(const uint8_t* b) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string line;
    line.reserve(32 * 3 + 8);
    for (size_t i = 0; i < 32; ++i) {
        line += kHex[b[i] >> 4];
        line += kHex[b[i] & 0x0F];
        if (i == 31) break;
        if (i % 4 != 3) line += ' ';
        else line += (i < 12) ? "   " : "  ";
    }
    return line;
}

}  // namespace morvek
