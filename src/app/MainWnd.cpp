#include "app/MainWnd.h"

#include <QApplication>
#include <QDBusConnection>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>
#include <QSignalBlocker>
#include <QSettings>
#include <QVBoxLayout>
#include <QWindow>

#include "app/AboutWnd.h"
#include "app/ControlFactory.h"
#include "app/DeviceOptionUI.h"
#include "app/DevicePageUI.h"
#include "app/MsgWnd.h"
#include "app/ResourceManager.h"
#include "app/SkinFrame.h"
#include "app/WindowBackground.h"
#include "app/panels/PanelRoutes.h"
#include "macros/MacroDownload.h"
#include "platform/FileWriteQueue.h"
#include "platform/Paths.h"
#include "platform/Trace.h"
#include "profiles/DefaultData.h"
#include "profiles/JsonFile.h"

namespace morvek::app {

namespace {

// Sub-skins the builder tags stand for.
const std::map<QString, QString>& SubSkinTags() {
    static const std::map<QString, QString> tags = {
        {"DeviceProfileUI", "XML\\CustomControlXML\\DeviceProfile.xml"},
        {"LightSetControlUI", "XML\\CustomControlXML\\LightControl.xml"},
        {"Voice6533SetControlUI", "XML\\CustomControlXML\\Voice6533Control.xml"},
        {"MagicSetControlUI", "XML\\CustomControlXML\\MagicControl.xml"},
        {"KeySetControlUI", "XML\\CustomControlXML\\KeySetControl.xml"},
        {"MacroSetControlUI", "XML\\CustomControlXML\\MacroControl.xml"},
        {"ShootKeySetControlUI", "XML\\CustomControlXML\\ShootControl.xml"},
        {"VirtualSetControlUI", "XML\\CustomControlXML\\VirtualSet.xml"},
    };
    return tags;
}

// Tags that name a registered class without its "C" and "UI" (CircleProgress, LightControl,
// TalvorenKeyboardDevice, ...).
QWidget* CreateRegisteredByTag(const QString& tag, QWidget* parent) {
    static const QStringList tags = {"CircleProgress", "SelectPanel", "DeviceKeyButton", "HandImgButton",
                                     "HandImgSelectButton", "RedioMacroButton", "ComboEditContainerElement",
                                     "DeviceProfile", "LightControl", "MagicControl", "Voice6533Control",
                                     "KeySetControl", "ShootControl"};
    if (!tags.contains(tag)) return nullptr;
    return CControlFactory::GetInstance().CreateControl("C" + tag + "UI", parent);
}

}  // namespace

CMainWnd::CMainWnd(hid::IHidBackend& backend, ModelFactoryMaker modelFactory, QWidget* parent)
    : QWidget(parent),
      backend_(backend),
      modelFactory_(modelFactory ? modelFactory(dispatcher_) : DeviceModelRegistry::ModelFactory{}),
      pump_([this](const TNotifyUI& msg) { Notify(msg); }),
      synchronised_([this] { return AllModels(); }) {
    setObjectName("MainWnd");
    setWindowTitle(kTitle);
    setWindowFlag(Qt::FramelessWindowHint);
    resize(kWidth, kHeight);
    Trace("InitWindow");
    // Profile documents are written on the file writer's thread: a change never waits for the disk.
    FileWriteQueue::Instance().SetBackground(true);

    CResourceManager& resources = CResourceManager::GetInstance();
    resources.LoadLanguage("lan_cn.xml");
    CDialogBuilder builder(resources, this);
    root_ = builder.Create(kSkinName, this);
    if (root_ == nullptr) {
        buildError_ = builder.ErrorString();
        Trace("main window: " + buildError_.toStdString());
        return;
    }
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(root_);
    background_ = new CWindowBackground(root_);
    background_->SetImage(CSkinFrame::kDefaultBackground);
    for (const char* name : {"closebtn", "maxbtn", "restorebtn", "minbtn", "skinbtn", "gamemodebtn", "cloudbtn",
                             "smarteyesbtn", "setbtn"})
        storedControls_[name] = root_->findChild<QWidget*>(name);

    deviceList_ = new CDeviceList(root_->findChild<QWidget*>("device_select_layout"),
                                  root_->findChild<QStackedWidget*>("device_switch"),
                                  root_->findChild<QStackedWidget*>("device_power_switch"),
                                  root_->findChild<QWidget*>("No_device_Link"), this);
    deviceList_->SetSelectedHiddenHook([this] { OnSelectedEntryHidden(); });
    ShowLightControlState();
    resources.ReloadText(root_);
    pump_.Attach(root_);
    BuildRoutes();

    scheduleTimer_.setSingleShot(true);
    scheduleTimer_.setTimerType(Qt::PreciseTimer);
    connect(&scheduleTimer_, &QTimer::timeout, this, &CMainWnd::RunSchedules);
    dpiTimer_.setSingleShot(true);
    connect(&dpiTimer_, &QTimer::timeout, this, &CMainWnd::ApplyScreenDpi);
    trayMenuTimer_.setSingleShot(true);
    connect(&trayMenuTimer_, &QTimer::timeout, this, &CMainWnd::ShowTrayMenu);
    CreateTray();
}

CMainWnd::~CMainWnd() {
    tray_.hide();
    synchronised_.Stop();
    StopMonitor();
    scheduleTimer_.stop();
    registry_.Shutdown();
    // The models go with the registry member, before the base class deletes the pages.
    for (auto& [model, page] : pages_) page->Unbind();
    CloseDialogs();
    // Everything the window changed is on disk before it goes.
    FileWriteQueue::Instance().SetBackground(false);
}

void CMainWnd::OnWindowInit() {
    if (initialised_ || root_ == nullptr) return;
    initialised_ = true;
    emit LightControlAnnounced(1, 1);
    language_.ApplyStored();
    monitor_ = std::make_unique<DeviceMonitor>(backend_, static_cast<IDeviceMonitorOwner&>(*this));
    CreateDevicePages();
    connect(&desktopSettings_, &DesktopSettingsLauncher::Found, this, [this] { desktopSettings_.ShowButtons(this); });
    connect(&desktopSettings_, &DesktopSettingsLauncher::Opened, this, [this](int, bool started) {
        if (!started) Ask("desktop_settings_failed_text", true, 0);
    });
    desktopSettings_.Find();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        screenWidth_ = screen->geometry().width();
        screenHeight_ = screen->geometry().height();
    }
    if (!startInTray_) show();
    else if (!QSystemTrayIcon::isSystemTrayAvailable()) showMinimized();
    ConnectSleepSignal();
    monitor_->Start();
    synchronised_.Start();
    dpiTimer_.start(kDpiApplyDelayMs);
}

