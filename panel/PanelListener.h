#pragma once

// Where the control panel reports its slider's value. The panel never owns
// or deletes its listener, so the destructor is protected and not virtual:
// nobody can delete an object through this interface.
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
