#pragma once
// Shared pieces of the custom control tests: mouse events sent straight to a control, the
// colour of a pixel of a control's picture, a notification recorder and picture files written
// for a test.

#include <QApplication>
#include <QColor>
#include <QDir>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QWidget>

#include <string>
#include <utility>
#include <vector>

namespace morvek::app::test {

inline void SendMouse(QWidget* target, QEvent::Type type, QPoint at, Qt::MouseButtons held = Qt::LeftButton) {
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, QPointF(at), QPointF(target->mapToGlobal(at)), button, held, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

inline void Press(QWidget* target, QPoint at) { SendMouse(target, QEvent::MouseButtonPress, at); }
inline void MoveHeld(QWidget* target, QPoint at) { SendMouse(target, QEvent::MouseMove, at); }
inline void Release(QWidget* target, QPoint at) { SendMouse(target, QEvent::MouseButtonRelease, at, Qt::NoButton); }

inline QColor PixelOf(QWidget* widget, QPoint at) { return widget->grab().toImage().pixelColor(at); }

// Every notification a control sends, as (sender's object name, type).
class NotifyRecorder {
public:
    template <typename Control>
    void Watch(Control* control) {
        QObject::connect(control, &Control::notify, [this, control](const QString& type) {
            seen.emplace_back(control->objectName().toStdString(), type.toStdString());
        });
    }
    std::vector<std::pair<std::string, std::string>> seen;
};

// A folder with picture files for one test, registered as the "skin:" search path.
class PictureFolder {
public:
    PictureFolder() { QDir::setSearchPaths(QStringLiteral("skin"), {dir_.path()}); }
    // Writes an SVG picture of the given size with body as its content; returns its name.
    QString WriteSvg(const QString& name, QSize size, const QString& body) const;

private:
    QTemporaryDir dir_;
};

}  // namespace morvek::app::test
