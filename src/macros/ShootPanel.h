#pragma once
// The shoot panel without its widgets: what its direction options say, the bullet its edits
// describe, and the path a gun's pattern moves the pointer along (the panel's chart).

#include <string>
#include <string_view>
#include <vector>

#include "macros/ShootFile.h"

namespace morvek {

// The text key of "bullet_x_check" (horizontal) or "bullet_y_check" in this state: selected is
// left or up.
std::string ShootDirectionTextId(bool horizontal, bool selected);

// The bullet of the three edits' texts (a text that is not a number reads as 0) and the two
// direction options.
BulletStep BulletFromEdits(std::string_view x, std::string_view y, std::string_view delay, bool left, bool up);

// One bullet's pointer move in screen directions: right and down are positive.
struct ShootPathStep {
    int dx = 0;
    int dy = 0;
    bool operator==(const ShootPathStep&) const = default;
};
std::vector<ShootPathStep> ShootPath(const std::vector<BulletStep>& bullets);

}  // namespace morvek
