#include "macros/ShootPanel.h"

#include <algorithm>
#include <limits>

#include "macros/JsonNumber.h"

namespace morvek {
namespace {

int EditValue(std::string_view text) {
    return static_cast<int>(
        std::clamp<long long>(IntegerOfText(text), std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

}  // namespace

std::string ShootDirectionTextId(bool horizontal, bool selected) {
    if (horizontal) return selected ? "mouse_move_to_left_text" : "mouse_move_to_right_text";
    return selected ? "mouse_move_to_up_text" : "mouse_move_to_down_text";
}

BulletStep BulletFromEdits(std::string_view x, std::string_view y, std::string_view delay, bool left, bool up) {
    return {EditValue(x), EditValue(y), EditValue(delay), left, up};
}

std::vector<ShootPathStep> ShootPath(const std::vector<BulletStep>& bullets) {
    std::vector<ShootPathStep> path;
    path.reserve(bullets.size());
    for (const BulletStep& b : bullets) path.push_back({b.left ? -b.x : b.x, b.up ? -b.y : b.y});
    return path;
}

}  // namespace morvek
