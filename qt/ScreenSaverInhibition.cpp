#include "ScreenSaverInhibition.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

namespace {

QDBusMessage Call(const QString& method)
{
    return QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.ScreenSaver"),
                                          QStringLiteral("/org/freedesktop/ScreenSaver"),
                                          QStringLiteral("org.freedesktop.ScreenSaver"), method);
}

} // namespace

ScreenSaverInhibition::ScreenSaverInhibition(QObject* parent) : QObject(parent) {}

ScreenSaverInhibition::~ScreenSaverInhibition()
{
    Hold(false);
}

void ScreenSaverInhibition::Hold(bool held)
{
    if (held == m_held) {
        return;
    }
    m_held = held;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        return;
    }
    if (!held) {
        if (m_cookie) {
            Release(*m_cookie);
            m_cookie.reset();
        }
        return; // an answer still on its way is let go when it comes
    }
    if (m_cookie || m_asking) {
        return;
    }
    QDBusMessage inhibit = Call(QStringLiteral("Inhibit"));
    inhibit << QStringLiteral("Quillbrook") << tr("The plant is shown full screen");
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(inhibit), this);
    m_asking = true;
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* call) {
        call->deleteLater();
        m_asking = false;
        const QDBusPendingReply<std::uint32_t> reply = *call;
        if (reply.isError()) {
            return; // nobody keeps the screen awake here
        }
        if (m_held) {
            m_cookie = reply.value();
        } else {
            Release(reply.value());
        }
    });
}

void ScreenSaverInhibition::Release(std::uint32_t cookie)
{
    QDBusMessage release = Call(QStringLiteral("UnInhibit"));
    release << cookie;
    QDBusConnection::sessionBus().asyncCall(release);
}
