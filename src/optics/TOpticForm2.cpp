#include "optics/TOpticForm2.h"

#include "optics/OpticalJob.h"
#include "optics/TOpticCamLensForm.h"
#include "optics/TOpticForm1.h"
#include "ui/ErrorReport.h"
#include "ui/MessageBoxes.h"
#include "ui/QuietBoxes.h"
#include "ui/WindowRules.h"

#include <QKeyEvent>
#include <QMouseEvent>

TOpticForm2::TOpticForm2(QWidget* parent)
    : QWidget(parent)
{
    setFont(PixelFont(11));
    setupUi(this);
    SetupWindowFrame(this, {503, 446});
    SetBackground(this, Silver);
    // Fonts of their own, and the title fitted to its font, when the window is first shown.
    WhenFirstShown(this, [this] {
        Label1->setFont(PixelFont(13, true));
        Label1->adjustSize();
        for (QRadioButton* button : {CamLensButton, PrimeFocusButton, AfocalButton, CompressionButton,
                                     NegProjTeleButton, NegProjBarlowButton, EyepieceProjButton})
            button->setFont(PixelFont(13, true));
        for (QPushButton* button : {Button2, Button3})
            button->setFont(PixelFont(11, true));
    });
    TabToCheckedButton({CamLensButton, PrimeFocusButton, AfocalButton, CompressionButton, NegProjTeleButton,
                        NegProjBarlowButton, EyepieceProjButton});

    // The book note is a white panel that acts like a link: a click on it or on its text, or
    // Space or Enter while it has the keyboard focus, opens the About window.
    SetBackground(Panel1, Qt::white);
    Panel1->setFrameShadow(QFrame::Raised);
    Panel1->setCursor(Qt::PointingHandCursor);
    Panel1->setAccessibleDescription(Label5->text());
    Panel1->installEventFilter(this);
    Label5->installEventFilter(this);

    ConnectHandler(Button3, &QPushButton::clicked, this, &TOpticForm2::Button3Click);
    ConnectHandler(Button2, &QPushButton::clicked, this, &TOpticForm2::Button2Click);
}

void TOpticForm2::Button3Click()
{
    const OpticalWizard& wizard = Wizard();
    if (CamLensButton->isChecked()) {
        ShowThenClose(wizard.CameraLens, this);
    } else if (PrimeFocusButton->isChecked() || AfocalButton->isChecked() || CompressionButton->isChecked()
               || NegProjTeleButton->isChecked() || NegProjBarlowButton->isChecked()
               || EyepieceProjButton->isChecked()) {
        ShowThenClose(wizard.Telescope, this);
    } else {
        MessageBoxes::Refuse(QStringLiteral("You must select a configuration before proceeding."));
    }
}

void TOpticForm2::Button2Click()
{
    ShowThenClose(OpticalJob.ReturnWindow, this);
}

void TOpticForm2::Panel1Click()
{
    if (m_openAbout)
        m_openAbout();
}

void TOpticForm2::Label5Click()
{
    if (m_openAbout)
        m_openAbout();
}

bool TOpticForm2::eventFilter(QObject* watched, QEvent* event)
{
    const bool clicked = event->type() == QEvent::MouseButtonRelease
                         && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
    if (watched == Label5 && clicked) {
        Guarded([this] { Label5Click(); });
        return true;
    }
    if (watched == Panel1 && (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)) {
        // A thicker bevel shows where the keyboard focus is.
        Panel1->setLineWidth(event->type() == QEvent::FocusIn ? 2 : 1);
        return false;
    }
    if (watched == Panel1) {
        const bool keyed = event->type() == QEvent::KeyPress
                           && (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space
                               || static_cast<QKeyEvent*>(event)->key() == Qt::Key_Return
                               || static_cast<QKeyEvent*>(event)->key() == Qt::Key_Enter);
        if (clicked || keyed) {
            Guarded([this] { Panel1Click(); });
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

std::array<QRadioButton*, std::size(Job::ConfigurationNames)> TOpticForm2::ConfigurationButtons() const
{
    return {CamLensButton,     PrimeFocusButton,    AfocalButton,      CompressionButton,
            NegProjTeleButton, NegProjBarlowButton, EyepieceProjButton};
}

QString TOpticForm2::JobPart() const
{
    const auto buttons = ConfigurationButtons();
    for (std::size_t i = 0; i < buttons.size(); ++i)
        if (buttons[i]->isChecked())
            return QString::fromLatin1(Job::ConfigurationNames[i]);
    return QString::fromLatin1(Job::ConfigurationNames[0]); // none checked yet: the one the window starts on
}

void TOpticForm2::RestoreJobPart(const QString& configuration)
{
    const auto buttons = ConfigurationButtons();
    if (const int index = Job::IndexOf(Job::ConfigurationNames, configuration); index >= 0)
        PutChecked(buttons[static_cast<std::size_t>(index)], true);
}
