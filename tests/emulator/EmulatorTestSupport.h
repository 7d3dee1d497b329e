#pragma once
// Helpers for the emulator tests: command reports built byte by byte as a host builds
// them, and a fixture that opens collections of emulated devices through the HID interfaces.

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "emulator/EmulatorBackend.h"

namespace morvek::emulator::test {

using Report = std::array<uint8_t, 64>;

inline constexpr uint16_t kVendorPage = 0xFF1C;
inline constexpr uint16_t kConsumerPage = 0x0C;

inline uint16_t SumOfBytes3To63(const Report& r) {
    uint32_t sum = 0;
    for (size_t i = 3; i < r.size(); ++i) {
        sum += r[i];
    }
    return static_cast<uint16_t>(sum);
}

inline Report Request(uint8_t command, uint8_t length, uint16_t offset, std::span<const uint8_t> payload = {}) {
    Report r{};
    r[0] = 0x04;
    r[3] = command;
    r[4] = length;
    r[5] = static_cast<uint8_t>(offset & 0xFF);
    r[6] = static_cast<uint8_t>(offset >> 8);
    for (size_t i = 0; i < payload.size() && i < 56; ++i) {
        r[8 + i] = payload[i];
    }
    const uint16_t sum = SumOfBytes3To63(r);
    r[1] = static_cast<uint8_t>(sum & 0xFF);
    r[2] = static_cast<uint8_t>(sum >> 8);
    return r;
}

inline std::vector<uint8_t> Bytes(size_t count, uint8_t first, uint8_t step = 1) {
    std::vector<uint8_t> bytes(count);
    for (size_t i = 0; i < count; ++i) {
        bytes[i] = static_cast<uint8_t>(first + i * step);
    }
    return bytes;
}

class EmulatorTest : public ::testing::Test {
protected:
    static constexpr int kAnswerTimeoutMs = 1000;

    std::optional<hid::HidInterfaceInfo> Entry(EmulatedKind kind, uint16_t usagePage) {
        std::vector<hid::HidInterfaceInfo> entries;
        EXPECT_TRUE(backend.Enumerate(entries));
        const std::string prefix = std::string("emu:") + EmulatedKindName(kind) + "&";
        for (const auto& entry : entries) {
            if (entry.path.rfind(prefix, 0) == 0 && entry.usagePage == usagePage) {
                return entry;
            }
        }
        return std::nullopt;
    }

    std::shared_ptr<hid::IHidDevice> OpenCollection(EmulatedKind kind, uint16_t usagePage,
                                                    hid::HidOpenMode mode = {}) {
        const auto entry = Entry(kind, usagePage);
        if (!entry) {
            ADD_FAILURE() << "no collection with usage page " << usagePage;
            return nullptr;
        }
        return backend.Open(entry->path, mode);
    }

    // The command collection: the vendor one, or the headset's only collection.
    std::shared_ptr<hid::IHidDevice> OpenCommands(EmulatedKind kind) {
        return OpenCollection(kind, kind == EmulatedKind::Headset ? kConsumerPage : kVendorPage);
    }

    static std::optional<Report> Exchange(hid::IHidDevice& device, const Report& request,
                                          int timeoutMs = kAnswerTimeoutMs) {
        if (!device.Write(request, timeoutMs).ok()) {
            return std::nullopt;
        }
        Report answer{};
        const hid::IoResult read = device.Read(answer, timeoutMs);
        if (!read.ok() || read.bytes != answer.size()) {
            return std::nullopt;
        }
        return answer;
    }

    // Reads [offset, offset + length) with one command in chunks of chunkSize; empty on any failure.
    static std::vector<uint8_t> ReadChunked(hid::IHidDevice& device, uint8_t command, uint16_t offset,
                                            size_t length, size_t chunkSize = 56) {
        std::vector<uint8_t> data;
        for (size_t done = 0; done < length; done += chunkSize) {
            const auto n = static_cast<uint8_t>(std::min(chunkSize, length - done));
            const auto answer = Exchange(device, Request(command, n, static_cast<uint16_t>(offset + done)));
            if (!answer || (*answer)[3] != command || (*answer)[7] != 0x00) {
                return {};
            }
            data.insert(data.end(), answer->begin() + 8, answer->begin() + 8 + n);
        }
        return data;
    }

    // Writes data at offset with one command in chunks of chunkSize; false on any failure.
    static bool WriteChunked(hid::IHidDevice& device, uint8_t command, uint16_t offset,
                             std::span<const uint8_t> data, size_t chunkSize = 56) {
        for (size_t done = 0; done < data.size(); done += chunkSize) {
            const size_t n = std::min(chunkSize, data.size() - done);
            const auto answer = Exchange(device, Request(command, static_cast<uint8_t>(n),
                                                         static_cast<uint16_t>(offset + done),
                                                         data.subspan(done, n)));
            if (!answer || (*answer)[3] != command || (*answer)[7] != 0x00) {
                return false;
            }
        }
        return true;
    }

    EmulatorBackend backend;
};

}  // namespace morvek::emulator::test
