#include "app/ResourceManager.h"

#include <QDir>
#include <QFile>
#include <QXmlStreamReader>

#include <utility>

namespace morvek::app {

namespace {

// Reads an XML file whose root holds elements of one name; calls take for each.
bool ReadElements(const QString& path, const QString& rootName, const QString& elementName,
                  const std::function<void(QXmlStreamReader&)>& take, QString* rootNameAttribute = nullptr) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    QXmlStreamReader xml(&file);
    if (!xml.readNextStartElement() || xml.name() != rootName) return false;
    if (rootNameAttribute) *rootNameAttribute = xml.attributes().value("name").toString();
    while (xml.readNextStartElement()) {
        if (xml.name() == elementName)
            take(xml);
        else
            xml.skipCurrentElement();
    }
    return !xml.hasError();
}

}  // namespace

CResourceManager& CResourceManager::GetInstance() {
    static CResourceManager manager;
    return manager;
}

void CResourceManager::SetResourcePath(const QString& folder) {
    folder_ = folder;
    QDir::setSearchPaths("skin", {folder});
}

bool CResourceManager::LoadResource(const QString& indexFile) {
    QHash<QString, QString> files;
    const bool ok = ReadElements(QDir(folder_).filePath(indexFile), "Resource", "File", [&](QXmlStreamReader& xml) {
        const QString name = xml.attributes().value("name").toString();
        const QString path = xml.attributes().value("path").toString();
        if (!name.isEmpty() && !path.isEmpty()) files.insert(name, path);
        xml.skipCurrentElement();
    });
    if (ok) files_ = std::move(files);
    return ok;
}

QString CResourceManager::FilePath(const QString& name) const {
    if (name.isEmpty()) return {};
    const auto found = files_.constFind(name);
    QString relative = found != files_.constEnd() ? *found : name;
    relative.replace('\\', '/');
    return QDir(folder_).filePath(relative);
}

bool CResourceManager::HasEntry(const QString& name) const { return files_.contains(name); }

bool CResourceManager::LoadLanguage(const QString& file) {
    QHash<QString, QString> texts;
    QString name;
    const bool ok = ReadElements(
        FilePath(file), "Language", "Text",
        [&](QXmlStreamReader& xml) {
            const QString id = xml.attributes().value("id").toString();
            const QString text = xml.readElementText();
            if (!id.isEmpty()) texts.insert(id, text);
        },
        &name);
    if (!ok) return false;
    texts_ = std::move(texts);
    languageName_ = name;
    return true;
}

QString CResourceManager::Text(const QString& key) const {
    QString text;
    if (query_ && query_(key, text)) return text;
    return texts_.value(key, key);
}

void CResourceManager::SetTextQueryInterface(TextQuery query) { query_ = std::move(query); }

void CResourceManager::ReloadText(QWidget* root) const {
    if (root == nullptr) return;
    QList<QWidget*> controls = root->findChildren<QWidget*>();
    controls.prepend(root);
    for (QWidget* control : controls) {
        const QVariant tipKey = control->property(kTipKeyProperty);
        if (tipKey.isValid()) {
            const QString tip = Text(tipKey.toString());
            control->setToolTip(tip);
            control->setAccessibleName(tip);
        }
        if (!control->property(kResourceTextProperty).toBool()) continue;
        QVariant key = control->property(kTextKeyProperty);
        if (!key.isValid()) {
            key = control->property("text");
            control->setProperty(kTextKeyProperty, key);
        }
        const QString text = Text(key.toString());
        control->setProperty("text", text);
        if (!tipKey.isValid()) control->setAccessibleName(text);
    }
}

void CResourceManager::SetResourceText(QWidget* control, const QString& key) const {
    if (control == nullptr) return;
    control->setProperty(kResourceTextProperty, true);
    control->setProperty(kTextKeyProperty, key);
    control->setProperty("text", Text(key));
    if (!control->property(kTipKeyProperty).isValid()) control->setAccessibleName(Text(key));
}

void CResourceManager::Release() {
    files_.clear();
    texts_.clear();
    languageName_.clear();
    query_ = nullptr;
}

}  // namespace morvek::app
