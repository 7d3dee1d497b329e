// The companion programs' interface on a real session bus this test starts: the light
// hand-over has the button's effect on every model, the identity report lists the page
// templates, Raise shows the window, and the interface introspects.
#include <gtest/gtest.h>

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QDBusPendingReply>
#include <QDBusVariant>
#include <QRegularExpression>

#include "app/CompanionBus.h"
#include "app/MainWndFixture.h"
#include "devicelink/DeviceTables.h"
#include "support/SessionBus.h"

namespace morvek::app {
namespace {

// Counts the LightControlChanged signals a companion receives.
class SignalCounter : public QObject {
    Q_OBJECT
public:
    QList<bool> values;
public slots:
    void OnChanged(bool hostDrivesLights) { values.push_back(hostDrivesLights); }
};

class CompanionBusTest : public test::MainWndTest {
protected:
    void SetUp() override {
        MainWndTest::SetUp();
        ASSERT_TRUE(bus.Running()) << "dbus-daemon did not start";
        const QString address = QString::fromStdString(bus.Address());
        window_connection = QDBusConnection::connectToBus(address, "window");
        companion_connection = QDBusConnection::connectToBus(address, "companion");
        ASSERT_TRUE(window_connection.isConnected());
        ASSERT_TRUE(companion_connection.isConnected());
        companion = std::make_unique<CompanionBus>(*window, window_connection);
        ASSERT_TRUE(companion->Register());
    }
    void TearDown() override {
        companion.reset();
        QDBusConnection::disconnectFromBus("window");
        QDBusConnection::disconnectFromBus("companion");
        MainWndTest::TearDown();
    }

    // A call from the companion's connection; the window answers on this thread, so the test
    // waits with the event loop running.
    QDBusMessage Call(const QString& interface, const QString& method, const QList<QVariant>& arguments = {}) {
        QDBusMessage message = QDBusMessage::createMethodCall(CompanionBus::kService, CompanionBus::kPath, interface, method);
        message.setArguments(arguments);
        QDBusPendingCall pending = companion_connection.asyncCall(message);
        EXPECT_TRUE(QTest::qWaitFor([&] { return pending.isFinished(); }, 5000)) << method.toStdString();
        return pending.reply();
    }
    QDBusMessage Call(const QString& method) { return Call(CompanionBus::kInterface, method); }

    // What the hand-over changes: the window's state, its button and every model's.
    std::vector<QString> LightState() {
        std::vector<QString> state{window->HostLightControl() ? "window on" : "window off",
                                   qobject_cast<QAbstractButton*>(Control("control_light_status"))->text()};
        for (int i = 0; i < List().Count(); ++i) {
            const CTalvorenUSBDevice* model = List().Entry(i)->Model();
            state.push_back(QString("kind %1 %2").arg(model->Kind()).arg(model->GetHostLightControl() ? "on" : "off"));
        }
        return state;
    }

