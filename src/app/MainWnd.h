#pragma once
// CMainWnd: the program's main window (class "MainWnd", skin "XML_MAIN"). It hosts the device
// list and one page per device kind, owns the device monitor, the device models with their
// list-entry schedules, the synchronised lighting, the tray icon and the small windows, and
// routes every notification of its controls (Notify) through its routing tables: its own
// handlers for the window's chrome and the device list, the panels' routes for the controls of
// the device pages (each panel class adds its own, PanelRoutes). It is the panels' host.
//
// Threads: the window lives on the user-interface thread. The device monitor announces slots
// from its own thread and waits until the window has handled each one; every transfer runs on
// the device models' own threads, their results come back through a QtUiDispatcher.

#include <QPointer>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QWidget>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>

#include "app/AboutWnd.h"
#include "app/DesktopSettingsLauncher.h"
#include "app/DeviceList.h"
#include "app/DialogBuilder.h"
#include "app/DpiSetting.h"
#include "app/LanguageSwitch.h"
#include "app/NotifyPump.h"
#include "app/NotifyRouter.h"
#include "app/QtUiDispatcher.h"
#include "app/SkinFrame.h"
#include "app/panels/PanelHost.h"
#include "app/panels/SetWnd.h"
#include "devicelink/DeviceModelRegistry.h"
#include "devicelink/DeviceMonitor.h"
#include "devices/lighting/SynchronisedLighting.h"
#include "platform/hid/HidBackend.h"
#include "update/UpdateLauncher.h"

class QMenu;
class QScreen;

namespace morvek::app {

class CDevicePageUI;
class CWindowBackground;
class PanelRoutes;

class CMainWnd final : public QWidget, public IDialogBuilderCallback, public IPanelHost, private IDeviceMonitorOwner {
    Q_OBJECT
public:
    static constexpr const char* kSkinName = "XML_MAIN";
    static constexpr const char* kTitle = "Morvek gaming keyboard";
    // Larger than the system's 800 x 572, so that a device picture and its panels both fit.
    static constexpr int kWidth = 960;
    static constexpr int kHeight = 640;
    // The About window keeps the system's size.
    static constexpr int kAboutWidth = 800;
    static constexpr int kAboutHeight = 572;
    static constexpr int kDpiApplyDelayMs = 100;       // timer 1011
    static constexpr int kTrayMenuDelayMs = 10;        // timer 1032
    static constexpr const char* kLightControlOn = "控制灯光";
    static constexpr const char* kLightControlOff = "不控制灯光";

    // How the window asks the user: ShowMessageBox with the window's DPI, unless replaced.
    using MessageBoxFunction = std::function<int(const QString& text, bool textIsKey, int buttonMode)>;
    // How the window asks for a file: the desktop's file chooser, unless replaced.
    using FileChooserFunction = std::function<QString(bool open, const QString& filter)>;

    // Builds the skin and the window's controls (InitWindow); nothing talks to devices yet.
    // modelFactory makes the device models, with the window's dispatcher.
    using ModelFactoryMaker = std::function<DeviceModelRegistry::ModelFactory(IUiDispatcher&)>;
    CMainWnd(hid::IHidBackend& backend, ModelFactoryMaker modelFactory, QWidget* parent = nullptr);
    // Stops the monitor and every device model before the widgets go.
    ~CMainWnd() override;

    bool IsBuilt() const { return root_ != nullptr; }
    QString BuildError() const { return buildError_; }

    // The window-initialised steps: language, device pages, show, monitor. Once.
    void OnWindowInit();
    // The window-initialised steps without showing the window: it waits in the tray (or
    // minimised, when the desktop has no tray) until the user opens it.
    void StartInTray();
    bool IsInitialised() const { return initialised_; }

    // Dispatches a notification; the route taken, if any.
    std::optional<RouteTaken> Notify(const TNotifyUI& msg);
    // The route a notification would take, without running it.
    std::optional<RouteTaken> FindRoute(const QString& type, const QString& name) const;

    // Shows the window from the tray or the task bar and brings it to the front.
    void RestoreAndRaise();

