#pragma once
// The 64-byte command report and its answer: report id 0x04, checksum of bytes 3..63 in
// bytes 1 (low) and 2 (high), command in byte 3, length in byte 4, offset in bytes 5-6,
// status in byte 7 of an answer, payload from byte 8.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace morvek {

constexpr size_t kReportSize = 64;
constexpr size_t kPayloadOffset = 8;
constexpr size_t kMaxPayload = kReportSize - kPayloadOffset; // 56
constexpr uint8_t kCommandReportId = 0x04;

enum CommandByte : size_t {
    kByteReportId = 0,
    kByteChecksumLow = 1,
    kByteChecksumHigh = 2,
    kByteCommand = 3,
    kByteLength = 4,
    kByteOffsetLow = 5,
    kByteOffsetHigh = 6,
    kByteStatus = 7,
};

using CommandReport = std::array<uint8_t, kReportSize>;

// Command codes.
enum HidCommand : uint8_t {
    kCmdBeginConfig = 0x01,
    kCmdEndConfig = 0x02,
    kCmdReadDeviceInfo = 0x03,
    kCmdReadParams = 0x05,
    kCmdWriteParams = 0x06,
    kCmdReadKeyTable = 0x07,
    kCmdWriteKeyTable = 0x09,
    kCmdWriteLightTable = 0x0B,
    kCmdLightFrame = 0x12,
    kCmdWriteMacroData = 0x15,
    kCmdWriteMacroDirect = 0x17,
    kCmdReadStatus = 0x1A,
    kCmdReadKeyAttrTable = 0x1B,
    kCmdEnterSoftwareLight = 0x1C,
    kCmdQueryLink = 0xAA,
};

// Sum of bytes 3..63 as unsigned bytes, low 16 bits.
uint16_t ReportChecksum(const CommandReport& report);
void StoreChecksum(CommandReport& report);

// A request with report id, command, length and the low 16 bits of offset, the payload
// (at most 56 bytes are taken) and its checksum.
CommandReport BuildCommandReport(uint8_t command, uint8_t length, uint32_t offset,
                                 std::span<const uint8_t> payload = {});

// One trace line of 32 bytes: groups of four, three spaces after the first three groups,
// two after the next three.
std::string FormatTraceLine(const uint8_t* bytes);

}  // namespace morvek
