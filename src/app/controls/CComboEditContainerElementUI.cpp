#include "app/controls/CComboEditContainerElementUI.h"

#include <QHBoxLayout>

#include "app/DialogBuilder.h"
#include "app/ResourceManager.h"

namespace morvek::app {

CComboEditContainerElementUI::CComboEditContainerElementUI(QWidget* parent) : CListElementUI(parent) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    CDialogBuilder builder(CResourceManager::GetInstance());
    if (QWidget* row = builder.Create(QString::fromLatin1(kRowLayout), this)) layout->addWidget(row);
    text1_ = findChild<QLabel*>(QStringLiteral("text1"));
    text2_ = findChild<QLabel*>(QStringLiteral("text2"));
    delayEdit_ = findChild<QLineEdit*>(QStringLiteral("delay_edit"));
}

}  // namespace morvek::app
