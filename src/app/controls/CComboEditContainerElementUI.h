#pragma once
// A macro action row: the list row built from the skin's row layout
// "XML\CustomControlXML\ComboEditElementItem.xml" with the texts "text1" and "text2" and the
// edit "delay_edit" (whose Enter the notification pump sends as "return").

#include <QLabel>
#include <QLineEdit>

#include "app/controls/CListElementUI.h"

namespace morvek::app {

class CComboEditContainerElementUI : public CListElementUI {
    Q_OBJECT

public:
    static constexpr const char* kRowLayout = "XML\\CustomControlXML\\ComboEditElementItem.xml";

    explicit CComboEditContainerElementUI(QWidget* parent = nullptr);

    // nullptr when the skin's row layout lacks the control.
    QLabel* Text1() const { return text1_; }
    QLabel* Text2() const { return text2_; }
    QLineEdit* DelayEdit() const { return delayEdit_; }

private:
    QLabel* text1_ = nullptr;
    QLabel* text2_ = nullptr;
    QLineEdit* delayEdit_ = nullptr;
};

}  // namespace morvek::app
