#pragma once

#include <QSlider>

// A horizontal slider with tick marks above it that answers keys and clicks
// as a trackbar does: Down and Page Down move toward the maximum, where a
// plain QSlider moves them the other way, and a left click beside the thumb
// moves it one page toward the click in every widget style.
class TrackbarSlider : public QSlider {
    Q_OBJECT

public:
    explicit TrackbarSlider(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};
