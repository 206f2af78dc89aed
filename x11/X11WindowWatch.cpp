#include "X11WindowWatch.h"

#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>

#include <QGuiApplication>

namespace {

xcb_connection_t* Connection()
{
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 != nullptr ? x11->connection() : nullptr;
}

template <class Reply> using ReplyOf = std::unique_ptr<Reply, decltype(&std::free)>;

} // namespace

X11WindowWatch::X11WindowWatch()
{
    if (IsAvailable()) {
        QCoreApplication::instance()->installNativeEventFilter(this);
    }
}

X11WindowWatch::~X11WindowWatch()
{
    if (IsAvailable()) {
        QCoreApplication::instance()->removeNativeEventFilter(this);
    }
}

bool X11WindowWatch::IsAvailable()
{
    return Connection() != nullptr;
}

quint32 X11WindowWatch::RootWindow()
{
    xcb_connection_t* connection = Connection();
    return connection != nullptr ? xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root : 0;
}

QSize X11WindowWatch::SizeOf(quint32 window)
{
    xcb_connection_t* connection = Connection();
    if (connection == nullptr) {
        return {};
    }
    const ReplyOf<xcb_get_geometry_reply_t> geometry(
        xcb_get_geometry_reply(connection, xcb_get_geometry(connection, window), nullptr), &std::free);
    return geometry ? QSize(geometry->width, geometry->height) : QSize();
}

void X11WindowWatch::Watch(quint32 window, Reactions reactions)
{
    xcb_connection_t* connection = Connection();
    if (connection == nullptr) {
        return;
    }
    m_watched[window] = std::move(reactions);
    // Structure events on top of whatever this program already asked of the
    // window: the mask is this connection's own, and replaces it.
    const ReplyOf<xcb_get_window_attributes_reply_t> attributes(
        xcb_get_window_attributes_reply(connection, xcb_get_window_attributes(connection, window), nullptr),
        &std::free);
    const std::uint32_t mask = (attributes ? attributes->your_event_mask : 0U) | XCB_EVENT_MASK_STRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection, window, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(connection);
}

bool X11WindowWatch::nativeEventFilter(const QByteArray& eventType, void* message, qintptr* /*result*/)
{
    if (eventType != "xcb_generic_event_t") {
        return false;
    }
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    switch (event->response_type & 0x7F) {
    case XCB_CONFIGURE_NOTIFY: {
        const auto* configure = reinterpret_cast<const xcb_configure_notify_event_t*>(event);
        const auto watched = m_watched.find(configure->window);
        if (watched != m_watched.end() && watched->second.resized) {
            watched->second.resized(QSize(configure->width, configure->height));
        }
        break;
    }
    case XCB_DESTROY_NOTIFY: {
        const auto* destroy = reinterpret_cast<const xcb_destroy_notify_event_t*>(event);
        const auto watched = m_watched.find(destroy->window);
        if (watched != m_watched.end()) {
            const auto destroyed = watched->second.destroyed;
            m_watched.erase(watched);
            destroyed();
        }
        break;
    }
    default:
        break;
    }
    return false;
}
