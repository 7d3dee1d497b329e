#pragma once
// CMouseDpiUI: the mouse's DPI tab. Five stage rows ("DPI_layout_" n): the check switches a
// stage on or off (the last one on cannot be switched off), the slider sets its DPI in the
// mouse's steps (the edit follows while it is dragged), the edit takes a DPI typed in; the
// stage in use wears the current-stage look. The polling rate options choose the mouse's
// report rate. Every change is stored, saved and written to the mouse at once, on its queue; a
// mouse that does not answer keeps nothing and the panel says so, while the page keeps the
// values (they go to the mouse with the next change or profile switch).
//
// Routes: "DPI_enable_check_" n, "DPI_slider_" n (moving and released), "DPI_edit_" n and
// "polling_rate_option_" n (shared with the keyboard's system panel).

#include <QString>

#include "app/panels/DevicePanelUI.h"

namespace morvek {
class IDpiStages;
}

namespace morvek::app {

class PanelRoutes;
struct TNotifyUI;

class CMouseDpiUI final : public CDevicePanelUI {
    Q_OBJECT
public:
    static constexpr const char* kSkinName = "XML\\CustomControlXML\\MouseDpi.xml";

    explicit CMouseDpiUI(QWidget* parent = nullptr);

    static void AddRoutes(PanelRoutes& routes);

signals:
    // A settings write ended with result (1: the mouse took it).
    void WrittenToDevice(int result);

protected:
    void OnSetup() override;
    void OnShowModel() override;
    void OnUnbind() override;

private:
    void OnStageEnabled(const TNotifyUI& msg, int index);
    void OnStageSlider(const TNotifyUI& msg, int index);
    void OnStageMoving(const TNotifyUI& msg, int index);
    void OnStageEdit(const TNotifyUI& msg, int index);
    void OnPollingChosen(const TNotifyUI& msg, int index);

    // The settings write's result, on the user-interface thread.
    void ShowWriteResult(int result);
    void ShowRows();
    void ShowRow(int stage);

    IDpiStages* dpi_ = nullptr;
};

}  // namespace morvek::app