    CDeviceList& DeviceList() { return *deviceList_; }
    DeviceModelRegistry& Models() { return registry_; }
    CTalvorenUSBDevice* CurrentDevice() const;
    CDevicePageUI* PageOf(const CTalvorenUSBDevice* model) const;
    bool HostLightControl() const { return hostLightControl_; }
    bool IsAwake() const { return awake_; }
    int Dpi() const { return dpi_.Value(); }
    // The window's DPI rule ("MAIN_WND DPI SET ERROR").
    void SetDpi(int dpi);
    CAboutWnd* AboutWindow() const { return about_; }
    DesktopSettingsLauncher& DesktopSettings() { return desktopSettings_; }
    // The background the skin picker sets (nullptr when the skin did not build).
    const CWindowBackground* Background() const { return background_; }
    CSetWnd* SettingsWindow() const { return setWnd_; }
    CLanguageSwitch& Language() { return language_; }

    // Opens the settings window (one at a time) next to the window, or centred on the screen,
    // and starts its update check (MainWndSettings.cpp).
    void OpenSettingsWindow(bool centred);
    // How downloaded updates are started: the desktop's opener unless replaced (tests).
    void SetUpdateOpener(update::IUpdateOpener* opener) { updateOpener_ = opener; }
    // The products the update list offers now: each open device's firmware and the program.
    std::vector<UpdateIdentity> CurrentUpdateIdentities();

    void SetMessageBoxFunction(MessageBoxFunction function) { messageBox_ = std::move(function); }
    void SetFileChooserFunction(FileChooserFunction function) { fileChooser_ = std::move(function); }
    SynchronisedLighting& Synchronisation() { return synchronised_; }

    // IPanelHost
    int Ask(const QString& text, bool textIsKey, int buttonMode) override;
    QString ChooseFile(bool open, const QString& filter) override;
    QSize ScreenSize() const override { return {screenWidth_, screenHeight_}; }
    void ShowMacroDownloadResult(int result) override;
    bool SynchronisationOffered() const override;
    void ApplySameLight(CTalvorenUSBDevice& source) override;
    void LockDeviceChoice(bool locked) override;
    void LightChanged() override { ShowSynchronisedEntries(); }

    // IDialogBuilderCallback: the window's custom tags.
    QWidget* CreateControl(const QString& tag, QWidget* parent) override;

public slots:
    // Another program takes (lParam 0) or returns (lParam 1) the light control.
    void OnLightControlMessage(int wParam, int lParam);
    // The system is about to sleep (true) or has woken (false).
    void OnPrepareForSleep(bool sleeping);
    // A tray menu item was chosen.
    void OnMenuItem(const QString& name);
    // Message 3089: applies the language at position (of "Language.config") to every window,
    // refreshes the keyboard and pad pages and tells the settings window.
    void ApplyLanguage(int position);
    // Message 3094: the settings button stops hinting at updates.
    void ClearUpdateHint();

signals:
    // This program takes (lParam 1) or gives up (lParam 0) the light control: the message
    // companion programs receive.
    void LightControlAnnounced(int wParam, int lParam);

protected:
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    // Routing tables (MainWndRouting.cpp).
    void BuildRoutes();
    void OnClick(const TNotifyUI& msg, int index);
    void ToggleHostLightControl();
    void SetHostLightControlOfAll(bool on);
    void OnDeviceSelectChanged(const TNotifyUI& msg);
    // A key of the picture: on the lighting tab of the custom key colours it is painted, else
    // the key panel of the page selects it.
    void OnKeyClicked(int index);
    void OnKeysSelected(const TNotifyUI& msg);
    // A device whose entry's box the user cleared leaves synchronised lighting.
    void OnSynchroBoxChanged(const TNotifyUI& msg);
    // Every entry's "synchro_device_select" shows (checked) while its device is synchronised.
    void ShowSynchronisedEntries();
    void RestoreDefaultsOfCurrent();
    QWidget* CurrentPage() const;

    // Device pages and list (MainWndDevices.cpp).
    void CreateDevicePages();
    bool CreateDevicePage(CTalvorenUSBDevice& model, const DevicePageTemplate& page);
    void HandleArrival(const DeviceEntry& slot);
    void HandleRemoval(const DeviceEntry& slot);
    void RunSchedules();
    void ArmSchedules();
    void RequestArmSchedules();
    void OnSelectedEntryHidden();
    // Runs work on the user-interface thread and waits until it ran (or the window stops).
    void RunOnUiAndWait(std::function<void()> work);
    void StopMonitor();

