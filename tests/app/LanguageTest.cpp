// Language files: controls marked as resource texts show the translation of their key.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/ResourceManager.h"
#include "app/QtPrinters.h"
#include "app/SkinFixture.h"

namespace morvek::app {
namespace {

class LanguageTest : public ::testing::Test {
protected:
    void SetUp() override {
        skin.Write("lan_en.xml", R"(<Language name="en_US"><Text id="hello">Hello</Text><Text id="bye">Bye</Text></Language>)");
        skin.Write("lan_de.xml", R"(<Language name="de_DE"><Text id="hello">Hallo</Text></Language>)");
        marked = new QLabel("hello", &root);
        marked->setProperty(CResourceManager::kResourceTextProperty, true);
        plain = new QPushButton("hello", &root);
    }
    static CResourceManager& resources() { return CResourceManager::GetInstance(); }

    test::SkinFolder skin;
    QWidget root;
    QLabel* marked = nullptr;
    QPushButton* plain = nullptr;
};

TEST_F(LanguageTest, MarkedControlsFollowTheLanguageAndUnmarkedStay) {
    ASSERT_TRUE(resources().LoadLanguage("lan_en.xml"));
    resources().ReloadText(&root);
    EXPECT_EQ(marked->text(), "Hello");
    EXPECT_EQ(plain->text(), "hello");
    // The key is kept, so a second language translates the key and not the English text.
    ASSERT_TRUE(resources().LoadLanguage("lan_de.xml"));
    EXPECT_EQ(resources().LanguageName(), "de_DE");
    resources().ReloadText(&root);
    EXPECT_EQ(marked->text(), "Hallo");
    // A key the language lacks shows the key itself.
    EXPECT_EQ(resources().Text("bye"), "bye");
}

TEST_F(LanguageTest, UnreadableLanguageKeepsTheTextsLoadedBefore) {
    ASSERT_TRUE(resources().LoadLanguage("lan_en.xml"));
    EXPECT_FALSE(resources().LoadLanguage("lan_xx.xml"));
    skin.Write("lan_bad.xml", "<Language><Text id=");
    EXPECT_FALSE(resources().LoadLanguage("lan_bad.xml"));
    EXPECT_EQ(resources().Text("hello"), "Hello");
    EXPECT_EQ(resources().LanguageName(), "en_US");
}

TEST_F(LanguageTest, TextQueryAnswersBeforeTheLanguageFile) {
    ASSERT_TRUE(resources().LoadLanguage("lan_en.xml"));
    resources().SetTextQueryInterface([](const QString& key, QString& text) {
        if (key != "bye") return false;
        text = "See you";
        return true;
    });
    EXPECT_EQ(resources().Text("bye"), "See you");
    EXPECT_EQ(resources().Text("hello"), "Hello");
    resources().SetResourceText(plain, "bye");
    EXPECT_EQ(plain->text(), "See you");
}

}  // namespace
}  // namespace morvek::app
