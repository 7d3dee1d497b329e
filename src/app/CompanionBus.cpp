#include "app/CompanionBus.h"

#include <QDBusConnectionInterface>
#include <QDBusMetaType>

#include "app/MainWnd.h"
#include "devicelink/DeviceTables.h"
#include "platform/Trace.h"

namespace morvek::app {

QDBusArgument& operator<<(QDBusArgument& argument, const CompanionPageId& page) {
    argument.beginStructure();
    argument << page.vendorId << page.productId << page.kind;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, CompanionPageId& page) {
    argument.beginStructure();
    argument >> page.vendorId >> page.productId >> page.kind;
    argument.endStructure();
    return argument;
}

CompanionBus::CompanionBus(CMainWnd& window, QDBusConnection connection)
    : window_(window), connection_(std::move(connection)) {
    qDBusRegisterMetaType<CompanionPageId>();
    qDBusRegisterMetaType<QList<CompanionPageId>>();
    new CompanionAdaptor(*this);
}

CompanionBus::~CompanionBus() {
    if (!registered_) return;
    connection_.unregisterObject(kPath);
    connection_.unregisterService(kService);
}

bool CompanionBus::Register() {
    if (!connection_.isConnected()) {
        Trace("companion bus: no session bus");
        return false;
    }
    if (!connection_.registerObject(kPath, this)) {
        Trace("companion bus: cannot publish " + std::string(kPath));
        return false;
    }
    registered_ = true;
    if (!connection_.registerService(kService)) {
        Trace("companion bus: the name " + std::string(kService) + " is taken");
        return false;
    }
    return true;
}

CompanionAdaptor::CompanionAdaptor(CompanionBus& bus) : QDBusAbstractAdaptor(&bus), bus_(bus) {
    connect(&bus.Window(), &CMainWnd::LightControlAnnounced, this,
            [this](int, int lParam) { emit LightControlChanged(lParam == 1); });
}

bool CompanionAdaptor::HostLightControl() const { return bus_.Window().HostLightControl(); }

void CompanionAdaptor::TakeLightControl() { bus_.Window().OnLightControlMessage(1, 0); }

void CompanionAdaptor::ReturnLightControl() { bus_.Window().OnLightControlMessage(1, 1); }

void CompanionAdaptor::Raise() { bus_.Window().RestoreAndRaise(); }

QString CompanionAdaptor::Identity(QList<CompanionPageId>& pages) {
    pages.clear();
    for (const DevicePageTemplate& page : DevicePageTemplates())
        pages.push_back({page.vendorId, page.productId, page.kind});
    return QStringLiteral(MORVEK_VERSION);
}

}  // namespace morvek::app
