#pragma once

#include <QDialog>

#include "ControlPanel.h"
#include "PlantView.h"

// The main window: the plant view above, the control panel strip along the
// bottom. It turns the panel's slider values into the plant's fade byte,
// pauses the plant and switches full screen.
class PlantDialog : public QDialog {
    Q_OBJECT

public:
    explicit PlantDialog(QWidget* parent = nullptr);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateChildren();
    void OnSliderValue(int value);
    void LayoutChildren();
    void ShowHelp();
    void TogglePause();
    void ToggleFullScreen();

    PlantView m_view;
    ControlPanel m_panel;
    int m_sliderValue = 0;
};
