#include "emulator/CommandReport.h"

#include "emulator/DeviceInterfaces.h"

namespace morvek::emulator::wire {

uint16_t Checksum(const Report& report) {
    uint32_t sum = 0;
    for (size_t i = kCommand; i < kReportSize; ++i) {
        sum += report[i];
    }
    return static_cast<uint16_t>(sum & 0xFFFF);
}

void StoreChecksum(Report& report) {
    const uint16_t sum = Checksum(report);
    report[kChecksumLow] = static_cast<uint8_t>(sum & 0xFF);
    report[kChecksumHigh] = static_cast<uint8_t>(sum >> 8);
}

uint16_t Offset(const Report& report) {
    return static_cast<uint16_t>(report[kOffsetLow] | (report[kOffsetHigh] << 8));
}

Report AnswerFor(const Report& request, uint8_t status) {
    Report answer{};
    answer[0] = kCommandReportId;
    answer[kCommand] = request[kCommand];
    answer[kLength] = request[kLength];
    answer[kOffsetLow] = request[kOffsetLow];
    answer[kOffsetHigh] = request[kOffsetHigh];
    answer[kStatus] = status;
    return answer;
}

}  // namespace morvek::emulator::wire
