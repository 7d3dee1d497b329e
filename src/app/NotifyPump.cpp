#include "app/NotifyPump.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QComboBox>
#include <QChildEvent>
#include <QEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

#include <utility>

namespace morvek::app {

namespace {

constexpr const char* kAttachedProperty = "morvek_notify_attached";

bool HasNotifySignal(const QWidget* control) {
    return control->metaObject()->indexOfSignal("notify(QString)") >= 0;
}

}  // namespace

CNotifyPump::CNotifyPump(Sink sink, QObject* parent) : QObject(parent), sink_(std::move(sink)) {}

void CNotifyPump::Attach(QWidget* root) {
    if (root == nullptr) return;
    AttachOne(root);
    for (QWidget* control : root->findChildren<QWidget*>()) AttachOne(control);
}

void CNotifyPump::Send(const QString& type, QWidget* sender, int param) {
    if (!sink_) return;
    TNotifyUI msg;
    msg.sType = type;
    msg.pSender = sender;
    msg.sName = sender ? sender->objectName() : QString();
    msg.wParam = param;
    sink_(msg);
}

void CNotifyPump::AttachOne(QWidget* control) {
    if (control->property(kAttachedProperty).toBool()) return;
    control->setProperty(kAttachedProperty, true);

    if (HasNotifySignal(control)) connect(control, SIGNAL(notify(QString)), this, SLOT(OnControlNotify(QString)));

    if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        connect(button, &QAbstractButton::clicked, this, [this, button] { Send("click", button); });
        connect(button, &QAbstractButton::toggled, this, [this, button](bool on) { Send("selectchanged", button, on); });
    } else if (auto* slider = qobject_cast<QAbstractSlider*>(control)) {
        connect(slider, &QAbstractSlider::sliderMoved, this, [this, slider](int v) { Send("movevaluechanged", slider, v); });
        connect(slider, &QAbstractSlider::sliderReleased, this,
                [this, slider] { Send("valuechanged", slider, slider->value()); });
        connect(slider, &QAbstractSlider::actionTriggered, this, [this, slider](int action) {
            // Keys, wheel and page clicks change the value without holding the handle. The
            // position the action chose goes with the notification, which follows once the
            // slider took it: a refresh of the page in between does not change what was chosen.
            if (action != QAbstractSlider::SliderMove && !slider->isSliderDown()) {
                const int position = slider->sliderPosition();
                QMetaObject::invokeMethod(
                    this, [this, slider, position] { Send("valuechanged", slider, position); }, Qt::QueuedConnection);
            }
        });
    } else if (auto* combo = qobject_cast<QComboBox*>(control)) {
        connect(combo, &QComboBox::activated, this, [this, combo](int index) { Send("itemselect", combo, index); });
    } else if (auto* view = qobject_cast<QAbstractItemView*>(control)) {
        connect(view, &QAbstractItemView::clicked, this,
                [this, view](const QModelIndex& index) { Send("itemclick", view, index.row()); });
        connect(view, &QAbstractItemView::activated, this,
                [this, view](const QModelIndex& index) { Send("itemactivate", view, index.row()); });
        connect(view, &QAbstractItemView::pressed, this,
                [this, view](const QModelIndex& index) { Send("itemselect", view, index.row()); });
    } else if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        connect(edit, &QLineEdit::textEdited, this, [this, edit] { Send("textchanged", edit); });
        connect(edit, &QLineEdit::returnPressed, this, [this, edit] { Send("return", edit); });
    } else if (auto* text = qobject_cast<QTextEdit*>(control)) {
        connect(text, &QTextEdit::textChanged, this, [this, text] { Send("textchanged", text); });
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(control)) {
        connect(plain, &QPlainTextEdit::textChanged, this, [this, plain] { Send("textchanged", plain); });
    }
    control->installEventFilter(this);
}

bool CNotifyPump::eventFilter(QObject* watched, QEvent* event) {
    auto* control = qobject_cast<QWidget*>(watched);
    if (control == nullptr) return false;
    switch (event->type()) {
        case QEvent::FocusIn:
            Send("setfocus", control);
            break;
        case QEvent::FocusOut:
            Send("killfocus", control);
            break;
        case QEvent::ChildPolished:
            // A control made later under an attached one (a list's rows) sends its notifications
            // too: it is attached once it is complete, before it is first shown.
            if (auto* child = qobject_cast<QWidget*>(static_cast<QChildEvent*>(event)->child())) Attach(child);
            break;
        default:
            break;
    }
    return false;
}

void CNotifyPump::OnControlNotify(const QString& type) { Send(type, qobject_cast<QWidget*>(sender())); }

}  // namespace morvek::app
