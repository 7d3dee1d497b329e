#pragma once
// CDeviceList: the device list of the main window: the entries in "device_select_layout", the
// pages in "device_switch", the power indicators in "device_power_switch" and "No_device_Link",
// with ShowDeviceEntry, HideDeviceEntry and the selection of the nearest visible entry. Entries
// are shown while their device's command interface is present; pages are never destroyed.

#include <QButtonGroup>
#include <QObject>
#include <QStackedWidget>
#include <QWidget>

#include <functional>
#include <vector>

namespace morvek {
class CTalvorenUSBDevice;
}

namespace morvek::app {

class CDeviceOptionUI;

class CDeviceList final : public QObject {
public:
    // Missing controls are tolerated (a skin without a power area, say).
    CDeviceList(QWidget* selectLayout, QStackedWidget* deviceSwitch, QStackedWidget* powerSwitch,
                QWidget* noDeviceLink, QObject* parent = nullptr);

    // Adds a page with its entry (hidden) and power indicator (may be null); the entry's index.
    int Add(CDeviceOptionUI* entry, QWidget* page, QWidget* powerIndicator);

    int Count() const { return static_cast<int>(entries_.size()); }
    CDeviceOptionUI* Entry(int index) const;
    int IndexOf(const CTalvorenUSBDevice* model) const;
    // The entry whose option button this is, or -1.
    int IndexOfButton(const QObject* button) const;
    bool IsEntryVisible(int index) const;
    int VisibleCount() const;
    // The entry that is visible and selected, or -1.
    int SelectedIndex() const;
    // The current device: the model of the selected entry, or nullptr.
    CTalvorenUSBDevice* CurrentDevice() const;

    void ShowDeviceEntry(int index, bool visible, bool select);
    void HideDeviceEntry(int index);
    // Selects the nearest visible entry before (-1) or after (+1) the selected one; false when
    // there is none (no wrap-around).
    bool SelectNeighbour(int direction);
    // Shows "No_device_Link" exactly while no entry is visible.
    void UpdateNoDeviceLink();

    // Called when the selected entry is about to be hidden (the window closes its dialogs and
    // stops a recording).
    void SetSelectedHiddenHook(std::function<void()> hook) { selectedHidden_ = std::move(hook); }
    // Called after every change with whether more than one entry is visible.
    void SetVisibleCountHook(std::function<void(bool moreThanOne)> hook) { visibleCount_ = std::move(hook); }

private:
    QWidget* selectLayout_;
    QStackedWidget* deviceSwitch_;
    QStackedWidget* powerSwitch_;
    QWidget* noDeviceLink_;
    QButtonGroup group_;
    std::vector<CDeviceOptionUI*> entries_;
    std::function<void()> selectedHidden_;
    std::function<void(bool)> visibleCount_;
};

}  // namespace morvek::app
