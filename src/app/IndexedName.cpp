#include "app/IndexedName.h"

namespace morvek::app {

std::optional<IndexedName> SplitIndexedName(const QString& name) {
    const qsizetype underscore = name.lastIndexOf('_');
    if (underscore < 0 || underscore + 1 >= name.size()) return std::nullopt;
    const QStringView digits = QStringView(name).mid(underscore + 1);
    for (const QChar c : digits) {
        if (c < '0' || c > '9') return std::nullopt;
    }
    bool ok = false;
    const int index = digits.toInt(&ok);
    if (!ok) return std::nullopt;
    return IndexedName{name.left(underscore + 1), index};
}

}  // namespace morvek::app
