#pragma once
// One entry of a mouse profile's "CorrectInfo" list; it comes with the profile and is only read.

#include <cstdint>
#include <string>

namespace morvek {

struct CorrectionEntry {
    uint8_t pixThresh = 0;
    uint8_t minSq = 0;
    uint8_t select = 0;  // non-zero: the entry is in use
    std::string name;    // UTF-8

    bool operator==(const CorrectionEntry&) const = default;
};

}  // namespace morvek
