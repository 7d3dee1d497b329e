#include "app/MenuFile.h"

#include <QFile>
#include <QXmlStreamReader>

#include "app/ResourceManager.h"

namespace morvek::app {

namespace {

// Reads the children of the current <Menu> element into menu.
void ReadItems(QXmlStreamReader& xml, QMenu& menu, const std::function<void(const QString&)>& chosen) {
    const CResourceManager& resources = CResourceManager::GetInstance();
    while (xml.readNextStartElement()) {
        const QString text = resources.Text(xml.attributes().value("text").toString());
        if (xml.name() == QLatin1String("Item")) {
            const QString name = xml.attributes().value("name").toString();
            QAction* action = menu.addAction(text);
            action->setObjectName(name);
            action->setCheckable(xml.attributes().value("checkable") == QLatin1String("true"));
            QObject::connect(action, &QAction::triggered, action, [chosen, name] { chosen(name); });
            xml.skipCurrentElement();
        } else if (xml.name() == QLatin1String("Separator")) {
            menu.addSeparator();
            xml.skipCurrentElement();
        } else if (xml.name() == QLatin1String("Menu")) {
            ReadItems(xml, *menu.addMenu(text), chosen);
        } else {
            xml.skipCurrentElement();
        }
    }
}

}  // namespace

bool LoadMenuFile(const QString& path, QMenu& menu, const std::function<void(const QString&)>& chosen) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    const QByteArray text = file.readAll();
    // The whole file is checked before the menu changes.
    QXmlStreamReader check(text);
    while (!check.atEnd()) check.readNext();
    if (check.hasError()) return false;
    QXmlStreamReader xml(text);
    if (!xml.readNextStartElement() || xml.name() != QLatin1String("Menu")) return false;
    menu.clear();
    ReadItems(xml, menu, chosen);
    return true;
}

}  // namespace morvek::app
