#pragma once
// CDeviceOptionUI: the list entry of a device page (class "DeviceOption", built from the page
// template's list-entry layout). Its option button "device_select" selects the page, the check
// box "synchro_device_select" enrols the device in synchronised lighting, "device_select_name"
// shows the kind name. It is linked to the page's model and knows the page's index in
// "device_switch" and its power indicator's index in "device_power_switch" (-1: none).

#include <QAbstractButton>
#include <QString>
#include <QWidget>

#include <cstdint>

namespace morvek {
class CTalvorenUSBDevice;
}

namespace morvek::app {

class CDeviceOptionUI final : public QWidget {
    Q_OBJECT
public:
    explicit CDeviceOptionUI(QWidget* parent = nullptr);

    // The icon prefix of a kind ("kb_device", "ms_device", ...; variant picks the pad's set).
    static QString IconPrefix(uint16_t kind, int variant);

    void Link(CTalvorenUSBDevice* model, int pageIndex, int powerIndex);
    CTalvorenUSBDevice* Model() const { return model_; }
    int PageIndex() const { return pageIndex_; }
    int PowerIndex() const { return powerIndex_; }

    // Kind and variant pick the icons; the name shows the translation of the kind name's text
    // key, and follows the language.
    void SetKind(uint16_t kind, int variant, const QString& kindNameKey);
    QString Prefix() const { return prefix_; }

    QAbstractButton* SelectButton() const;
    QAbstractButton* SynchroBox() const;
    bool IsOptionSelected() const;
    void SelectOption();
    bool IsSynchroChecked() const;
    void SetSynchroChecked(bool checked);
    void SetSynchroBoxVisible(bool visible);

private:
    void UpdateIcons();

    CTalvorenUSBDevice* model_ = nullptr;
    int pageIndex_ = -1;
    int powerIndex_ = -1;
    QString prefix_ = "unknow_device";
    bool iconsSynchronised_ = false;  // the icons show the synchronised set
};

}  // namespace morvek::app
