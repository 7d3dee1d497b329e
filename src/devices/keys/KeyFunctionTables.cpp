#include "devices/keys/KeyFunctionTables.h"

#include <algorithm>

#include "devices/keys/KeyFunctionType.h"

namespace morvek {
namespace {

constexpr KeyAssignment Consumer(uint16_t usage) {
    return {kKeyTypeConsumer, uint8_t(usage & 0xFF), uint8_t(usage >> 8)};
}
constexpr KeyAssignment CtrlKey(uint8_t usage) { return {kKeyTypeKeyboard, kModifierLCtrl, usage}; }

constexpr std::array<KeyAssignment, 5> kMouseKeys = {{
    {kKeyTypeMouseButton, 0x01, 0},
    {kKeyTypeMouseButton, 0x04, 0},
    {kKeyTypeMouseButton, 0x02, 0},
    {kKeyTypeMouseButton, 0x10, 0},
    {kKeyTypeMouseButton, 0x08, 0},
}};

constexpr std::array<KeyAssignment, 3> kDpiKeys = {{{kKeyTypeDpi, 1, 0}, {kKeyTypeDpi, 2, 0}, {kKeyTypeDpi, 3, 0}}};

constexpr std::array<KeyAssignment, 18> kMediaKeys = {
    Consumer(0x0183), Consumer(0x00CD), Consumer(0x00B7), Consumer(0x00B6), Consumer(0x00B5), Consumer(0x00EA),
    Consumer(0x00E9), Consumer(0x00E2), Consumer(0x0223), Consumer(0x0227), Consumer(0x0226), Consumer(0x0224),
    Consumer(0x0225), Consumer(0x022A), Consumer(0x0221), Consumer(0x0194), Consumer(0x0192), Consumer(0x018A),
};

constexpr std::array<KeyAssignment, 3> kSystemKeys = {
    {{kKeyTypeSystem, 0x01, 0}, {kKeyTypeSystem, 0x02, 0}, {kKeyTypeSystem, 0x04, 0}}};

constexpr std::array<KeyAssignment, 11> kComboKeys = {
    CtrlKey(0x12), CtrlKey(0x11), CtrlKey(0x1D), CtrlKey(0x16), CtrlKey(0x06), CtrlKey(0x1B),
    CtrlKey(0x19), CtrlKey(0x09), CtrlKey(0x04), CtrlKey(0x2D), CtrlKey(0x2E),
};

}  // namespace

std::span<const KeyAssignment, 5> MouseKeyTable() { return kMouseKeys; }
std::span<const KeyAssignment, 3> DpiKeyTable() { return kDpiKeys; }
std::span<const KeyAssignment, 18> MediaKeyTable() { return kMediaKeys; }
std::span<const KeyAssignment, 3> SystemKeyTable() { return kSystemKeys; }
std::span<const KeyAssignment, 11> ComboKeyTable() { return kComboKeys; }

std::optional<int> FindFunctionRow(std::span<const KeyAssignment> table, const KeyAssignment& assignment) {
    const auto it = std::find(table.begin(), table.end(), assignment);
    if (it == table.end()) return std::nullopt;
    return static_cast<int>(it - table.begin());
}

}  // namespace morvek
