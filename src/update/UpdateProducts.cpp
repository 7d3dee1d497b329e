#include "update/UpdateProducts.h"

#include <array>

#include "update/UpdateRequest.h"

namespace morvek::update {
namespace {

// The kinds of the identity rows, by their product codes: the pad, the keyboard, the mouse.
constexpr std::array<uint16_t, 4> kRowKinds = {kKindMousePad, kKindKeyboard, kKindMouse, 0};

}  // namespace

uint16_t UpdateRowKind(size_t row) { return row < kRowKinds.size() ? kRowKinds[row] : 0; }

std::vector<UpdateIdentity> CurrentIdentities(const FirmwareOfKind& firmwareOf, const std::string& applicationVersion) {
    std::vector<UpdateIdentity> identities;
    const auto rows = UpdateIdentities();
    for (size_t i = 0; i < rows.size(); ++i) {
        UpdateIdentity identity = rows[i];
        const uint16_t kind = UpdateRowKind(i);
        if (kind != 0) {
            identity.version = firmwareOf(kind);
        } else {
            identity.version = InstalledVersionNumber(applicationVersion);
            identity.versionText = applicationVersion;
        }
        if (identity.version != 0) identities.push_back(std::move(identity));
    }
    return identities;
}

}  // namespace morvek::update
