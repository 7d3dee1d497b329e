#pragma once
// The 64-byte command report as the firmware sees it: report id, checksum of bytes 3-63
// (low, high), command, length, offset (low, high), status in answers, payload from byte 8.

#include <array>
#include <cstddef>
#include <cstdint>

namespace morvek::emulator::wire {

inline constexpr size_t kReportSize = 64;
inline constexpr size_t kChecksumLow = 1;
inline constexpr size_t kChecksumHigh = 2;
inline constexpr size_t kCommand = 3;
inline constexpr size_t kLength = 4;
inline constexpr size_t kOffsetLow = 5;
inline constexpr size_t kOffsetHigh = 6;
inline constexpr size_t kStatus = 7;
inline constexpr size_t kPayload = 8;
inline constexpr size_t kMaxPayload = kReportSize - kPayload;

enum Command : uint8_t {
    kBeginConfig = 0x01,
    kEndConfig = 0x02,
    kReadInfo = 0x03,
    kReadParams = 0x05,
    kWriteParams = 0x06,
    kReadKeyTable = 0x07,
    kWriteKeyTable = 0x09,
    kWriteLightTable = 0x0B,
    kLightFrame = 0x12,
    kWriteMacro = 0x15,
    kWriteMacroDirect = 0x17,
    kReadStatus = 0x1A,
    kReadKeyAttr = 0x1B,
    kEnterSoftwareLight = 0x1C,
    kLinkQuery = 0xAA,
};

inline constexpr uint8_t kStatusOk = 0x00;
inline constexpr uint8_t kStatusRefused = 0xFF;

using Report = std::array<uint8_t, kReportSize>;

uint16_t Checksum(const Report& report);
void StoreChecksum(Report& report);
uint16_t Offset(const Report& report);

// An answer to a request: report id, echoed command, length and offset, the status.
Report AnswerFor(const Report& request, uint8_t status);

}  // namespace morvek::emulator::wire
