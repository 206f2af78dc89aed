#include "EmbeddedPlant.h"

#include <QCoreApplication>

#include "FadeSlider.h"

EmbeddedPlant::EmbeddedPlant(std::int32_t seed, int slider) : m_view(seed)
{
    m_view.setFrameStyle(QFrame::NoFrame);
    m_view.setWindowFlag(Qt::FramelessWindowHint);
    m_view.Animator().SetFade(FadeSlider::FadeFor(slider));
}

bool EmbeddedPlant::Show(std::optional<quint32> window, X11WindowWatch& watch, std::string& error)
{
    if (!X11WindowWatch::IsAvailable()) {
        error = "a window of another program can only be filled on X11";
        return false;
    }
    const quint32 target = window.value_or(X11WindowWatch::RootWindow());
    const QSize size = X11WindowWatch::SizeOf(target);
    if (size.isEmpty()) {
        error = "there is no X11 window " + QStringLiteral("0x%1").arg(target, 0, 16).toStdString() + " to fill";
        return false;
    }
    m_host.reset(QWindow::fromWinId(target));
    m_view.winId(); // a native window of its own, to put inside the other
    m_view.windowHandle()->setParent(m_host.get());
    m_view.setGeometry(QRect(QPoint(), size));
    m_view.show();
    watch.Watch(target, {[this](QSize newSize) { m_view.resize(newSize); }, [] { QCoreApplication::exit(0); }});
    m_view.Animator().StartMorphWorker();
    return true;
}
