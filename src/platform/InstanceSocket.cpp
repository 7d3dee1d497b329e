#include "platform/InstanceSocket.h"

#include <cstdlib>
#include <system_error>

namespace morvek {

std::filesystem::path InstanceSocketPath() {
    std::error_code code;
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime != nullptr && runtime[0] != '\0' && std::filesystem::is_directory(runtime, code))
        return std::filesystem::path(runtime) / kInstanceName;
    const char* temp = std::getenv("TMPDIR");
    const std::filesystem::path folder = temp != nullptr && temp[0] != '\0' ? temp : "/tmp";
    return folder / kInstanceName;
}

}  // namespace morvek
