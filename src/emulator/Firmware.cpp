#include "emulator/Firmware.h"

#include <algorithm>

#include "emulator/FactoryMemory.h"

namespace morvek::emulator {

namespace {

constexpr uint8_t kLinkUp = 0xFF;

// The span [offset, offset + length) of the request, when it lies inside a memory of that size.
bool InRange(const CommandReport& request, size_t memorySize) {
    const size_t length = request[kByteLength];
    return length <= kMaxPayload && wire::Offset(request) + length <= memorySize;
}

}  // namespace

Firmware::Firmware(EmulatedKind kind) : memory_(FactoryMemory(kind)) {}

CommandReport Firmware::ReadFrom(const CommandReport& request, const std::vector<uint8_t>& memory) const {
    if (!InRange(request, memory.size())) {
        return wire::AnswerFor(request, wire::kStatusRefused);
    }
    CommandReport answer = wire::AnswerFor(request, wire::kStatusOk);
    const auto begin = memory.begin() + wire::Offset(request);
    std::copy(begin, begin + request[kByteLength], answer.begin() + kPayloadOffset);
    return answer;
}

CommandReport Firmware::WriteTo(const CommandReport& request, std::vector<uint8_t>& memory) {
    if (!InRange(request, memory.size())) {
        return wire::AnswerFor(request, wire::kStatusRefused);
    }
    const auto payload = request.begin() + kPayloadOffset;
    std::copy(payload, payload + request[kByteLength], memory.begin() + wire::Offset(request));
    return wire::AnswerFor(request, wire::kStatusOk);
}

CommandReport Firmware::WriteTracked(const CommandReport& request, std::vector<uint8_t>& memory,
                                     size_t& highWater) {
    CommandReport answer = WriteTo(request, memory);
    if (answer[kByteStatus] == wire::kStatusOk && request[kByteLength] > 0) {
        highWater = std::max(highWater, size_t{wire::Offset(request)} + request[kByteLength]);
    }
    return answer;
}

CommandReport Firmware::Execute(const CommandReport& request) {
    CommandReport answer;
    const uint16_t sent = static_cast<uint16_t>(request[kByteChecksumLow] | (request[kByteChecksumHigh] << 8));
    if (sent != ReportChecksum(request)) {
        answer = wire::AnswerFor(request, wire::kStatusRefused);
        StoreChecksum(answer);
        return answer;
    }
    switch (request[kByteCommand]) {
    case kCmdBeginConfig:
        configOpen_ = true;
        answer = wire::AnswerFor(request, wire::kStatusOk);
        break;
    case kCmdEndConfig:
        configOpen_ = false;
        answer = wire::AnswerFor(request, wire::kStatusOk);
        break;
    case kCmdEnterSoftwareLight:
        softwareLight_ = true;
        answer = wire::AnswerFor(request, wire::kStatusOk);
        break;
    case kCmdReadDeviceInfo: answer = ReadFrom(request, memory_.deviceInfo); break;
    case kCmdReadParams: answer = ReadFrom(request, memory_.params); break;
    case kCmdWriteParams: answer = WriteTo(request, memory_.params); break;
    case kCmdReadKeyTable: answer = ReadFrom(request, memory_.keyTable); break;
    case kCmdWriteKeyTable: answer = WriteTo(request, memory_.keyTable); break;
    case kCmdReadKeyAttrTable: answer = ReadFrom(request, memory_.keyAttr); break;
    case kCmdWriteLightTable: answer = WriteTo(request, memory_.lightTable); break;
    case kCmdLightFrame:
        ++frames_;
        answer = WriteTo(request, memory_.frame);
        break;
    case kCmdWriteMacroData: answer = WriteTracked(request, memory_.macro, memory_.macroHighWater); break;
    case kCmdWriteMacroDirect: answer = WriteTracked(request, memory_.shoot, memory_.shootHighWater); break;
    case kCmdReadStatus: answer = ReadFrom(request, memory_.status); break;
    case kCmdQueryLink:
        answer = wire::AnswerFor(request, wire::kStatusOk);
        answer[kPayloadOffset] = kLinkUp;
        break;
    default: answer = wire::AnswerFor(request, wire::kStatusRefused); break;
    }
    StoreChecksum(answer);
    return answer;
}

void Firmware::RestoreMemory(const FirmwareMemory& memory) {
    std::vector<uint8_t> info = std::move(memory_.deviceInfo);
    memory_ = memory;
    memory_.deviceInfo = std::move(info);
}

void Firmware::SetPowerStatus(uint8_t batteryPercent, uint8_t chargingState, uint8_t phoneType) {
    memory_.status[0] = batteryPercent;
    memory_.status[1] = chargingState;
    memory_.status[5] = phoneType;
}

void Firmware::PowerCycle() {
    configOpen_ = false;
    softwareLight_ = false;
    std::fill(memory_.frame.begin(), memory_.frame.end(), 0);
}

}  // namespace morvek::emulator
