#include "devicelink/ActiveParamsBlock.h"

#include <algorithm>
#include <vector>

namespace morvek {

int ReadActiveParamsBlock(CHidChannel& channel, std::span<uint8_t> out, uint32_t stride, uint8_t& blockInUse) {
    if (!channel.IsOpen()) return kResultNoAnswer;
    uint8_t inUse = 0;
    int result = channel.ReadParams(&inUse, 1, 0);
    if (result != kResultSuccess) return result;
    std::vector<uint8_t> read(out.size());
    result = channel.ReadParams(read.data(), read.size(), uint32_t{inUse} * stride);
    if (result != kResultSuccess) return result;
    std::copy(read.begin(), read.end(), out.begin());
    blockInUse = inUse;
    return kResultSuccess;
}

int WriteParamsBlock(CHidChannel& channel, std::span<const uint8_t> bytes, uint32_t offset) {
    if (!channel.IsOpen()) return kResultNoAnswer;
    int result = channel.BeginConfig();
    if (result == kResultSuccess) result = channel.WriteParams(bytes.data(), bytes.size(), offset);
    const int ended = channel.EndConfig();
    return result != kResultSuccess ? result : ended;
}

}  // namespace morvek
