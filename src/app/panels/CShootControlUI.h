#pragma once
// CShootControlUI: the shoot pattern editor of the mouse page. Four guns ("shoot_gun_op_" n,
// each with its picture in "shoot_image_display_switch") whose patterns of thirty bullets
// ("bullet_op_" n) move the pointer after each shot; the selected bullet's horizontal and
// vertical distance with their directions and its delay; the chart of the gun's pattern; reset,
// import, export, and writing the four patterns to the mouse. The user's shoot files are the
// core's ShootEditor's; every selection reads them again, every change is written at once.
//
// Routes: the gun and bullet options, previous and next, the direction options, the three
// edits' loss of focus and the four file buttons.

#include <QString>

#include "app/panels/DevicePanelUI.h"
#include "macros/ShootEditor.h"

namespace morvek::app {

class PanelRoutes;
struct TNotifyUI;

class CShootControlUI final : public CDevicePanelUI {
    Q_OBJECT
public:
    static constexpr const char* kSkinName = "XML\\CustomControlXML\\ShootControl.xml";
    static constexpr const char* kFileFilter = "Shoot Files(*.shoot)";

    explicit CShootControlUI(QWidget* parent = nullptr);

    static void AddRoutes(PanelRoutes& routes);

signals:
    // The mouse took the four patterns (true) or did not.
    void PatternsWritten(bool written);

protected:
    void OnSetup() override;

private:
    // Route members.
    void OnGunChosen(const TNotifyUI& msg, int gun);
    void OnBulletChosen(const TNotifyUI& msg, int bullet);
    void OnPreviousClicked(const TNotifyUI& msg, int index);
    void OnNextClicked(const TNotifyUI& msg, int index);
    void OnDirectionChanged(const TNotifyUI& msg, int index);
    void OnEditLeft(const TNotifyUI& msg, int index);
    void OnResetClicked(const TNotifyUI& msg, int index);
    void OnImportClicked(const TNotifyUI& msg, int index);
    void OnExportClicked(const TNotifyUI& msg, int index);
    void OnSaveClicked(const TNotifyUI& msg, int index);

    void SelectBullet(int bullet);
    // Writes the bullet the edits and options show.
    void SaveBullet();
    // Shows the selected gun and bullet, and the gun's chart.
    void ShowSelection();
    void ShowDirectionTexts();
    void ShowStatus(ShootStatus status);

    ShootEditor editor_;
};

}  // namespace morvek::app
