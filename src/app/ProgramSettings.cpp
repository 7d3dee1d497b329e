#include "app/ProgramSettings.h"

namespace morvek::app {

std::unique_ptr<QSettings> OpenProgramSettings() {
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, "MorvekGamingKeyboard",
                                       "MorvekGamingKeyboard");
}

}  // namespace morvek::app
