#pragma once
// CSetWnd: the settings window (class "SetWnd", skin "setwnd.xml", 630 x 500). It offers the
// interface language ("Language_combox_info": the choice goes to the main window, which applies
// it) and the update list: one row per product ("XML\CustomControlXML\device_Update_list_item.xml",
// 50 high), checked as soon as the window opens; the user ticks rows, confirms on page 1 of
// "get_update_tab_layout", and the window downloads and starts the chosen updates.
//
// The list is an UpdateSession: its workers query, download and start without ever blocking
// this window's thread; their results arrive as queued calls. The window only shows the model.
// Closing is refused while a download or a start runs.

#include <QWidget>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

#include "app/DpiSetting.h"
#include "app/NotifyPump.h"
#include "profiles/DefaultData.h"
#include "update/UpdateSession.h"

namespace morvek::app {

class CSetWnd final : public QWidget, private update::IUpdateView {
    Q_OBJECT
public:
    static constexpr const char* kSkinName = "setwnd.xml";
    static constexpr const char* kRowSkinName = "XML\\CustomControlXML\\device_Update_list_item.xml";
    static constexpr int kWidth = 630;
    static constexpr int kHeight = 500;
    static constexpr int kRowHeight = 50;
    // Placed this far inside the main window's right edge and below its top (scaled).
    static constexpr int kRightInset = 30;
    static constexpr int kTopOffset = 60;
    static constexpr const char* kLaunchFailedText = "Update failed!";

    // Shows a finished text (the window's message box, unless replaced).
    using MessageFunction = std::function<void(const QString& text)>;

    CSetWnd(QWidget* owner, update::UpdateServices services);
    ~CSetWnd() override;

    bool IsBuilt() const { return content_ != nullptr; }
    // The combo lists the languages by their "Language_text"; position is selected.
    void SetLanguages(const std::vector<LanguageEntry>& languages, std::optional<int> position);
    // Prepares the rows and starts the workers: the check runs at once.
    void Start(std::vector<UpdateIdentity> identities);
    void PlaceBeside(const QWidget& mainWindow);
    void PlaceCentred();
    void SetDpi(int dpi);
    int Dpi() const { return dpi_.Value(); }
    void SetMessageFunction(MessageFunction function) { message_ = std::move(function); }

    // The main window applied a language: the texts are shown again.
    void OnLanguageApplied();
    // "closebtn", "laterbtn" and the window manager: false while a download or start runs.
    bool RequestClose();

    const update::UpdateSession& Session() const { return session_; }
    void Notify(const TNotifyUI& msg);

signals:
    // The user chose the language at position (the main window applies it).
    void LanguageChosen(int position);
    // The check found updates (the settings button shows a hint until they are taken).
    void UpdatesOffered();
    // The user confirmed the updates: the hint goes.
    void UpdatesTaken();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    // update::IUpdateView, on this window's thread.
    void RowsPrepared() override;
    void RowChanged(size_t row) override;
    void ListChanged() override;
    void LaunchFailed(size_t row) override;

    void ShowStatus();
    int RowIndexOf(const QWidget* control) const;
    void ShowPage(int page);
    void ShowConfirmation();
    void Confirm();

    QWidget* content_ = nullptr;
    CNotifyPump pump_;
    DpiSetting dpi_{"SET_WND DPI SET ERROR"};
    update::UpdateSession session_;
    std::vector<QWidget*> rows_;
    MessageFunction message_;
    bool offerAnnounced_ = false;
};

}  // namespace morvek::app
