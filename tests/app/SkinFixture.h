#pragma once
// A skin folder of its own for a test: a resource index and the .ui and language files the
// test writes, or the shipped skin.

#include <QDir>
#include <QFile>
#include <QString>

#include <string>

#include "app/ResourceManager.h"
#include "support/TempFolder.h"
#include "support/SourcePaths.h"

namespace morvek::test {

class SkinFolder {
public:
    SkinFolder() { app::CResourceManager::GetInstance().SetResourcePath(Path()); }
    ~SkinFolder() { app::CResourceManager::GetInstance().Release(); }

    QString Path() const { return QString::fromStdString(folder_.Path().string()); }

    void Write(const QString& relative, const QString& text) const {
        const QString path = QDir(Path()).filePath(relative);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) file.write(text.toUtf8());
    }

    // A .ui file whose root is a QWidget named root holding body (widget elements).
    void WriteUi(const QString& relative, const QString& body, const QString& rootClass = "QWidget") const {
        Write(relative, QString(R"(<?xml version="1.0" encoding="UTF-8"?>
<ui version="4.0"><widget class="%1" name="root"><layout class="QVBoxLayout" name="root_box">%2</layout></widget></ui>)")
                            .arg(rootClass, body));
    }

private:
    TempFolder folder_;
};

// The shipped skin, as the source tree holds it.
inline void UseShippedSkin() {
    auto& resources = app::CResourceManager::GetInstance();
    resources.SetResourcePath(test::SourceSkinDir());
    resources.LoadResource();
}

}  // namespace morvek::test
