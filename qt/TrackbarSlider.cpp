#include "TrackbarSlider.h"

#include <QApplication>
#include <QKeyEvent>
#include <QProxyStyle>

namespace {

// The application's style, but with the mouse buttons of a trackbar: some
// styles make a left click jump straight to the clicked value.
class TrackbarStyle final : public QProxyStyle {
public:
    TrackbarStyle() : QProxyStyle(QApplication::style()->name()) {}

    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override
    {
        switch (hint) {
        case SH_Slider_PageSetButtons:
            return Qt::LeftButton;
        case SH_Slider_AbsoluteSetButtons:
            return Qt::MiddleButton;
        default:
            return QProxyStyle::styleHint(hint, option, widget, returnData);
        }
    }
};

} // namespace

TrackbarSlider::TrackbarSlider(QWidget* parent) : QSlider(Qt::Horizontal, parent)
{
    setTickPosition(QSlider::TicksAbove);
    auto* style = new TrackbarStyle;
    style->setParent(this);
    setStyle(style);
}

void TrackbarSlider::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Right:
    case Qt::Key_Down:
        triggerAction(SliderSingleStepAdd);
        break;
    case Qt::Key_Left:
    case Qt::Key_Up:
        triggerAction(SliderSingleStepSub);
        break;
    case Qt::Key_PageDown:
        triggerAction(SliderPageStepAdd);
        break;
    case Qt::Key_PageUp:
        triggerAction(SliderPageStepSub);
        break;
    case Qt::Key_Home:
        triggerAction(SliderToMinimum);
        break;
    case Qt::Key_End:
        triggerAction(SliderToMaximum);
        break;
    default:
        QSlider::keyPressEvent(event);
        break;
    }
}
