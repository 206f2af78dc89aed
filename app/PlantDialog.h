#pragma once

#include <QDialog>

#include "panel/ControlPanel.h"
#include "panel/PanelListener.h"
#include "render/PlantView.h"

// The main window: the plant view above, the control panel strip along the
// bottom. It turns the panel's slider values into the view's fade byte,
// pauses the plant and switches full screen, and stops the morph worker
// before its children go.
class PlantDialog : public QDialog, public PanelListener {
    Q_OBJECT

public:
    explicit PlantDialog(QWidget* parent = nullptr);
    ~PlantDialog() override;
    PlantDialog(const PlantDialog&) = delete;
    PlantDialog& operator=(const PlantDialog&) = delete;

    void OnSliderValue(int value) override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnInitDialog();
    void OnSize();
    void OnKeyDown(QKeyEvent* event);
    // True when the double-click was taken.
    bool OnViewDoubleClick(const QMouseEvent& event);
    void OnHelp();
    void TogglePause();
    void ToggleFullScreen();
    void LayoutChildren();

    PlantView m_view;
    ControlPanel m_panel;
};
