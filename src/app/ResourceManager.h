#pragma once
// CResourceManager: where the skin lives and what its names mean. The skin folder holds a
// resource index ("res.xml") that maps the names the code uses ("XML_MAIN", "skin.xml",
// "XML\DeviceXml\keyboarddevice.xml", ...) to .ui files and other files of the skin, and the
// language files that translate text keys.
//
// Index format:
//   <Resource>
//     <File name="XML_MAIN" path="main.ui"/>
//     ...
//   </Resource>
// Language file format (lan_en.xml, lan_cn.xml, lan_de.xml):
//   <Language name="en_US">
//     <Text id="message_text_22">Restore the default settings?</Text>
//   </Language>
//
// A control shows a translated text when its dynamic property "resourcetext" is true: its
// text (or the "textkey" property, kept from the first translation) is the key. A control
// whose dynamic property "tipkey" names a key shows that key's text as its tooltip. Every
// translated control also gets an accessible name (what screen readers and desktop
// automation find it by): the tooltip's text, else its own text.

#include <QHash>
#include <QString>
#include <QWidget>

#include <functional>

namespace morvek::app {

class CResourceManager {
public:
    // Optional override of text queries: a window answers some keys itself (QueryControlText).
    using TextQuery = std::function<bool(const QString& key, QString& text)>;

    static constexpr const char* kIndexFile = "res.xml";
    // Dynamic properties of controls.
    static constexpr const char* kResourceTextProperty = "resourcetext";
    static constexpr const char* kTextKeyProperty = "textkey";
    static constexpr const char* kTipKeyProperty = "tipkey";

    // The process-wide resource manager.
    static CResourceManager& GetInstance();

    // The skin folder; also registered as the "skin:" search prefix, so style sheets and image
    // names may say "skin:common/background.png".
    void SetResourcePath(const QString& folder);
    QString ResourcePath() const { return folder_; }

    // Reads the index file of the skin folder. False when it is missing or broken; the names
    // then resolve as paths relative to the skin folder.
    bool LoadResource(const QString& indexFile = kIndexFile);
    // The file a name stands for: the index entry, else the name itself with "\" as "/",
    // relative to the skin folder. Empty for an empty name.
    QString FilePath(const QString& name) const;
    bool HasEntry(const QString& name) const;

    // Loads a language file (a resource name or a file name in the skin folder). False when it
    // cannot be read; the texts loaded before stay then.
    bool LoadLanguage(const QString& file);
    QString LanguageName() const { return languageName_; }
    // The translation of a key: the text query's answer, else the language file's, else the key.
    QString Text(const QString& key) const;
    void SetTextQueryInterface(TextQuery query);

    // Shows the translation of every control under root (root included) marked as resource text.
    void ReloadText(QWidget* root) const;
    // Marks a control as a resource text showing key, and shows its translation now.
    void SetResourceText(QWidget* control, const QString& key) const;

    // Forgets the index, the texts and the text query (shut-down, tests).
    void Release();

private:
    QString folder_;
    QHash<QString, QString> files_;
    QHash<QString, QString> texts_;
    QString languageName_;
    TextQuery query_;
};

}  // namespace morvek::app
