#include "emulator/CommandReport.h"

namespace morvek::emulator::wire {

uint16_t Offset(const CommandReport& report) {
    return static_cast<uint16_t>(report[kByteOffsetLow] | (report[kByteOffsetHigh] << 8));
}

CommandReport AnswerFor(const CommandReport& request, uint8_t status) {
    CommandReport answer{};
    answer[kByteReportId] = kCommandReportId;
    answer[kByteCommand] = request[kByteCommand];
    answer[kByteLength] = request[kByteLength];
    answer[kByteOffsetLow] = request[kByteOffsetLow];
    answer[kByteOffsetHigh] = request[kByteOffsetHigh];
    answer[kByteStatus] = status;
    return answer;
}

}  // namespace morvek::emulator::wire
