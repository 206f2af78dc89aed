#pragma once

#include <QLabel>
#include <QWidget>

#include "FadeSlider.h"
#include "TrackbarSlider.h"

// The strip along the bottom of the main window: a slider (0 to 200) that
// sets how long the plant's trails last, and a label above it showing the
// value. It reports every value and knows nothing of what the value means.
// The controls keep their template geometry however wide the owner
// stretches the panel.
class ControlPanel : public QWidget {
    Q_OBJECT

public:
    explicit ControlPanel(QWidget* parent = nullptr);

    // Makes the panel a child of `parent`, sets up its controls with the
    // slider at `start` and reports that value: connect to ValueReported
    // before this.
    void Create(QWidget* parent, int start = FadeSlider::kStart);

signals:
    // The slider's position: once at creation, then after every move.
    void ValueReported(int value);

private:
    // Shows the slider's own position in the label and reports it.
    void UpdateValue();

    QLabel m_label;
    TrackbarSlider m_slider;
};
