#pragma once

#include <QLabel>
#include <QWidget>

#include "PanelListener.h"
#include "TrackbarSlider.h"

// The strip along the bottom of the main window: a slider (0 to 200) that
// sets how long the plant's trails last, and a label above it showing the
// value. It reports every value to its listener and knows nothing of what the
// value means. The controls keep their template geometry however wide the
// owner stretches the panel.
class ControlPanel : public QWidget {
    Q_OBJECT

public:
    explicit ControlPanel(QWidget* parent = nullptr);

    // Makes the panel a child of `parent`, sets up its controls and reports
    // the slider's first value; the owner sets m_listener before this.
    void Create(QWidget* parent);

    // Shows the slider's own position in the label and reports it.
    void UpdateValue();

    // Not owned; may be null, and then nothing is reported.
    PanelListener* m_listener = nullptr;

private:
    void OnInitDialog();
    void OnHScroll();

    QLabel m_label;
    TrackbarSlider m_slider;
};
