#pragma once

// Where the control panel reports its slider's value: once when it is
// created, then after every move.
class PanelListener {
public:
    virtual void OnSliderValue(int value) = 0;

protected:
    PanelListener() = default;
    ~PanelListener() = default;
    PanelListener(const PanelListener&) = default;
    PanelListener& operator=(const PanelListener&) = default;
    PanelListener(PanelListener&&) = default;
    PanelListener& operator=(PanelListener&&) = default;
};
