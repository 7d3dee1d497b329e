#pragma once
// The program's own fonts from the "Font" folder beside it, available to this process only.
// A file that is missing or cannot be registered is skipped without a message; the skin then
// falls back to the system's fonts. Removed in the reverse order at shut-down.

#include <QString>
#include <QStringList>

#include <vector>

namespace morvek::app {

class PrivateFonts {
public:
    // In loading order.
    static QStringList FileNames();

    // Registers the fonts of folder (needs the application object); the number registered.
    int Load(const QString& folder);
    void Remove();
    ~PrivateFonts() { Remove(); }

private:
    std::vector<int> ids_;
};

}  // namespace morvek::app
