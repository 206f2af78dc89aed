#include "ControlPanel.h"

#include <QSignalBlocker>
#include <QString>

#include "DialogTemplates.h"
#include "DialogUnits.h"

ControlPanel::ControlPanel(QWidget* parent) : QWidget(parent), m_label(this), m_slider(this)
{
    setFocusProxy(&m_slider);
    // The label shows a number only; a screen reader needs to hear what it sets.
    m_slider.setAccessibleName(tr("Trail length"));
    connect(&m_slider, &QSlider::valueChanged, this, &ControlPanel::UpdateValue);
}

void ControlPanel::Create(QWidget* parent, int start)
{
    setParent(parent);
    setFont(DialogUnits::DialogFont());
    const DialogUnits units(font());
    resize(units.Map(DialogTemplates::kControlPanel).size());
    m_label.setGeometry(units.Map(DialogTemplates::kFadeLabel));
    m_label.setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_slider.setGeometry(units.Map(DialogTemplates::kFadeSlider));
    {
        // Setting up is not a move of the slider: the one report follows.
        const QSignalBlocker quiet(m_slider);
        m_slider.setRange(FadeSlider::kMinimum, FadeSlider::kMaximum);
        m_slider.setTickInterval(FadeSlider::kTickInterval);
        m_slider.setPageStep(FadeSlider::kPageStep);
        m_slider.setSingleStep(FadeSlider::kLineStep);
        m_slider.setValue(start);
    }
    UpdateValue();
    show();
}

void ControlPanel::UpdateValue()
{
    const int value = m_slider.value();
    const QString text = QString::fromStdString(FadeSlider::LabelFor(value));
    m_label.setText(text);
    // A screen reader announces the slider as the label reads.
    m_slider.setAccessibleDescription(text);
    emit ValueReported(value);
}
