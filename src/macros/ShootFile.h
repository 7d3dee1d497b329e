#pragma once
// Shoot pattern files "ShootData_<gun>.Shoot" (guns 0 to 3): a JSON object whose "Events" array
// holds 30 bullets of six macro events each. Bullet b is elements 6b to 6b + 5:
//   press the left button (wait 10 ms), release it, move horizontally by X (wait 5 ms),
//   move vertically by Y (wait D ms), then a horizontal and a vertical move of 0.
// Horizontal "down" moves left and "up" right; vertical "down" moves up and "up" down.
// Other members of the file are kept as they are.

#include <json/value.h>

#include <array>
#include <filesystem>
#include <string>

namespace morvek {

struct BulletStep {
    int x = 0;          // horizontal distance, 0 to 255
    int y = 0;          // vertical distance, 0 to 255
    int delay = 0;      // ms after the vertical move, 0 to 65535
    bool left = false;  // else right
    bool up = false;    // else down

    bool operator==(const BulletStep&) const = default;
};

class ShootFile {
public:
    static constexpr int kGunCount = 4;
    static constexpr int kBulletCount = 30;
    static constexpr int kEventsPerBullet = 6;
    static constexpr int kMaxDistance = 255;

    static std::string FileName(int gun);
    static std::filesystem::path PathIn(const std::filesystem::path& folder, int gun) { return folder / FileName(gun); }

    // The six events of a bullet; "Button" and "Delay" are written as numbers.
    static std::array<Json::Value, kEventsPerBullet> BulletEvents(const BulletStep& step);
    // Bullet b of a parsed file; missing or malformed values read as 0, right and down.
    static BulletStep ReadBullet(const Json::Value& document, int bullet);
    // Sets the bullet's six events (values limited to their ranges); when "Events" is shorter,
    // the elements before the bullet are filled with null.
    static void WriteBullet(Json::Value& document, int bullet, const BulletStep& step);

    // An object with an "Events" array.
    static bool IsShootDocument(const Json::Value& document);
};

}  // namespace morvek
