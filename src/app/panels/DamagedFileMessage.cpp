#include "app/panels/DamagedFileMessage.h"

#include "app/ResourceManager.h"
#include "app/panels/PanelHost.h"

namespace morvek::app {

void TellDamagedFileKept(IPanelHost* host, const std::filesystem::path& kept) {
    if (host == nullptr) return;
    // "A damaged file was kept as %s ...".
    QString text = CResourceManager::GetInstance().Text("message_text_damaged_file");
    host->Ask(text.replace("%s", QString::fromStdString(kept.string())), false, 0);
}

}  // namespace morvek::app
