#pragma once
// Why a device that is present could not be opened: a backend that knows when this user was
// refused access (the hidraw node is there, no udev rule grants it) implements IHidAccessReport
// beside IHidBackend.

#include <string>

#include "platform/hid/HidBackend.h"

namespace morvek::hid {

class IHidAccessReport {
public:
    virtual ~IHidAccessReport() = default;
    // The last Open of path failed because this user may not open the device.
    virtual bool AccessDenied(const std::string& path) = 0;
};

// What the backend says about path; false for a backend that cannot tell.
inline bool AccessDenied(IHidBackend& backend, const std::string& path) {
    auto* report = dynamic_cast<IHidAccessReport*>(&backend);
    return report != nullptr && report->AccessDenied(path);
}

}  // namespace morvek::hid
