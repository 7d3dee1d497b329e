#include "app/PrivateFonts.h"

#include <QDir>
#include <QFontDatabase>

namespace morvek::app {

QStringList PrivateFonts::FileNames() {
    return {"Simplified_Chinese.ttf", "Kestrune-Regular.otf", "NotoSansThai-Regular.ttf", "NotoSansCJKtc-Regular.otf"};
}

int PrivateFonts::Load(const QString& folder) {
    const QDir dir(folder);
    int loaded = 0;
    for (const QString& name : FileNames()) {
        const QString path = dir.filePath(name);
        if (!QFile::exists(path)) continue;
        const int id = QFontDatabase::addApplicationFont(path);
        if (id < 0) continue;
        ids_.push_back(id);
        ++loaded;
    }
    return loaded;
}

void PrivateFonts::Remove() {
    while (!ids_.empty()) {
        QFontDatabase::removeApplicationFont(ids_.back());
        ids_.pop_back();
    }
}

}  // namespace morvek::app