void CMainWnd::StartInTray() {
    startInTray_ = true;
    if (!initialised_) pump_.Send("windowinit", this);
}

void CMainWnd::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    FollowScreen();
    if (initialised_) return;
    pump_.Send("windowinit", this);
    Trace("main window shown");
}

void CMainWnd::mousePressEvent(QMouseEvent* event) {
    // The window has no frame: dragging its empty areas moves it.
    if (event->button() == Qt::LeftButton && windowHandle() != nullptr) windowHandle()->startSystemMove();
    QWidget::mousePressEvent(event);
}

void CMainWnd::SetDpi(int dpi) { dpi_.Set(dpi); }

void CMainWnd::ApplyScreenDpi() {
    if (const QScreen* screen = this->screen()) SetDpi(qRound(screen->logicalDotsPerInch()));
    update();
}

void CMainWnd::FollowScreen() {
    if (followingScreen_ || windowHandle() == nullptr) return;
    followingScreen_ = true;
    connect(windowHandle(), &QWindow::screenChanged, this, [this](QScreen* screen) {
        WatchScreen(screen);
        OnScreenChanged(true);
    });
    WatchScreen(windowHandle()->screen());
}

void CMainWnd::WatchScreen(QScreen* screen) {
    for (const QMetaObject::Connection& connection : screenWatch_) disconnect(connection);
    screenWatch_.clear();
    if (screen == nullptr) return;
    screenWatch_.push_back(connect(screen, &QScreen::logicalDotsPerInchChanged, this, [this] { OnScreenChanged(true); }));
    screenWatch_.push_back(connect(screen, &QScreen::geometryChanged, this, [this] { OnScreenChanged(false); }));
    screenWatch_.push_back(connect(screen, &QScreen::availableGeometryChanged, this, [this] { OnScreenChanged(false); }));
}

