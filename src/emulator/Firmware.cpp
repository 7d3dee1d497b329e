#include "emulator/Firmware.h"

#include <algorithm>

#include "emulator/FactoryMemory.h"

namespace morvek::emulator {

namespace {

constexpr uint8_t kLinkUp = 0xFF;

// The span [offset, offset + length) of the request, when it lies inside a memory of that size.
bool InRange(const wire::Report& request, size_t memorySize) {
    const size_t length = request[wire::kLength];
    return length <= wire::kMaxPayload && wire::Offset(request) + length <= memorySize;
}

}  // namespace

Firmware::Firmware(EmulatedKind kind) : memory_(FactoryMemory(kind)) {}

wire::Report Firmware::ReadFrom(const wire::Report& request, const std::vector<uint8_t>& memory) const {
    if (!InRange(request, memory.size())) {
        return wire::AnswerFor(request, wire::kStatusRefused);
    }
    wire::Report answer = wire::AnswerFor(request, wire::kStatusOk);
    const auto begin = memory.begin() + wire::Offset(request);
    std::copy(begin, begin + request[wire::kLength], answer.begin() + wire::kPayload);
    return answer;
}

wire::Report Firmware::WriteTo(const wire::Report& request, std::vector<uint8_t>& memory) {
    if (!InRange(request, memory.size())) {
        return wire::AnswerFor(request, wire::kStatusRefused);
    }
    const auto payload = request.begin() + wire::kPayload;
    std::copy(payload, payload + request[wire::kLength], memory.begin() + wire::Offset(request));
    return wire::AnswerFor(request, wire::kStatusOk);
}

wire::Report Firmware::Execute(const wire::Report& request) {
    wire::Report answer;
    const uint16_t sent = static_cast<uint16_t>(request[wire::kChecksumLow] | (request[wire::kChecksumHigh] << 8));
    if (sent != wire::Checksum(request)) {
        answer = wire::AnswerFor(request, wire::kStatusRefused);
        wire::StoreChecksum(answer);
        return answer;
    }
    switch (request[wire::kCommand]) {
    case wire::kBeginConfig:
        configOpen_ = true;
        answer = wire::AnswerFor(request, wire::kStatusOk);
        break;
    case wire::kEndConfig:
        configOpen_ = false;
        answer = wire::AnswerFor(request, wire::kStatusOk);
        break;
    case wire::kEnterSoftwareLight:
        softwareLight_ = true;
        answer = wire::AnswerFor(request, wire::kStatusOk);
        break;
    case wire::kReadInfo: answer = ReadFrom(request, memory_.deviceInfo); break;
    case wire::kReadParams: answer = ReadFrom(request, memory_.params); break;
    case wire::kWriteParams: answer = WriteTo(request, memory_.params); break;
    case wire::kReadKeyTable: answer = ReadFrom(request, memory_.keyTable); break;
    case wire::kWriteKeyTable: answer = WriteTo(request, memory_.keyTable); break;
    case wire::kReadKeyAttr: answer = ReadFrom(request, memory_.keyAttr); break;
    case wire::kWriteLightTable: answer = WriteTo(request, memory_.lightTable); break;
    case wire::kLightFrame:
        ++frames_;
        answer = WriteTo(request, memory_.frame);
        break;
    case wire::kWriteMacro:
    case wire::kWriteMacroDirect:
        answer = WriteTo(request, memory_.macro);
        if (answer[wire::kStatus] == wire::kStatusOk && request[wire::kLength] > 0) {
            memory_.macroHighWater =
                std::max(memory_.macroHighWater, size_t{wire::Offset(request)} + request[wire::kLength]);
        }
        break;
    case wire::kReadStatus: answer = ReadFrom(request, memory_.status); break;
    case wire::kLinkQuery:
        answer = wire::AnswerFor(request, wire::kStatusOk);
        answer[wire::kPayload] = kLinkUp;
        break;
    default: answer = wire::AnswerFor(request, wire::kStatusRefused); break;
    }
    wire::StoreChecksum(answer);
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
