#include "PlantDialog.h"

#include <algorithm>

#include <QIcon>
#include <QKeyEvent>
#include <QMessageBox>

#include "panel/DialogUnits.h"
#include "render/SliderFade.h"
#include "res/DialogTemplates.h"
#include "res/Version.h"

PlantDialog::PlantDialog(QWidget* parent)
    // A main window rather than a transient dialog: it gets a taskbar entry
    // and minimise and maximise buttons from the window manager.
    : QDialog(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint)
{
    setWindowTitle(QStringLiteral("Quillbrook"));
    setFont(DialogUnits::DialogFont());
    resize(DialogUnits(font()).Map(DialogTemplates::kMainDialog).size());
    OnInitDialog();
}

PlantDialog::~PlantDialog()
{
    // The worker draws into m_view and asks it to repaint: it must be gone
    // before any child is.
    m_view.StopMorphWorker();
}

void PlantDialog::OnInitDialog()
{
    QIcon icon;
    icon.addFile(QStringLiteral(":/icons/quillbrook-16.png"), QSize(16, 16));
    icon.addFile(QStringLiteral(":/icons/quillbrook-32.png"), QSize(32, 32));
    setWindowIcon(icon);

    // The panel reports its first value while it is created, so the fade is
    // set before the view is shown or drawn into.
    m_panel.m_listener = this;
    m_panel.Create(this);

    m_view.setParent(this);
    m_view.show();

    LayoutChildren();
    m_panel.setFocus();
    m_view.StartMorphWorker();
}

void PlantDialog::OnSliderValue(int value)
{
    m_view.SetFade(FadeFromSlider(value));
}

void PlantDialog::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    OnSize();
}

void PlantDialog::OnSize()
{
    LayoutChildren();
}

void PlantDialog::LayoutChildren()
{
    if (m_view.parentWidget() != this) {
        return; // not created yet
    }
    // The panel keeps its own height and is moved first; the view takes
    // whatever is left above it, nothing when the window is lower than it.
    const int width = this->width();
    const int height = this->height();
    const int panelHeight = m_panel.height();
    m_panel.setGeometry(0, height - panelHeight, width, panelHeight);
    m_view.setGeometry(0, 0, width, std::max(0, height - panelHeight));
}

void PlantDialog::keyPressEvent(QKeyEvent* event)
{
    OnKeyDown(event);
}

void PlantDialog::OnKeyDown(QKeyEvent* event)
{
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (plain && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        // No buttons, so Enter ends the window as OK would; Escape is the
        // dialog's own cancel.
        accept();
    } else if (plain && event->key() == Qt::Key_F1) {
        OnHelp();
    } else {
        QDialog::keyPressEvent(event);
    }
}

void PlantDialog::OnHelp()
{
    QMessageBox::about(
        this, tr("About Quillbrook"),
        tr("<p><b>Quillbrook</b> %1</p>"
           "<p>An endlessly changing fractal plant.</p>"
           "<p>The slider sets how long the plant's trails last: at 0 every frame "
           "starts afresh, at 200 nothing fades.</p>"
           "<p>Slider keys:<br>Left or Up &minus;5, Right or Down +5<br>"
           "Page Up &minus;25, Page Down +25<br>Home 0, End 200</p>"
           "<p>Escape or Enter closes the window.</p>")
            .arg(QStringLiteral(QUILLBROOK_VERSION)));
}
