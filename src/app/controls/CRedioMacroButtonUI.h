#pragma once
// The macro recording button. While recording, every 50 ms its record image ("redioimage")
// fades by 20 towards 80 and back towards 255, bouncing at both ends.

#include <QPushButton>
#include <QTimer>

#include "app/controls/SkinImage.h"

namespace morvek::app {

class CRedioMacroButtonUI : public QPushButton {
    Q_OBJECT
    Q_PROPERTY(QString redioimage READ RecordImage WRITE SetRecordImage)

public:
    static constexpr int kFadeIntervalMs = 50;

    explicit CRedioMacroButtonUI(QWidget* parent = nullptr);

    QString RecordImage() const { return recordImage_.Path(); }
    void SetRecordImage(const QString& attribute);

    void SetRecording(bool recording);
    bool IsRecording() const { return recording_; }
    int Fade() const { return fade_; }
    // One step of the fade (the timer's work).
    void StepFade();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    SkinImage recordImage_;
    QTimer fadeTimer_;
    int fade_ = 255;
    bool fadingOut_ = true;
    bool recording_ = false;
};

}  // namespace morvek::app
