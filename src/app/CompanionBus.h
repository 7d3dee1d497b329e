#pragma once
// The interface companion programs use on the session bus: service and object
// "org.morvek.Morvek" at "/org/morvek/Morvek", interface "org.morvek.Morvek".
//
//   TakeLightControl()      the companion drives the lights now: host light control off
//   ReturnLightControl()    the companion gives the lights back: host light control on
//                           (each has the effect on every device model that the window's
//                           "control_light_status" button has)
//   HostLightControl        property, true while this program drives the lights
//   LightControlChanged(b)  signal: this program took (true) or gave up (false) the lights
//   Raise()                 shows the window and brings it to the front
//   Identity() -> (s version, a(uuu) pages)  the program's version and, per page template in
//                           table order, its vendor id, product id and device kind
//
// Calls arrive on the user-interface thread. docs/dbus.md describes it for companion authors.

#include <QDBusAbstractAdaptor>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QList>
#include <QObject>

namespace morvek::app {

class CMainWnd;

// One page template of the identity report.
struct CompanionPageId {
    uint vendorId = 0;
    uint productId = 0;
    uint kind = 0;
};

class CompanionBus final : public QObject {
    Q_OBJECT
public:
    static constexpr const char* kService = "org.morvek.Morvek";
    static constexpr const char* kPath = "/org/morvek/Morvek";
    static constexpr const char* kInterface = "org.morvek.Morvek";

    CompanionBus(CMainWnd& window, QDBusConnection connection = QDBusConnection::sessionBus());
    ~CompanionBus() override;

    // Publishes the object and takes the service name. False (traced) without a bus, or when
    // another program holds the name.
    bool Register();

    CMainWnd& Window() { return window_; }

private:
    CMainWnd& window_;
    QDBusConnection connection_;
    bool registered_ = false;
};

// The adaptor QtDBus introspects and calls.
class CompanionAdaptor final : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.morvek.Morvek")
    Q_PROPERTY(bool HostLightControl READ HostLightControl)
public:
    explicit CompanionAdaptor(CompanionBus& bus);
    bool HostLightControl() const;

public slots:
    void TakeLightControl();
    void ReturnLightControl();
    void Raise();
    QString Identity(QList<morvek::app::CompanionPageId>& pages);

signals:
    void LightControlChanged(bool hostDrivesLights);

private:
    CompanionBus& bus_;
};

QDBusArgument& operator<<(QDBusArgument& argument, const CompanionPageId& page);
const QDBusArgument& operator>>(const QDBusArgument& argument, CompanionPageId& page);

}  // namespace morvek::app

Q_DECLARE_METATYPE(morvek::app::CompanionPageId)
