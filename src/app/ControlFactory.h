#pragma once
// CControlFactory: the custom control classes a skin file may use, by class name. A skin
// names a class ("CDeviceKeyButtonUI") where Qt Designer names a widget class; the skin
// loader asks this factory first, so every registered class can appear in any .ui file.
// Registration happens once at start-up, in the order RegisterCustomControls lists.

#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <map>

namespace morvek::app {

class CControlFactory {
public:
    using Creator = std::function<QWidget*(QWidget* parent)>;

    // The process-wide factory.
    static CControlFactory& GetInstance();

    // A later registration of a name replaces the earlier creator (and keeps its place).
    void RegistControl(const QString& className, Creator creator);
    // A new control of that class with the parent, or nullptr when the name is unknown.
    QWidget* CreateControl(const QString& className, QWidget* parent) const;
    bool IsRegistered(const QString& className) const;
    // In registration order.
    QStringList RegisteredNames() const;

private:
    std::map<QString, Creator> creators_;
    QStringList order_;
};

// Registers the custom control classes the skin files use, in their fixed order.
void RegisterCustomControls(CControlFactory& factory);

}  // namespace morvek::app
