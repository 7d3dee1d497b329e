// Building skin files: the resource index, the control factory and the window's builder tags.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>

#include <memory>

#include "app/ControlFactory.h"
#include "app/DialogBuilder.h"
#include "app/ResourceManager.h"
#include "app/QtPrinters.h"
#include "app/SkinFixture.h"

namespace morvek::app {
namespace {

class TagWidget : public QWidget {
public:
    using QWidget::QWidget;
};

class TagCallback : public IDialogBuilderCallback {
public:
    QWidget* CreateControl(const QString& tag, QWidget* parent) override {
        tags.push_back(tag);
        return tag == "WindowTag" ? new TagWidget(parent) : nullptr;
    }
    QStringList tags;
};

class SkinLoadingTest : public ::testing::Test {
protected:
    void SetUp() override {
        skin.Write("res.xml", R"(<Resource>
  <File name="XML_MAIN" path="main.ui"/>
  <File name="XML\DeviceXml\page.xml" path="devices/page.ui"/>
</Resource>)");
        ASSERT_TRUE(resources().LoadResource());
    }
    static CResourceManager& resources() { return CResourceManager::GetInstance(); }

    test::SkinFolder skin;
};

TEST_F(SkinLoadingTest, IndexNamesResolveToFilesAndOtherNamesAreSkinPaths) {
    EXPECT_TRUE(resources().FilePath("XML_MAIN").endsWith("/main.ui"));
    EXPECT_TRUE(resources().FilePath("XML\\DeviceXml\\page.xml").endsWith("/devices/page.ui"));
    EXPECT_TRUE(resources().FilePath("XML\\Other\\x.ui").endsWith("/XML/Other/x.ui"));
    EXPECT_TRUE(resources().FilePath("").isEmpty());
}

TEST_F(SkinLoadingTest, BrokenIndexKeepsThePreviousOne) {
    skin.Write("res.xml", "<Resource><File name=");
    EXPECT_FALSE(resources().LoadResource());
    EXPECT_TRUE(resources().HasEntry("XML_MAIN"));
}

TEST_F(SkinLoadingTest, FactoryClassesBuilderTagsAndQtWidgetsAllBuild) {
    CControlFactory::GetInstance().RegistControl("CTestFactoryUI", [](QWidget* parent) { return new QLabel("made", parent); });
    skin.WriteUi("devices/page.ui", R"(
<item><widget class="CTestFactoryUI" name="from_factory"/></item>
<item><widget class="WindowTag" name="from_callback"/></item>
<item><widget class="QPushButton" name="from_qt"/></item>)");
    TagCallback callback;
    CDialogBuilder builder(resources(), &callback);
    std::unique_ptr<QWidget> root(builder.Create("XML\\DeviceXml\\page.xml"));
    ASSERT_NE(root, nullptr) << builder.ErrorString().toStdString();
    auto* fromFactory = root->findChild<QLabel*>("from_factory");
    ASSERT_NE(fromFactory, nullptr);
    EXPECT_EQ(fromFactory->text(), "made");
    EXPECT_NE(dynamic_cast<TagWidget*>(root->findChild<QWidget*>("from_callback")), nullptr);
    EXPECT_NE(root->findChild<QPushButton*>("from_qt"), nullptr);
    // The factory answers first: the callback never saw the factory's class.
    EXPECT_FALSE(callback.tags.contains("CTestFactoryUI"));
}

TEST_F(SkinLoadingTest, UnknownClassOrMissingFileFailsWithTheReason) {
    skin.WriteUi("main.ui", R"(<item><widget class="CNobodyKnowsUI" name="x"/></item>)");
    CDialogBuilder builder(resources());
    EXPECT_EQ(builder.Create("XML_MAIN"), nullptr);
    EXPECT_TRUE(builder.ErrorString().contains("CNobodyKnowsUI"));
    EXPECT_EQ(builder.Create("XML\\DeviceXml\\page.xml"), nullptr);
    EXPECT_TRUE(builder.ErrorString().contains("cannot open"));
}

TEST_F(SkinLoadingTest, RegistrationKeepsOrderAndLaterCreatorReplaces) {
    CControlFactory factory;
    factory.RegistControl("A", [](QWidget* p) { return new QLabel("1", p); });
    factory.RegistControl("B", [](QWidget* p) { return new QLabel("2", p); });
    factory.RegistControl("A", [](QWidget* p) { return new QLabel("3", p); });
    EXPECT_EQ(factory.RegisteredNames(), QStringList({"A", "B"}));
    std::unique_ptr<QWidget> made(factory.CreateControl("A", nullptr));
    EXPECT_EQ(static_cast<QLabel*>(made.get())->text(), "3");
    EXPECT_EQ(factory.CreateControl("C", nullptr), nullptr);
}

}  // namespace
}  // namespace morvek::app
