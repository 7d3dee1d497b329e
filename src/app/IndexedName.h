#pragma once
// Indexed control names: a name whose last underscore is followed by a decimal number splits
// into the prefix (up to and including that underscore) and the index ("DPI_slider_2" is
// "DPI_slider_" and 2). The window routes such names by prefix.

#include <QString>

#include <optional>

namespace morvek::app {

struct IndexedName {
    QString prefix;
    int index = 0;

    bool operator==(const IndexedName&) const = default;
};

// Empty when the name has no underscore, nothing after its last one, or anything but decimal
// digits there, or a number that does not fit an int.
std::optional<IndexedName> SplitIndexedName(const QString& name);

}  // namespace morvek::app
