#pragma once
// A list of many CComboEditContainerElementUI rows (the macro editor holds up to 2000 actions)
// that builds only the rows it shows: a few row controls, laid out over the visible part of the
// list and bound to whichever rows are scrolled into view. The rows' content comes from a row
// source; a row control named "rowname" with its edit named "editname" is what a user clicks,
// double-clicks ("itemactivate") and types delays into (a window's notification pump attaches
// the row controls as they are made). Scrolling and a new row cost the same whether the list
// holds ten rows or thousands.

#include <QAbstractScrollArea>
#include <QString>

#include <functional>
#include <vector>

namespace morvek::app {

class CComboEditContainerElementUI;

class CComboEditListUI : public QAbstractScrollArea {
    Q_OBJECT
    Q_PROPERTY(QString rowname MEMBER rowName_)
    Q_PROPERTY(QString editname MEMBER editName_)
    Q_PROPERTY(int editdigits MEMBER editDigits_)

public:
    static constexpr int kRowHeight = 30;

    // What a row shows: its two labels with their skin styles, and its edit.
    struct RowData {
        QString text1;
        QString text1Style;
        QString text2;
        QString text2Style;
        QString text2Description;  // the second label's accessible name
        QString editText;
        QString editDescription;   // the edit's accessible name
    };
    using RowSource = std::function<RowData(int row)>;

    explicit CComboEditListUI(QWidget* parent = nullptr);

    void SetRowSource(RowSource source);
    // The number of rows. The shown rows keep what they show: after rows changed, RefreshRows.
    void SetRowCount(int count);
    int RowCount() const { return count_; }
    // Selects row (-1: none) without a notification.
    void SetSelectedRow(int row);
    int SelectedRow() const { return selected_; }
    // Shows the rows' current content again (all shown rows, or one).
    void RefreshRows();
    void RefreshRow(int row);
    // Scrolls the least so that row is fully shown.
    void EnsureRowVisible(int row);

    // The row control showing row, null when the row is not shown.
    CComboEditContainerElementUI* RowWidget(int row) const;
    // The row a row control (or a control in it) shows; -1 for anything else.
    int RowOf(const QWidget* control) const;
    // Every row control there is (shown or kept for later).
    std::vector<CComboEditContainerElementUI*> RowWidgets() const { return pool_; }

signals:
    // A user clicked row (it is now the selected row).
    void RowClicked(int row);
    // A user changed the text of row's edit.
    void EditTextEdited(int row, const QString& text);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void UpdateScrollRange();
    void EnsurePool();
    void LayOutRows();
    void Bind(CComboEditContainerElementUI* row, int index);
    void ShowSelection();

    RowSource source_;
    int count_ = 0;
    int selected_ = -1;
    std::vector<CComboEditContainerElementUI*> pool_;
    std::vector<int> bound_;  // the row each pool control shows, -1 when hidden
    QString rowName_;
    QString editName_;
    int editDigits_ = 0;
};

}  // namespace morvek::app
