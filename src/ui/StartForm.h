#pragma once

#include <QPixmap>
#include <QWidget>

// The start picture, 460 x 104, drawn rather than loaded.
QPixmap StartPicture();

// The splash window: borderless, centred, the start picture, and a timer of
// 3000 ms that only switches itself off.
class TfmStart : public QWidget {
    Q_OBJECT
public:
    static constexpr int kShowMs = 3000;
    explicit TfmStart(int showMs = kShowMs);
    bool timerFired() const { return fired_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool fired_ = false;
};
