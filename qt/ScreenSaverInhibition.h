#pragma once

#include <cstdint>
#include <optional>

#include <QObject>

// Asks the desktop session not to blank the screen while held, through
// org.freedesktop.ScreenSaver on the session bus. Where there is no session
// bus, or nobody answers there, it quietly does nothing. The calls never
// wait: an answer that comes after the hold ended is let go at once.
class ScreenSaverInhibition : public QObject {
    Q_OBJECT

public:
    explicit ScreenSaverInhibition(QObject* parent = nullptr);
    ~ScreenSaverInhibition() override;
    ScreenSaverInhibition(const ScreenSaverInhibition&) = delete;
    ScreenSaverInhibition& operator=(const ScreenSaverInhibition&) = delete;

    void Hold(bool held);

private:
    void Release(std::uint32_t cookie);

    bool m_held = false;
    bool m_asking = false; // an Inhibit call awaits its answer
    std::optional<std::uint32_t> m_cookie;
};
