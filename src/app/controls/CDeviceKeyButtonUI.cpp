#include "app/controls/CDeviceKeyButtonUI.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>

#include "app/controls/CSelectPanelUI.h"

namespace morvek::app {

CDeviceKeyButtonUI::CDeviceKeyButtonUI(QWidget* parent) : QPushButton(parent) {
    FollowParent();
    // setChecked sends no event.
    connect(this, &QAbstractButton::toggled, this, [this] { RepaintIfChanged(); });
}

void CDeviceKeyButtonUI::FollowParent() {
    auto* picture = qobject_cast<CSelectPanelUI*>(parentWidget());
    if (picture == picture_) return;
    if (picture_ != nullptr) {
        if (scheduledShown_) picture_->RepaintArea(scheduledGeometry_);
        picture_->ButtonsChanged();
    }
    picture_ = picture;
    // Not painted by the window's repaint pass: the picture draws it.
    setUpdatesEnabled(picture_ == nullptr);
    if (picture_ != nullptr) picture_->ButtonsChanged();
    scheduledShown_ = false;
    scheduledKey_ = CurrentLookKey();
    Repaint();
}

void CDeviceKeyButtonUI::Repaint() {
    if (picture_ == nullptr) {
        update();
        return;
    }
    const bool shown = !isHidden();
    // The area it covered and the one it covers now (the same unless it moved or was hidden).
    if (scheduledShown_ && (!shown || scheduledGeometry_ != geometry())) picture_->RepaintArea(scheduledGeometry_);
    if (shown) picture_->RepaintArea(geometry());
    // Which button lies on which is found again when one moves, shows or hides.
    if (scheduledGeometry_ != geometry() || scheduledShown_ != shown) picture_->ButtonsChanged();
    scheduledGeometry_ = geometry();
    scheduledShown_ = shown;
}

void CDeviceKeyButtonUI::RepaintIfChanged() {
    if (picture_ == nullptr) return;
    LookKey key = CurrentLookKey();
    if (scheduledShown_ == !isHidden() && scheduledGeometry_ == geometry() && scheduledKey_ == key) return;
    scheduledKey_ = std::move(key);
    Repaint();
}

bool CDeviceKeyButtonUI::event(QEvent* event) {
    const bool handled = QPushButton::event(event);
    switch (event->type()) {
        case QEvent::Paint: break;
        case QEvent::ParentChange: FollowParent(); break;
        case QEvent::ZOrderChange:
            if (picture_ != nullptr) picture_->ButtonsChanged();
            Repaint();
            break;
        // Hover, press, focus, enabling, style, place and visibility arrive as events; a new
        // text posts a layout request to the picture, which asks its buttons.
        default: RepaintIfChanged(); break;
    }
    return handled;
}

void CDeviceKeyButtonUI::changeEvent(QEvent* event) {
    switch (event->type()) {
        case QEvent::StyleChange:
        case QEvent::FontChange:
        case QEvent::PaletteChange:
        case QEvent::ActivationChange:
        case QEvent::LayoutDirectionChange: ++styleGeneration_; break;
        default: break;
    }
    QPushButton::changeEvent(event);
}

void CDeviceKeyButtonUI::SetLightImage(const QString& attribute) {
    lightImage_ = SkinImage(attribute);
    shapeChanged_ = true;
    Repaint();
}

void CDeviceKeyButtonUI::SetKeySetImage(const QString& attribute) {
    keySetImage_ = SkinImage(attribute);
    unlit_ = QImage();
    Repaint();
}

void CDeviceKeyButtonUI::SetLightDisplay(uint32_t colourWord, uint8_t brightness, bool shown) {
    if (colourWord == lightColour_ && brightness == lightBrightness_ && shown == lightShown_) return;
    lightColour_ = colourWord;
    lightBrightness_ = brightness;
    lightShown_ = shown;
    if (picture_ != nullptr && shown && scheduledShown_ && !isHidden() && scheduledGeometry_ == geometry()) {
        picture_->RepaintLight(this);
    } else {
        Repaint();
    }
}

QColor CDeviceKeyButtonUI::TintFor(uint32_t colourWord, uint8_t brightness) {
    const auto scaled = [brightness](uint32_t value) { return static_cast<int>((value & 0xFF) * brightness / 255); };
    return QColor(scaled(colourWord), scaled(colourWord >> 16), scaled(colourWord >> 8));
}

void CDeviceKeyButtonUI::SetKeySetImageHidden(bool hidden) {
    if (hidden == keySetImageHidden_) return;
    keySetImageHidden_ = hidden;
    unlit_ = QImage();
    Repaint();
}

void CDeviceKeyButtonUI::SetSelected(bool selected) {
    if (selected == selected_) return;
    selected_ = selected;
    // The style sheet draws the selected look through the "keySelected" property.
    style()->unpolish(this);
    style()->polish(this);
    if (picture_ == nullptr) update();
    else RepaintIfChanged();
}

void CDeviceKeyButtonUI::paintEvent(QPaintEvent*) {
    if (picture_ != nullptr) return;  // the picture draws it
    QPainter painter(this);
    PaintContent(painter, QPoint(0, 0));
}

CDeviceKeyButtonUI::LookKey CDeviceKeyButtonUI::CurrentLookKey() const {
    return LookKey{isEnabled(),
                   hasFocus(),
                   underMouse(),
                   isDown(),
                   isChecked(),
                   isFlat(),
                   isDefault(),
                   text(),
                   icon().cacheKey(),
                   (QSizeF(size()) * devicePixelRatioF()).toSize(),
                   selected_,
                   styleGeneration_};
}

// The look as the style draws a push button, and the light's shape, each drawn once per size
// and state. On a picture the button's events keep scheduledKey_ current, so a repaint compares
// nothing it does not have to.
void CDeviceKeyButtonUI::UpdateLayers(const LookKey& key) {
    const bool lookChanged = key != layersKey_ || layers_.Look().isNull();
    if (lookChanged) {
        const qreal ratio = devicePixelRatioF();
        QImage look(key.pixels, QImage::Format_ARGB32_Premultiplied);
        look.setDevicePixelRatio(ratio);
        look.fill(Qt::transparent);
        QStyleOptionButton option;
        initStyleOption(&option);
        {
            QPainter lookPainter(&look);
            style()->drawControl(QStyle::CE_PushButton, &option, &lookPainter, this);
        }
        layers_.SetLook(std::move(look));
        layersKey_ = key;
    }
    if (lookChanged || shapeChanged_) {
        // Without a light image the whole button glows.
        QImage shape;
        if (!lightImage_.IsEmpty()) {
            shape = QImage(key.pixels, QImage::Format_ARGB32_Premultiplied);
            shape.setDevicePixelRatio(devicePixelRatioF());
            shape.fill(Qt::transparent);
            QPainter shapePainter(&shape);
            shapePainter.setRenderHint(QPainter::Antialiasing);
            lightImage_.Paint(shapePainter, rect());
        }
        layers_.SetShape(std::move(shape));
        shapeChanged_ = false;
    }
}

void CDeviceKeyButtonUI::PaintContent(QPainter& painter, QPoint at, CDeviceKeyButtonUI* above,
                                      const QImage* pictureBeneath) {
    UpdateLayers(picture_ != nullptr ? scheduledKey_ : CurrentLookKey());
    const qreal ratio = devicePixelRatioF();
    if (above != nullptr) {
        layers_.SetAbove(above->UnlitImage(), (above->pos() - pos()) * ratio);
    } else {
        layers_.SetAbove(QImage(), QPoint());
    }
    if (pictureBeneath != nullptr && lightShown_) {
        const QRect place(geometry().topLeft() * ratio, layers_.Look().size());
        if (beneathFrom_ != pictureBeneath->cacheKey() || beneathPlace_ != place) {
            beneath_ = pictureBeneath->copy(place);
            beneathFrom_ = pictureBeneath->cacheKey();
            beneathPlace_ = place;
        }
        layers_.SetBeneath(beneath_);
    } else {
        layers_.SetBeneath(QImage());
    }
    painter.drawImage(at, lightShown_ ? layers_.Lit(TintFor(lightColour_, lightBrightness_)) : layers_.Look());
    if (!keySetImageHidden_) keySetImage_.Paint(painter, rect().translated(at));
}

bool CDeviceKeyButtonUI::CanCarry(const CDeviceKeyButtonUI& above) const {
    return lightShown_ && (keySetImageHidden_ || keySetImage_.IsEmpty()) && !above.isHidden() && !above.lightShown_ &&
           geometry().contains(above.geometry());
}

const QImage& CDeviceKeyButtonUI::UnlitImage() {
    UpdateLayers(picture_ != nullptr ? scheduledKey_ : CurrentLookKey());
    const QImage& look = layers_.Look();
    if (keySetImageHidden_ || keySetImage_.IsEmpty()) return look;
    if (unlit_.isNull() || unlitFrom_ != look.cacheKey()) {
        unlit_ = look.copy();
        unlit_.setDevicePixelRatio(look.devicePixelRatio());
        QPainter markPainter(&unlit_);
        markPainter.setRenderHint(QPainter::Antialiasing);
        keySetImage_.Paint(markPainter, rect());
        unlitFrom_ = look.cacheKey();
    }
    return unlit_;
}

void CDeviceKeyButtonUI::mouseDoubleClickEvent(QMouseEvent* event) {
    QPushButton::mouseDoubleClickEvent(event);
    if (isEnabled() && rect().contains(event->position().toPoint())) emit notify(QStringLiteral("dbclick"));
}

}  // namespace morvek::app
