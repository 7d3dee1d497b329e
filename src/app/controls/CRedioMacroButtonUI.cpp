#include "app/controls/CRedioMacroButtonUI.h"

#include <QPainter>
#include <algorithm>

namespace morvek::app {
namespace {

constexpr int kFadeStep = 20;
constexpr int kFadeLow = 80;
constexpr int kFadeHigh = 255;

}  // namespace

CRedioMacroButtonUI::CRedioMacroButtonUI(QWidget* parent) : QPushButton(parent) {
    fadeTimer_.setInterval(kFadeIntervalMs);
    connect(&fadeTimer_, &QTimer::timeout, this, &CRedioMacroButtonUI::StepFade);
}

void CRedioMacroButtonUI::SetRecordImage(const QString& attribute) {
    recordImage_ = SkinImage(attribute);
    update();
}

void CRedioMacroButtonUI::SetRecording(bool recording) {
    recording_ = recording;
    if (recording) fadeTimer_.start();
    else fadeTimer_.stop();
    update();
}

void CRedioMacroButtonUI::StepFade() {
    if (fadingOut_) {
        fade_ = std::max(kFadeLow, fade_ - kFadeStep);
        if (fade_ <= kFadeLow) fadingOut_ = false;
    } else {
        fade_ = std::min(kFadeHigh, fade_ + kFadeStep);
        if (fade_ >= kFadeHigh) fadingOut_ = true;
    }
    update();
}

void CRedioMacroButtonUI::paintEvent(QPaintEvent* event) {
    QPushButton::paintEvent(event);
    if (!recording_) return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    recordImage_.Paint(painter, rect(), fade_ / 255.0);
}

}  // namespace morvek::app
