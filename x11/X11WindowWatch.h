#pragma once

#include <functional>
#include <map>

#include <QAbstractNativeEventFilter>
#include <QSize>

// What Qt does not report of X11 windows: a window of another program
// changing size, and any window, our own included, destroyed from outside.
// Only on the X11 platform; elsewhere IsAvailable() is false and Watch does
// nothing.
class X11WindowWatch : public QAbstractNativeEventFilter {
public:
    struct Reactions {
        std::function<void(QSize)> resized; // may be empty
        std::function<void()> destroyed;
    };

    X11WindowWatch();
    ~X11WindowWatch() override;
    X11WindowWatch(const X11WindowWatch&) = delete;
    X11WindowWatch& operator=(const X11WindowWatch&) = delete;

    [[nodiscard]] static bool IsAvailable();
    // The first screen's root window.
    [[nodiscard]] static quint32 RootWindow();
    // The window's size now; empty when there is no such window.
    [[nodiscard]] static QSize SizeOf(quint32 window);

    void Watch(quint32 window, Reactions reactions);

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    std::map<quint32, Reactions> m_watched;
};
