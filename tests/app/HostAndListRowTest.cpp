#include <gtest/gtest.h>

#include "app/controls/CListElementUI.h"
#include "app/controls/CWndUI.h"
#include "app/ControlTestSupport.h"

namespace morvek::app {
namespace {

class HostAndListRowTest : public ::testing::Test {
protected:
};

TEST_F(HostAndListRowTest, HostedChildFillsTheControlAndFollowsItsVisibility) {
    QWidget window;
    window.resize(300, 200);
    auto* host = new CWndUI(&window);
    host->setGeometry(20, 30, 100, 50);
    auto* hosted = new QWidget;
    host->Attach(hosted);
    window.show();

    EXPECT_EQ(hosted->parentWidget(), host);
    EXPECT_EQ(hosted->geometry(), QRect(0, 0, 100, 50));
    EXPECT_TRUE(hosted->isVisible());
    host->resize(120, 60);
    EXPECT_EQ(hosted->geometry(), QRect(0, 0, 120, 60));
    host->hide();
    EXPECT_TRUE(hosted->isHidden());
    host->show();
    EXPECT_TRUE(hosted->isVisible());
}

TEST_F(HostAndListRowTest, HostedWindowIsKeptAtTheControlsScreenPlace) {
    QWidget window;
    window.setGeometry(100, 100, 300, 200);
    auto* host = new CWndUI(&window);
    host->setGeometry(20, 30, 100, 50);
    auto* floating = new QWidget(&window, Qt::Tool);
    host->Attach(floating);
    window.show();

    EXPECT_TRUE(floating->isWindow());
    EXPECT_EQ(floating->geometry(), QRect(host->mapToGlobal(QPoint(0, 0)), QSize(100, 50)));
    EXPECT_TRUE(floating->isVisible());
    window.move(150, 120);
    EXPECT_EQ(floating->geometry(), QRect(host->mapToGlobal(QPoint(0, 0)), QSize(100, 50)));
    window.hide();
    EXPECT_FALSE(floating->isVisible());
}

TEST_F(HostAndListRowTest, ClickedRowIsTheOnlySelectedRowOfItsList) {
    QWidget list;
    auto* first = new CListElementUI(&list);
    auto* second = new CListElementUI(&list);
    first->setObjectName(QStringLiteral("row_0"));
    second->setObjectName(QStringLiteral("row_1"));
    first->resize(100, 20);
    second->resize(100, 20);
    test::NotifyRecorder recorder;
    recorder.Watch(first);
    recorder.Watch(second);

    test::Press(first, {5, 5});
    test::Release(first, {5, 5});
    test::Press(second, {5, 5});
    test::Release(second, {5, 5});
    test::Press(second, {5, 5});
    test::Release(second, {5, 50});  // released outside the row: no click

    EXPECT_FALSE(first->IsSelected());
    EXPECT_TRUE(second->IsSelected());
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"row_0", "selectchanged"}, {"row_0", "itemclick"},     {"row_0", "selectchanged"},
        {"row_1", "selectchanged"}, {"row_1", "itemclick"},
    };
    EXPECT_EQ(recorder.seen, expected);
}

}  // namespace
}  // namespace morvek::app
