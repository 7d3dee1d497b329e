#include "devices/mouse/MouseKeyAssignment.h"

#include <algorithm>
#include <array>

#include "devices/keys/KeyFunctionTables.h"
#include "devices/keys/KeyFunctionType.h"
#include "devices/keys/KeyPanelState.h"
#include "macros/ShootFile.h"

namespace morvek {
namespace {

// The types the key panel builds: mouse button, swing, wheel, DPI, rapid fire, keyboard key
// (also the combination keys), consumer and system control, the two macro types and the gun key.
constexpr std::array<uint8_t, 11> kPanelTypes = {
    kKeyTypeMouseButton, kKeyTypeSwing,          kKeyTypeWheel,            kKeyTypeDpi,
    kKeyTypeRapidFire,   kKeyTypeKeyboard,       kKeyTypeConsumer,         kKeyTypeSystem,
    kKeyTypeMacroRepeatMode, kKeyTypeMacroRepeatCount, kKeyTypeGunKey,
};

}  // namespace

KeyAssignmentStatus CheckMouseAssignment(const KeyAssignment& assignment, const KeyAssignment& buttonDefault,
                                    size_t macroCount) {
    // The panel's default page gives the button back its own function, whatever its type.
    if (assignment == buttonDefault) return KeyAssignmentStatus::kDone;
    if (std::find(kPanelTypes.begin(), kPanelTypes.end(), assignment.type) == kPanelTypes.end())
        return KeyAssignmentStatus::kRefusedType;
    switch (assignment.type) {
        case kKeyTypeDpi: {
            const auto rows = DpiKeyTable();
            if (std::find(rows.begin(), rows.end(), assignment) == rows.end())
                return KeyAssignmentStatus::kNoSuchDpiFunction;
            break;
        }
        case kKeyTypeMacroRepeatMode:
            if (size_t{assignment.p1} >= macroCount) return KeyAssignmentStatus::kNoSuchMacro;
            if (assignment.p2 >= kMacroRepeatCountItem) return KeyAssignmentStatus::kNoSuchRepeatMode;
            break;
        case kKeyTypeMacroRepeatCount:
            if (size_t{assignment.p1} >= macroCount) return KeyAssignmentStatus::kNoSuchMacro;
            break;
        case kKeyTypeGunKey:
            if (assignment.p1 >= ShootFile::kGunCount) return KeyAssignmentStatus::kNoSuchShootPattern;
            break;
        default: break;
    }
    return KeyAssignmentStatus::kDone;
}

}  // namespace morvek
