#pragma once

#include <cstdint>

#include <QDialog>
#include <QMessageBox>

#include "ControlPanel.h"
#include "PlantMotion.h"
#include "PlantView.h"
#include "ScreenSaverInhibition.h"

// The main window: the plant view above, the control panel strip along the
// bottom. It turns the panel's slider values into the plant's fade byte,
// pauses the plant, switches full screen and saves the picture.
class PlantDialog : public QDialog {
    Q_OBJECT

public:
    // The plant grows from `seed`; the slider starts at `slider`.
    explicit PlantDialog(std::int32_t seed = PlantMotion::ClockSeed(), int slider = FadeSlider::kStart,
                         QWidget* parent = nullptr);

protected:
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateChildren(int slider);
    void OnSliderValue(int value);
    void LayoutChildren();
    void ShowHelp();
    void TogglePause();
    void ToggleFullScreen();
    // Keeps the screen awake while the plant is shown full screen and moves.
    void UpdateInhibition();
    // Ctrl+S: the picture as PNG in the pictures folder, and where it went.
    void SavePicture();
    void Tell(QMessageBox::Icon icon, const QString& text);

    PlantView m_view;
    ControlPanel m_panel;
    int m_sliderValue = 0;
    ScreenSaverInhibition m_inhibition;
};