void CMainWnd::OnScreenChanged(bool scaleChanged) {
    const QScreen* screen = this->screen();
    if (screen == nullptr) return;
    Trace(scaleChanged ? "main window: the screen or its scale changed" : "main window: the screen's size changed");
    screenWidth_ = screen->geometry().width();
    screenHeight_ = screen->geometry().height();
    // ApplyScreenDpi repaints the window: the pictures are drawn at the paint device's pixel
    // ratio, and the key buttons' cached layers are keyed by their size in device pixels.
    ApplyScreenDpi();
    const QRect available = screen->availableGeometry();
    QRect frame = frameGeometry();
    if (scaleChanged || !available.contains(frame)) {
        frame.moveCenter(available.center());
        // A screen smaller than the window shows its top left corner, with the caption.
        frame.moveTopLeft(QPoint(std::max(frame.left(), available.left()), std::max(frame.top(), available.top())));
        move(frame.topLeft());
    }
}

void CMainWnd::ConnectSleepSignal() {
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected()) return;
    if (!bus.connect("org.freedesktop.login1", "/org/freedesktop/login1", "org.freedesktop.login1.Manager",
                     "PrepareForSleep", this, SLOT(OnPrepareForSleep(bool))))
        Trace("main window: no suspend notices (logind not reachable)");
}

void CMainWnd::OnPrepareForSleep(bool sleeping) {
    awake_ = !sleeping;
    // Asleep, no program drives the lights; awake, ours again only if it did before.
    for (size_t i = 0; i < registry_.Count(); ++i)
        registry_.Model(i).SetHostLightControl(sleeping ? false : hostLightControl_);
}

void CMainWnd::OnLightControlMessage(int wParam, int lParam) {
    if (wParam != 1 || (lParam != 0 && lParam != 1)) return;
    hostLightControl_ = lParam == 1;
    ShowLightControlState();
    SetHostLightControlOfAll(hostLightControl_);
}

void CMainWnd::ShowLightControlState() {
    // The button offers the other state.
    if (auto* status = root_ ? root_->findChild<QWidget*>("control_light_status") : nullptr)
        CResourceManager::GetInstance().SetResourceText(status, hostLightControl_ ? kLightControlOff : kLightControlOn);
}

void CMainWnd::SetHostLightControlOfAll(bool on) {
    for (size_t i = 0; i < registry_.Count(); ++i) registry_.Model(i).SetHostLightControl(on);
}

void CMainWnd::RestoreAndRaise() {
    if (deviceList_) deviceList_->UpdateNoDeviceLink();
    if (isMinimized() || isHidden()) showNormal();
    raise();
    activateWindow();
}

QWidget* CMainWnd::CreateControl(const QString& tag, QWidget* parent) {
    if (QWidget* control = CreateRegisteredByTag(tag, parent)) return control;
    if (tag.startsWith("Talvoren") && tag.endsWith("Device"))
        return CControlFactory::GetInstance().CreateControl("CTalvorenUSBDevice", parent);
    const auto subSkin = SubSkinTags().find(tag);
    if (subSkin == SubSkinTags().end()) return nullptr;
    CDialogBuilder builder(CResourceManager::GetInstance(), this);
    QWidget* control = builder.Create(subSkin->second, parent);
    if (control == nullptr) Trace("main window: " + builder.ErrorString().toStdString());
    return control;
}

int CMainWnd::Ask(const QString& text, bool textIsKey, int buttonMode) {
    if (messageBox_) return messageBox_(text, textIsKey, buttonMode);
    return ShowMessageBox(this, {}, text, dpi_.Value(), textIsKey, buttonMode);
}

