#pragma once

#include <functional>

#include <QRegion>
#include <QWidget>

// A native child window that Qt never paints: whoever owns it draws on its
// X11 window directly. Exposed areas are handed to `exposed` in the widget's
// own coordinates; mouse and key events pass on to the parent.
class DirectSurface : public QWidget {
    Q_OBJECT

public:
    DirectSurface(std::function<void(const QRegion&)> exposed, QWidget* parent);

    [[nodiscard]] QPaintEngine* paintEngine() const override { return nullptr; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::function<void(const QRegion&)> m_exposed;
};