    // IDeviceMonitorOwner (monitor thread).
    void OnDeviceArrival(size_t slot, const DeviceEntry& entry) override;
    void OnDeviceRemoval(size_t slot, const DeviceEntry& entry) override;
    void OnFirstScan() override;
    void OnAccessDeniedChanged(const std::vector<DeviceEntry>& denied) override;
    // Shows the devices this user may not open under the device list, with what to do.
    void ShowAccessDenied(const std::vector<DeviceEntry>& denied);

    // Tray and small windows.
    void CreateTray();
    void OnTrayActivated(QSystemTrayIcon::ActivationReason reason);
    void ShowTrayMenu();
    void OpenAbout();
    // The tray menu's "autostart_menu": the autostart entry on or off.
    void ToggleAutostart();
    void OpenSkinPicker();
    void ApplySkin(const SkinChangedParam& param);
    void CloseDialogs();
    void HideToTray();
    // The settings window (MainWndSettings.cpp).
    void SetUpdateHint(bool on);
    void ApplyScreenDpi();
    // The window follows its screen: a move to another screen, or a change of the screen's
    // scale or size, applies the DPI, repaints every picture at the screen's pixel ratio and
    // puts the window back on the screen (centred after a change of scale, as a change of
    // size leaves it when it still fits).
    void FollowScreen();
    void WatchScreen(QScreen* screen);
    void OnScreenChanged(bool scaleChanged);
    void ConnectSleepSignal();
    void ShowLightControlState();
    // The models synchronised lighting paints (every model the registry made).
    std::vector<CTalvorenUSBDevice*> AllModels();

    hid::IHidBackend& backend_;
    QtUiDispatcher dispatcher_;
    DeviceModelRegistry registry_;
    DeviceModelRegistry::ModelFactory modelFactory_;
    std::unique_ptr<DeviceMonitor> monitor_;

    QWidget* root_ = nullptr;
    CWindowBackground* background_ = nullptr;
    QString buildError_;
    CNotifyPump pump_;
    CNotifyRouter router_;
    CDeviceList* deviceList_ = nullptr;
    std::map<QString, QWidget*> storedControls_;
    std::map<const CTalvorenUSBDevice*, CDevicePageUI*> pages_;

    QSystemTrayIcon tray_;
    QMenu* trayMenu_ = nullptr;
    QTimer scheduleTimer_;
    bool runningSchedules_ = false;      // the UI thread is inside RunSchedules
    std::atomic<bool> armPosted_{false};  // an ArmSchedules is queued
    QTimer dpiTimer_;        // 1011
    QTimer trayMenuTimer_;   // 1032

    bool initialised_ = false;
    bool startInTray_ = false;
    bool followingScreen_ = false;
    std::vector<QMetaObject::Connection> screenWatch_;
    bool hostLightControl_ = true;
    bool awake_ = true;
    int screenWidth_ = 0;
    int screenHeight_ = 0;
    DpiSetting dpi_{"MAIN_WND DPI SET ERROR"};
    QPointer<CAboutWnd> about_;
    QPointer<CSkinFrame> skinFrame_;
    QPointer<CSetWnd> setWnd_;
    CLanguageSwitch language_;
    update::DesktopOpener desktopOpener_;
    update::IUpdateOpener* updateOpener_ = &desktopOpener_;
    MessageBoxFunction messageBox_;
    FileChooserFunction fileChooser_;
    // Declared after the registry: stopped before the models go.
    SynchronisedLighting synchronised_;
    std::unique_ptr<PanelRoutes> panelRoutes_;
    // "windowdeviceset_" n: the desktop's own mouse and keyboard settings.
    DesktopSettingsLauncher desktopSettings_;

    // The monitor's wait for the user-interface thread.
    std::mutex uiWaitMutex_;
    std::condition_variable uiWaitDone_;
    bool stopping_ = false;
};

}  // namespace morvek::app
