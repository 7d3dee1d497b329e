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

}  // namespace morvek
