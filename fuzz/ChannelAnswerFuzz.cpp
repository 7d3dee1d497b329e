// Fuzzes the channel and its command set with whatever a device may answer: each input is
// cut into answers of up to 64 bytes that a scripted device hands out one per read.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "devicelink/HidChannel.h"
#include "support/ScriptedHid.h"

namespace {

constexpr const char* kPath = "/dev/hidraw0&vid_0c45&pid_764e&mi_01&col04";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using morvek::test::Bytes;
    morvek::test::ScriptedHidBackend backend;
    auto device = backend.Add(morvek::test::InterfaceInfo(kPath, 0x0C45, 0x764E, 0xFF1C, 0x92),
                              morvek::test::VendorCollectionDescriptor());
    // Every write is answered by the next piece of the input; the first byte of a piece is its length.
    auto cursor = std::make_shared<size_t>(0);
    device->SetResponder([data, size, cursor](const Bytes&) {
        std::vector<Bytes> answers;
        if (*cursor >= size) return answers;
        const size_t length = std::min<size_t>(data[*cursor] % 65, size - *cursor - 1);
        answers.emplace_back(data + *cursor + 1, data + *cursor + 1 + length);
        *cursor += 1 + length;
        return answers;
    });
    morvek::CHidChannel channel(backend);
    if (!channel.Open(kPath)) return 0;
    morvek::DeviceInfoRecord info;
    channel.ReadDeviceInfo(info);
    if (info.KeySlotCount() * 3 <= 512) channel.SetBlockSize(static_cast<uint16_t>(info.KeySlotCount() * 3));
    std::vector<uint8_t> table(512);
    channel.ReadKeyTable(table.data());
    channel.ReadKeyAttrTable(table.data());
    uint8_t status[56];
    channel.ReadStatus(status, sizeof status, 0);
    channel.QueryLink();
    channel.ReadParams(table.data(), 200, 0x80);
    return 0;
}
