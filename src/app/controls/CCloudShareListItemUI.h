#pragma once
// A row of the cloud share list of the skin: a list row with nothing of its own.

#include "app/controls/CListElementUI.h"

namespace morvek::app {

class CCloudShareListItemUI : public CListElementUI {
    Q_OBJECT

public:
    using CListElementUI::CListElementUI;
};

}  // namespace morvek::app
