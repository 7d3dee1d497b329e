#pragma once
// The program's settings store (an INI file under $XDG_CONFIG_HOME): the chosen language
// ("LANGUAGE", the "Language_ID" of "Language.config") and the update service's address
// ("UpdateEndpoint").

#include <QSettings>

#include <memory>

namespace morvek::app {

inline constexpr const char* kLanguageSetting = "LANGUAGE";
inline constexpr const char* kUpdateEndpointSetting = "UpdateEndpoint";

std::unique_ptr<QSettings> OpenProgramSettings();

}  // namespace morvek::app
