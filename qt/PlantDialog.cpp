#include "PlantDialog.h"

#include <algorithm>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QIcon>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QStandardPaths>

#include "DialogTemplates.h"
#include "DialogUnits.h"
#include "FadeSlider.h"
#include "HelpText.h"
#include "PngWriter.h"

PlantDialog::PlantDialog(std::int32_t seed, int slider, QWidget* parent)
    // A main window rather than a transient dialog: it gets a taskbar entry
    // and minimise and maximise buttons from the window manager.
    : QDialog(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                          Qt::WindowCloseButtonHint),
      m_view(seed)
{
    setWindowTitle(QStringLiteral("Quillbrook"));
    setFont(DialogUnits::DialogFont());
    resize(DialogUnits(font()).Map(DialogTemplates::kMainDialog).size());
    CreateChildren(slider);
}

void PlantDialog::CreateChildren(int slider)
{
    QIcon icon;
    icon.addFile(QStringLiteral(":/icons/quillbrook-16.png"), QSize(16, 16));
    icon.addFile(QStringLiteral(":/icons/quillbrook-32.png"), QSize(32, 32));
    setWindowIcon(icon);

    // The panel reports its first value while it is created, so the fade is
    // set before the view is shown or drawn into.
    connect(&m_panel, &ControlPanel::ValueReported, this, &PlantDialog::OnSliderValue);
    m_panel.Create(this, slider);

    m_view.setParent(this);
    m_view.installEventFilter(this); // its double-click switches full screen
    m_view.show();

    LayoutChildren();
    m_panel.setFocus();
    m_view.Animator().StartMorphWorker();
}

void PlantDialog::OnSliderValue(int value)
{
    m_sliderValue = value;
    m_view.Animator().SetFade(FadeSlider::FadeFor(value));
}

void PlantDialog::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) {
        UpdateInhibition();
    }
}

void PlantDialog::UpdateInhibition()
{
    m_inhibition.Hold(isFullScreen() && !m_view.Animator().IsPaused());
}

void PlantDialog::SavePicture()
{
    const QImage picture = m_view.Snapshot();
    const PlantAnimator& animator = m_view.Animator();
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    const QString path = folder + QStringLiteral("/quillbrook-%1-%2.png")
                                      .arg(animator.Seed())
                                      .arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss")));
    std::string error;
    if (picture.isNull()) {
        error = "there is no picture yet";
    } else if (!QDir().mkpath(folder)) {
        error = "the folder " + folder.toStdString() + " cannot be made";
    } else if (PngWriter::Save(QFile::encodeName(path).toStdString(), picture,
                               {animator.Seed(), static_cast<long long>(animator.FramesRendered()), m_sliderValue},
                               error)) {
        Tell(QMessageBox::Information, tr("Saved the picture as %1").arg(path));
        return;
    }
    Tell(QMessageBox::Warning,
         tr("Could not save the picture as %1: %2").arg(path, QString::fromLocal8Bit(error.c_str())));
}

void PlantDialog::Tell(QMessageBox::Icon icon, const QString& text)
{
    // Not modal: the plant goes on meanwhile.
    auto* box = new QMessageBox(icon, windowTitle(), text, QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setTextInteractionFlags(Qt::TextSelectableByMouse);
    box->show();
}

void PlantDialog::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
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
    if (event->matches(QKeySequence::Save)) {
        SavePicture();
        return;
    }
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (!plain) {
        QDialog::keyPressEvent(event);
        return;
    }
    // Space, F11 and Escape act once per press: a held F11 must not make the
    // window flicker, nor a held Escape leave full screen and then end the
    // program.
    const bool repeat = event->isAutoRepeat();
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // No buttons, so Enter ends the window as OK would.
        accept();
        break;
    case Qt::Key_F1:
        ShowHelp();
        break;
    case Qt::Key_Space:
        if (!repeat) {
            TogglePause();
        }
        break;
    case Qt::Key_F11:
        if (!repeat) {
            ToggleFullScreen();
        }
        break;
    case Qt::Key_Escape:
        if (repeat) {
            break;
        }
        if (isFullScreen()) {
            ToggleFullScreen();
        } else {
            QDialog::keyPressEvent(event); // the dialog's own cancel
        }
        break;
    default:
        QDialog::keyPressEvent(event);
        break;
    }
}

bool PlantDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &m_view && event->type() == QEvent::MouseButtonDblClick &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        ToggleFullScreen();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void PlantDialog::TogglePause()
{
    PlantAnimator& animator = m_view.Animator();
    animator.SetPaused(!animator.IsPaused());
    UpdateInhibition();
}

void PlantDialog::ToggleFullScreen()
{
    // The window system fills the screen that holds the window; the layout
    // then gives the view all of it above the panel strip. Toggling the one
    // flag brings a maximised window back maximised.
    setWindowState(windowState() ^ Qt::WindowFullScreen);
}

void PlantDialog::ShowHelp()
{
    const PlantAnimator& animator = m_view.Animator();
    // What is on the screen now, frame for frame, unless the window was
    // resized or the slider moved while it grew.
    const QSize size = m_view.PictureSize();
    const HelpText help = WindowHelp(QUILLBROOK_VERSION,
                                     {animator.Seed(), std::max<std::uint64_t>(animator.FramesRendered(), 1),
                                      size.width(), size.height(), m_sliderValue},
                                     true);
    QString html;
    for (const std::string& paragraph : help.paragraphs) {
        const QString text = QString::fromStdString(paragraph).toHtmlEscaped().replace('\n', "<br>");
        // The first paragraph, the program and its version, stands out.
        html += html.isEmpty() ? QStringLiteral("<p><b>") + text + QStringLiteral("</b></p>")
                               : QStringLiteral("<p>") + text + QStringLiteral("</p>");
    }
    html += QStringLiteral("<p style=\"white-space:pre\"><code>") +
            QString::fromStdString(help.command).toHtmlEscaped() + QStringLiteral("</code></p>");
    QMessageBox box(QMessageBox::NoIcon, tr("About Quillbrook"), html, QMessageBox::Ok, this);
    box.setIconPixmap(windowIcon().pixmap(32, 32));
    // The seed and the command are there to be copied.
    box.setTextInteractionFlags(Qt::TextSelectableByMouse);
    box.exec();
    // Not every window system hands the focus back when the box closes; the
    // slider's keys must work again at once.
    activateWindow();
}
