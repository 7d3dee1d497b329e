#include "app/LanguageSwitch.h"

#include <QApplication>
#include <QFont>

#include "app/ProgramSettings.h"
#include "app/ResourceManager.h"
#include "platform/Paths.h"
#include "platform/Trace.h"
#include "profiles/JsonFile.h"
#include "update/LanguageFonts.h"

namespace morvek::app {

namespace {

constexpr const char* kFontIdProperty = "fontid";

}  // namespace

CLanguageSwitch::CLanguageSwitch()
    : languages_(ReadLanguageList(readjsonFile(LanguageListFile(DefaultDataFolder())))) {}

void CLanguageSwitch::ApplyStored() {
    if (languages_.empty()) return;
    const int stored = OpenProgramSettings()->value(kLanguageSetting, -1).toInt();
    int position = 0;
    for (size_t i = 0; i < languages_.size(); ++i) {
        if (languages_[i].id == stored) {
            position = static_cast<int>(i);
            break;
        }
    }
    Switch(position);
}

bool CLanguageSwitch::Apply(int position) {
    if (position < 0 || position >= static_cast<int>(languages_.size())) return false;
    if (position_ == position) return true;
    if (!Switch(position)) return false;
    // A settings store that cannot be written keeps the language for this run only.
    auto settings = OpenProgramSettings();
    settings->setValue(kLanguageSetting, languages_[static_cast<size_t>(position)].id);
    settings->sync();
    if (settings->status() != QSettings::NoError) Trace("language: the choice cannot be stored");
    return true;
}

bool CLanguageSwitch::Switch(int position) {
    const LanguageEntry& language = languages_[static_cast<size_t>(position)];
    CResourceManager& resources = CResourceManager::GetInstance();
    if (!resources.LoadLanguage(QString::fromStdString(language.file))) {
        Trace("language: cannot load " + language.file);
        return false;
    }
    const bool setsFont = update::LanguageChangeSetsFont(position_, position);
    position_ = position;
    if (setsFont) {
        face_ = QString::fromStdString(update::LanguageFontFace(language.name));
        QFont font(face_);
        font.setPixelSize(update::kDefaultFontPixelSize);
        QApplication::setFont(font);
    }
    for (QWidget* window : QApplication::topLevelWidgets()) {
        resources.ReloadText(window);
        if (setsFont) ApplyFontTable(window);
    }
    return true;
}

void CLanguageSwitch::ApplyFontTable(QWidget* root) const {
    if (root == nullptr || face_.isEmpty()) return;
    QList<QWidget*> controls = root->findChildren<QWidget*>();
    controls.prepend(root);
    for (QWidget* control : controls) {
        const QVariant id = control->property(kFontIdProperty);
        const update::FontTableEntry* entry = id.isValid() ? update::FindFontTableEntry(id.toInt()) : nullptr;
        if (entry == nullptr) continue;
        // The control's own style sheet: it outranks the skin's general font size.
        control->setStyleSheet(QString("font-family: \"%1\"; font-size: %2px; font-weight: %3; text-decoration: %4;")
                                   .arg(face_)
                                   .arg(entry->pixelSize)
                                   .arg(entry->bold ? "bold" : "normal")
                                   .arg(entry->underline ? "underline" : "none"));
    }
}

}  // namespace morvek::app
