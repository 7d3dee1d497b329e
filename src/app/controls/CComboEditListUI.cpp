#include "app/controls/CComboEditListUI.h"

#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>

#include <algorithm>

#include "app/controls/CComboEditContainerElementUI.h"

namespace morvek::app {
namespace {

// Sets a label's skin style; the style sheet selects it, so a change needs a new polish.
void SetStyleName(QWidget* control, const QString& style) {
    if (control == nullptr || control->property("macrostyle").toString() == style) return;
    control->setProperty("macrostyle", style);
    control->style()->unpolish(control);
    control->style()->polish(control);
}

void SetText(QLabel* label, const QString& text) {
    if (label != nullptr && label->text() != text) label->setText(text);
}

}  // namespace

CComboEditListUI::CComboEditListUI(QWidget* parent) : QAbstractScrollArea(parent) {
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    verticalScrollBar()->setSingleStep(kRowHeight);
}

void CComboEditListUI::SetRowSource(RowSource source) {
    source_ = std::move(source);
    RefreshRows();
}

void CComboEditListUI::SetRowCount(int count) {
    count_ = std::max(0, count);
    if (selected_ >= count_) selected_ = -1;
    UpdateScrollRange();
    LayOutRows();
}

void CComboEditListUI::SetSelectedRow(int row) {
    selected_ = row >= 0 && row < count_ ? row : -1;
    ShowSelection();
}

void CComboEditListUI::ShowSelection() {
    // Programmatic: no row sends "selectchanged". The selected row last, so that selecting it
    // finds every other row unselected already.
    CComboEditContainerElementUI* shown = RowWidget(selected_);
    for (CComboEditContainerElementUI* row : pool_) {
        const QSignalBlocker quiet(row);
        if (row != shown) row->Select(false);
    }
    if (shown != nullptr) {
        const QSignalBlocker quiet(shown);
        shown->Select(true);
    }
}

void CComboEditListUI::RefreshRows() {
    for (size_t i = 0; i < pool_.size(); ++i) {
        if (bound_[i] >= 0) Bind(pool_[i], bound_[i]);
    }
}

void CComboEditListUI::RefreshRow(int row) {
    if (CComboEditContainerElementUI* shown = RowWidget(row)) Bind(shown, row);
}

void CComboEditListUI::EnsureRowVisible(int row) {
    if (row < 0 || row >= count_) return;
    QScrollBar* bar = verticalScrollBar();
    const int top = row * kRowHeight;
    const int bottom = top + kRowHeight;
    if (top < bar->value()) bar->setValue(top);
    else if (bottom > bar->value() + viewport()->height()) bar->setValue(bottom - viewport()->height());
}

CComboEditContainerElementUI* CComboEditListUI::RowWidget(int row) const {
    if (row < 0) return nullptr;
    for (size_t i = 0; i < pool_.size(); ++i) {
        if (bound_[i] == row) return pool_[i];
    }
    return nullptr;
}

int CComboEditListUI::RowOf(const QWidget* control) const {
    for (const QWidget* w = control; w != nullptr && w != this; w = w->parentWidget()) {
        for (size_t i = 0; i < pool_.size(); ++i) {
            if (pool_[i] == w) return bound_[i];
        }
    }
    return -1;
}

void CComboEditListUI::UpdateScrollRange() {
    QScrollBar* bar = verticalScrollBar();
    bar->setPageStep(viewport()->height());
    bar->setRange(0, std::max(0, count_ * kRowHeight - viewport()->height()));
}

void CComboEditListUI::EnsurePool() {
    const size_t needed = static_cast<size_t>(viewport()->height() / kRowHeight + 2);
    if (pool_.size() >= needed) return;
    while (pool_.size() < needed) {
        auto* row = new CComboEditContainerElementUI(viewport());
        row->setObjectName(rowName_);
        if (QLineEdit* edit = row->DelayEdit()) {
            if (!editName_.isEmpty()) edit->setObjectName(editName_);
            if (editDigits_ > 0) {
                edit->setMaxLength(editDigits_);
                edit->setValidator(new QRegularExpressionValidator(
                    QRegularExpression(QStringLiteral("\\d{0,%1}").arg(editDigits_)), edit));
            }
            connect(edit, &QLineEdit::textEdited, this, [this, row](const QString& text) {
                const int index = RowOf(row);
                if (index >= 0) emit EditTextEdited(index, text);
            });
        }
        connect(row, &CComboEditContainerElementUI::notify, this, [this, row](const QString& type) {
            if (type != QLatin1String("itemclick")) return;
            const int index = RowOf(row);
            if (index < 0) return;
            SetSelectedRow(index);
            emit RowClicked(index);
        });
        row->hide();
        pool_.push_back(row);
        bound_.push_back(-1);
    }
}

void CComboEditListUI::LayOutRows() {
    if (!isVisible()) {
        // Laid out when shown, at the size it then has.
        std::fill(bound_.begin(), bound_.end(), -1);
        return;
    }
    EnsurePool();
    const int top = verticalScrollBar()->value();
    const int first = top / kRowHeight;
    const int last = std::min(count_ - 1, (top + viewport()->height() - 1) / kRowHeight);
    // A row still in view keeps its control and what it shows; the controls of rows that left
    // the view show the rows that came into it. Scrolling by a row binds one control.
    std::vector<bool> kept(static_cast<size_t>(std::max(0, last - first + 1)), false);
    std::vector<size_t> spare;
    for (size_t i = 0; i < pool_.size(); ++i) {
        if (bound_[i] >= first && bound_[i] <= last) kept[static_cast<size_t>(bound_[i] - first)] = true;
        else spare.push_back(i);
    }
    size_t next = 0;
    for (int row = first; row <= last; ++row) {
        if (kept[static_cast<size_t>(row - first)] || next >= spare.size()) continue;
        const size_t i = spare[next++];
        Bind(pool_[i], row);
        bound_[i] = row;
    }
    for (; next < spare.size(); ++next) {
        bound_[spare[next]] = -1;
        pool_[spare[next]]->hide();
    }
    const int width = viewport()->width();
    for (size_t i = 0; i < pool_.size(); ++i) {
        if (bound_[i] < 0) continue;
        pool_[i]->setGeometry(0, bound_[i] * kRowHeight - top, width, kRowHeight);
        pool_[i]->show();
    }
    ShowSelection();
}

void CComboEditListUI::Bind(CComboEditContainerElementUI* row, int index) {
    if (source_) {
        const RowData data = source_(index);
        SetText(row->Text1(), data.text1);
        SetStyleName(row->Text1(), data.text1Style);
        SetText(row->Text2(), data.text2);
        SetStyleName(row->Text2(), data.text2Style);
        if (row->Text2() != nullptr) row->Text2()->setAccessibleName(data.text2Description);
        if (QLineEdit* edit = row->DelayEdit()) {
            if (edit->text() != data.editText) edit->setText(data.editText);
            edit->setAccessibleName(data.editDescription);
        }
        row->setAccessibleName(data.text1 + QLatin1Char(' ') + data.text2Description);
    }
}

void CComboEditListUI::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollRange();
    LayOutRows();
}

void CComboEditListUI::showEvent(QShowEvent* event) {
    QAbstractScrollArea::showEvent(event);
    UpdateScrollRange();
    LayOutRows();
}

void CComboEditListUI::scrollContentsBy(int, int dy) {
    // The shown rows move with their pixels; only the rows that come into view are painted.
    viewport()->scroll(0, dy);
    LayOutRows();
}

}  // namespace morvek::app