QString CMainWnd::ChooseFile(bool open, const QString& filter) {
    if (fileChooser_) return fileChooser_(open, filter);
    return open ? QFileDialog::getOpenFileName(this, {}, {}, filter) : QFileDialog::getSaveFileName(this, {}, {}, filter);
}

void CMainWnd::ShowMacroDownloadResult(int result) {
    if (result == kMacroDownloadFailed || result == kMacroListUnreadable) {
        Ask("message_text_7", true, 0);
    } else if (result > 0) {
        QString text = CResourceManager::GetInstance().Text("message_text_16");
        Ask(text.replace("%d", QString::number(result)), false, 0);
    }
}

void CMainWnd::LockDeviceChoice(bool locked) {
    if (root_ == nullptr) return;
    for (const char* name : {"device_select_layout", "device_select_prev", "device_select_next"}) {
        if (auto* control = root_->findChild<QWidget*>(name)) control->setEnabled(!locked);
    }
}

bool CMainWnd::SynchronisationOffered() const { return deviceList_ != nullptr && deviceList_->VisibleCount() > 1; }

std::vector<CTalvorenUSBDevice*> CMainWnd::AllModels() {
    std::vector<CTalvorenUSBDevice*> models;
    for (size_t i = 0; i < registry_.Count(); ++i) models.push_back(&registry_.Model(i));
    return models;
}

void CMainWnd::ApplySameLight(CTalvorenUSBDevice& source) {
    if (!SynchronisationOffered()) return;
    const SynchronisedLighting::Outcome outcome = synchronised_.Apply(source, AllModels());
    if (!outcome.type) return;
    ShowSynchronisedEntries();
}

void CMainWnd::ShowSynchronisedEntries() {
    if (deviceList_ == nullptr) return;
    for (int i = 0; i < deviceList_->Count(); ++i) {
        CDeviceOptionUI* entry = deviceList_->Entry(i);
        CTalvorenUSBDevice* model = entry->Model();
        const bool synchronised =
            model != nullptr && model->IsCommandChannelOpen() && model->CommandChannel().IsSynchronised();
        if (QAbstractButton* box = entry->SynchroBox()) {
            const QSignalBlocker blocker(box);
            entry->SetSynchroChecked(synchronised);
        }
        entry->SetSynchroBoxVisible(synchronised);
    }
}

void CMainWnd::CloseDialogs() {
    if (about_) about_->reject();
    // Refused while an update downloads or starts: the window then stays.
    if (setWnd_) setWnd_->close();
    if (skinFrame_) skinFrame_->close();
}

void CMainWnd::HideToTray() {
    CloseDialogs();
    // Without a tray to come back from, closing ends the program.
    if (!QSystemTrayIcon::isSystemTrayAvailable()) {
        close();
        QApplication::quit();
        return;
    }
    hide();
}

void CMainWnd::OpenAbout() {
    if (about_) {
        about_->raise();
        return;
    }
    CAboutWnd about(this);
    if (!about.IsBuilt()) return;
    about.SetVersionText(CAboutWnd::ApplicationVersionText());
    about.resize(kAboutWidth, kAboutHeight);
    about_ = &about;
    about.exec();
}

void CMainWnd::OpenSkinPicker() {
    delete skinFrame_;
    const QString ini = QString::fromStdString((UserDataFolder() / "main.ini").string());
    skinFrame_ = new CSkinFrame(this, storedControls_["skinbtn"], ini);
    if (!skinFrame_->IsBuilt()) {
        delete skinFrame_;
        return;
    }
    connect(skinFrame_, &CSkinFrame::SkinChanged, this, &CMainWnd::ApplySkin);
    skinFrame_->show();
}

void CMainWnd::ApplySkin(const SkinChangedParam& param) {
    if (background_ == nullptr) return;
    if (param.solidColour) background_->SetColour(param.colour);
    else background_->SetImage(param.image);
}

}  // namespace morvek::app
