#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>

#include "ControlTestSupport.h"
#include "SkinFixture.h"
#include "app/controls/CChartViewUI.h"
#include "app/controls/CComboEditContainerElementUI.h"
#include "app/controls/CComboEditListUI.h"

namespace morvek::app {
namespace {

// A list of 2000 rows "row n" in a 300 x 200 view (six to seven rows shown at a time).
class ActionListTest : public ::testing::Test {
protected:
    ActionListTest() {
        morvek::test::UseShippedSkin();
        list_.setProperty("rowname", "macro_action");
        list_.setProperty("editname", "macro_delay");
        list_.setProperty("editdigits", 6);
        list_.resize(300, 200);
        list_.SetRowSource([this](int row) {
            ++bound_;
            CComboEditListUI::RowData data;
            data.text1 = QStringLiteral("row %1").arg(row);
            data.text2Style = row % 2 ? "macro_label_down_style" : "macro_label_up_style";
            data.editText = delays_.value(row, QString::number(row));
            return data;
        });
        list_.SetRowCount(2000);
        list_.show();
    }

    QStringList ShownRows() const {
        QStringList rows;
        for (int row = 0; row < list_.RowCount(); ++row) {
            if (CComboEditContainerElementUI* w = list_.RowWidget(row)) rows.append(w->Text1()->text());
        }
        return rows;
    }

    CComboEditListUI list_;
    QHash<int, QString> delays_;
    int bound_ = 0;
};

TEST_F(ActionListTest, OnlyTheShownRowsHaveControlsAndScrollingBindsThemAgain) {
    EXPECT_LE(list_.RowWidgets().size(), 10u);
    EXPECT_EQ(ShownRows().front(), "row 0");
    EXPECT_EQ(list_.verticalScrollBar()->maximum(), 2000 * CComboEditListUI::kRowHeight - list_.viewport()->height());

    list_.EnsureRowVisible(1999);
    EXPECT_EQ(ShownRows().back(), "row 1999");
    ASSERT_NE(list_.RowWidget(1999), nullptr);
    EXPECT_EQ(list_.RowWidget(1999)->geometry().bottom() + 1, list_.viewport()->height());
    EXPECT_EQ(list_.RowWidget(1999)->DelayEdit()->text(), "1999");
    EXPECT_EQ(list_.RowWidget(0), nullptr);
    EXPECT_EQ(list_.RowWidget(1999)->objectName(), "macro_action");
    EXPECT_EQ(list_.RowWidget(1999)->DelayEdit()->objectName(), "macro_delay");

    list_.EnsureRowVisible(1000);
    EXPECT_EQ(ShownRows().front(), "row 1000");
    EXPECT_LE(list_.RowWidgets().size(), 10u);
}

TEST_F(ActionListTest, ClicksSelectTheRowTheControlShowsAndEditsReportTheirRow) {
    list_.EnsureRowVisible(500);
    QSignalSpy clicked(&list_, &CComboEditListUI::RowClicked);
    QSignalSpy edited(&list_, &CComboEditListUI::EditTextEdited);
    CComboEditContainerElementUI* row = list_.RowWidget(500);
    ASSERT_NE(row, nullptr);
    test::Press(row, {5, 5});
    test::Release(row, {5, 5});
    ASSERT_EQ(clicked.size(), 1);
    EXPECT_EQ(clicked[0][0].toInt(), 500);
    EXPECT_EQ(list_.SelectedRow(), 500);
    EXPECT_TRUE(row->IsSelected());
    EXPECT_EQ(list_.RowOf(row->DelayEdit()), 500);

    // The selection follows the row, not the control, when the list scrolls.
    list_.EnsureRowVisible(0);
    for (CComboEditContainerElementUI* shown : list_.RowWidgets()) EXPECT_FALSE(shown->IsSelected());
    list_.EnsureRowVisible(500);
    EXPECT_TRUE(list_.RowWidget(500)->IsSelected());

    // Digits only, six at most; what a user types is reported with its row.
    QLineEdit* edit = list_.RowWidget(500)->DelayEdit();
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, "12a3456789");
    EXPECT_EQ(edit->text().toStdString(), "123456");
    ASSERT_FALSE(edited.isEmpty());
    EXPECT_EQ(edited.back()[0].toInt(), 500);
    EXPECT_EQ(edited.back()[1].toString().toStdString(), "123456");
}

TEST_F(ActionListTest, ADoubleClickOnARowActivatesIt) {
    test::NotifyRecorder recorder;
    CComboEditContainerElementUI* row = list_.RowWidget(2);
    recorder.Watch(static_cast<CListElementUI*>(row));
    test::SendMouse(row, QEvent::MouseButtonDblClick, {5, 5});
    EXPECT_EQ(recorder.seen, (std::vector<std::pair<std::string, std::string>>{{"macro_action", "itemactivate"}}));
}

TEST_F(ActionListTest, FewerRowsThanTheViewHoldsHideTheRest) {
    list_.SetSelectedRow(1500);
    list_.SetRowCount(3);
    EXPECT_EQ(ShownRows(), (QStringList{"row 0", "row 1", "row 2"}));
    EXPECT_EQ(list_.SelectedRow(), -1);
    EXPECT_EQ(list_.verticalScrollBar()->maximum(), 0);
    size_t shown = 0;
    for (CComboEditContainerElementUI* w : list_.RowWidgets()) shown += w->isVisible() ? 1 : 0;
    EXPECT_EQ(shown, 3u);
}

TEST(ChartViewTest, APathStartsAtTheCentreTopAndHighlightsItsStep) {
    CChartViewUI chart;
    chart.resize(100, 100);
    chart.SetView("path");
    EXPECT_EQ(chart.View(), "path");
    chart.AddStep("1", 0, 10);
    chart.AddStep("2", 0, 10);
    chart.SetHighlighted(1);
    QPalette palette = chart.palette();
    palette.setColor(QPalette::BrightText, Qt::white);
    palette.setColor(QPalette::Highlight, Qt::red);
    chart.setPalette(palette);
    // Two steps of 10 down fill the height: the last dot at the foot, the first half way.
    EXPECT_EQ(test::PixelOf(&chart, {50, 92}), QColor(Qt::white));
    EXPECT_EQ(test::PixelOf(&chart, {50, 50}), QColor(Qt::red));
}

}  // namespace
}  // namespace morvek::app