    test::SessionBus bus;
    QDBusConnection window_connection{QString()};
    QDBusConnection companion_connection{QString()};
    std::unique_ptr<CompanionBus> companion;
};

TEST_F(CompanionBusTest, HandOverTwiceLeavesEveryModelAsTheButtonDoesTwice) {
    Start();
    for (auto kind : {emulator::EmulatedKind::Keyboard, emulator::EmulatedKind::Mouse, emulator::EmulatedKind::MousePad,
                      emulator::EmulatedKind::Headset})
        emulator.Attach(kind);
    for (uint16_t kind : {kKindKeyboard, kKindMouse, kKindMousePad, kKindHeadset})
        ASSERT_TRUE(WaitVisible(EntryOfKind(kind), true)) << kind;

    auto* button = qobject_cast<QAbstractButton*>(Control("control_light_status"));
    const std::vector<QString> start = LightState();
    button->click();
    const std::vector<QString> afterOneClick = LightState();
    button->click();
    const std::vector<QString> afterTwoClicks = LightState();
    ASSERT_EQ(afterTwoClicks, start);
    ASSERT_NE(afterOneClick, start);

    EXPECT_EQ(Call("TakeLightControl").type(), QDBusMessage::ReplyMessage);
    EXPECT_EQ(LightState(), afterOneClick);
    const QDBusMessage property = Call("org.freedesktop.DBus.Properties", "Get", {CompanionBus::kInterface, "HostLightControl"});
    ASSERT_EQ(property.type(), QDBusMessage::ReplyMessage) << property.errorMessage().toStdString();
    EXPECT_FALSE(property.arguments().at(0).value<QDBusVariant>().variant().toBool());
    EXPECT_EQ(Call("ReturnLightControl").type(), QDBusMessage::ReplyMessage);
    EXPECT_EQ(LightState(), afterTwoClicks);
}

TEST_F(CompanionBusTest, TheButtonAnnouncesItsChangeToCompanions) {
    SignalCounter counter;
    ASSERT_TRUE(companion_connection.connect(CompanionBus::kService, CompanionBus::kPath, CompanionBus::kInterface,
                                             "LightControlChanged", &counter, SLOT(OnChanged(bool))));
    auto* button = qobject_cast<QAbstractButton*>(Control("control_light_status"));
    button->click();
    button->click();
    EXPECT_TRUE(QTest::qWaitFor([&] { return counter.values.size() == 2; }, 5000));
    EXPECT_EQ(counter.values, (QList<bool>{false, true}));
}

TEST_F(CompanionBusTest, IdentityReportsTheVersionAndThePageTemplatesInTableOrder) {
    const QDBusMessage reply = Call("Identity");
    ASSERT_EQ(reply.type(), QDBusMessage::ReplyMessage) << reply.errorMessage().toStdString();
    ASSERT_EQ(reply.arguments().size(), 2);
    EXPECT_TRUE(QRegularExpression("^\\d+\\.\\d+\\.\\d+$").match(reply.arguments()[0].toString()).hasMatch())
        << reply.arguments()[0].toString().toStdString();
    const QList<CompanionPageId> pages = qdbus_cast<QList<CompanionPageId>>(reply.arguments()[1]);
    const auto templates = DevicePageTemplates();
    ASSERT_EQ(static_cast<size_t>(pages.size()), templates.size());
    for (size_t i = 0; i < templates.size(); ++i) {
        EXPECT_EQ(pages[i].vendorId, templates[i].vendorId) << i;
        EXPECT_EQ(pages[i].productId, templates[i].productId) << i;
        EXPECT_EQ(pages[i].kind, templates[i].kind) << i;
    }
}

TEST_F(CompanionBusTest, RaiseShowsTheHiddenWindow) {
    Start();
    window->hide();
    ASSERT_FALSE(window->isVisible());
    EXPECT_EQ(Call("Raise").type(), QDBusMessage::ReplyMessage);
    EXPECT_TRUE(window->isVisible());
}

TEST_F(CompanionBusTest, TheInterfaceIntrospectsAndUnknownCallsFail) {
    const QDBusMessage reply = Call("org.freedesktop.DBus.Introspectable", "Introspect");
    ASSERT_EQ(reply.type(), QDBusMessage::ReplyMessage);
    const QString xml = reply.arguments().at(0).toString();
    for (const char* part : {"<interface name=\"org.morvek.Morvek\">", "<method name=\"TakeLightControl\"",
                             "<method name=\"ReturnLightControl\"", "<method name=\"Raise\"",
                             "<method name=\"Identity\"", "type=\"a(uuu)\" direction=\"out\"",
                             "<signal name=\"LightControlChanged\"", "<property name=\"HostLightControl\" type=\"b\" access=\"read\""})
        EXPECT_TRUE(xml.contains(part)) << part << "\n" << xml.toStdString();
    EXPECT_EQ(Call("DropTheLights").type(), QDBusMessage::ErrorMessage);
}

TEST_F(CompanionBusTest, ASecondProgramCannotTakeTheName) {
    QDBusConnection other = QDBusConnection::connectToBus(QString::fromStdString(bus.Address()), "other");
    {
        CompanionBus second(*window, other);
        EXPECT_FALSE(second.Register());
    }
    QDBusConnection::disconnectFromBus("other");
    // The first keeps answering.
    EXPECT_EQ(Call("Raise").type(), QDBusMessage::ReplyMessage);
}

}  // namespace
}  // namespace morvek::app

#include "CompanionBusTest.moc"
