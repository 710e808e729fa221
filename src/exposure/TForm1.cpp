#include "exposure/TForm1.h"

#include "exposure/ExposureModel.h"
#include "exposure/ExposurePresets.h"
#include "exposure/ExposureSheet.h"
#include "numeric/Arithmetic.h"
#include "numeric/NumberText.h"
#include "optics/OpticalJob.h"
#include "print/WindowPrinting.h"
#include "ui/ErrorReport.h"
#include "ui/MessageBoxes.h"
#include "ui/QuietBoxes.h"
#include "ui/WindowRules.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QLineEdit>
#include <QScrollBar>

namespace {

double ReadBox(const QComboBox* box)
{
    return ParseLeadingNumber(box->currentText().toStdString());
}

} // namespace

TForm1::TForm1(QWidget* parent)
    : QMainWindow(parent)
{
    setFont(PixelFont(11));
    setupUi(this);
    SetupWindowFrame(this, {632, 419});
    SetBackground(centralWidget(), Silver);

    // The labels with a font of their own are black, whatever the desktop's text colour.
    for (QLabel* label : {Label14, Label1, Label2, Label9, Label4, Label6, Label5, ExposureLabel, ApproximateWarning,
                          ApproximateWarning2})
        SetTextColour(label, Qt::black);
    // Fonts of their own, and the labels and open lists fitted to them, when the window is first
    // shown: a text box lays its text out afresh in each new font, which start-up need not pay
    // for.
    WhenFirstShown(this, [this] {
        for (QLabel* label : {Label1, Label2, Label9, Label4, Label6, Label5})
            label->setFont(PixelFont(13, true));
        ExposureLabel->setFont(PixelFont(19, true));
        for (QLabel* label : {ApproximateWarning, ApproximateWarning2})
            label->setFont(PixelFont(11, true));
        Button2->setFont(PixelFont(11, true));
        FilterFactorBox->setFont(PixelFont(8));
        for (QLabel* label : centralWidget()->findChildren<QLabel*>())
            label->adjustSize();
        // An open list is as wide as its longest item, so no description is cut off.
        for (QComboBox* box : {BrightnessBox, SpeedBox, ReciprocityBox, FilterFactorBox, FRatioBox}) {
            QAbstractItemView* list = box->view();
            list->setMinimumWidth(list->sizeHintForColumn(0) + list->verticalScrollBar()->sizeHint().width() + 8);
        }
    });
    ExposureLabel->setAccessibleDescription(Label5->text().trimmed());
    ApproximateWarning->hide();
    ApproximateWarning2->hide();

    const struct {
        QComboBox* box;
        const std::vector<std::string>& presets;
        const std::string& initialText;
    } boxes[] = {
        {BrightnessBox, BrightnessPresets, BrightnessInitialText},
        {SpeedBox, SpeedPresets, SpeedInitialText},
        {ReciprocityBox, ReciprocityPresets, ReciprocityInitialText},
        {FilterFactorBox, FilterFactorPresets, FilterFactorInitialText},
        {FRatioBox, FRatioPresets, FRatioInitialText},
    };
    for (const auto& [box, presets, initialText] : boxes) {
        box->setMaxVisibleItems(16);
        for (const std::string& item : presets)
            box->addItem(QString::fromStdString(item));
        box->setCurrentIndex(-1);
        box->setEditText(QString::fromStdString(initialText));
        // Show a box's text from its start, where the number is: after a pick as at first.
        box->lineEdit()->setCursorPosition(0);
        connect(box, &QComboBox::textActivated, box, [box] { box->lineEdit()->setCursorPosition(0); });
        ConnectHandler(box, &QComboBox::editTextChanged, this, &TForm1::Recalculate);
    }

    // Activations of the program's other windows are watched to tell them from a return from
    // another application.
    qApp->installEventFilter(this);

    ConnectHandler(Print1, &QAction::triggered, this, &TForm1::Print1Click);
    ConnectHandler(ExportasPDF1, &QAction::triggered, this, &TForm1::ExportasPDF1Click);
    ConnectHandler(Button1, &QPushButton::clicked, this, &TForm1::Button1Click);
    ConnectHandler(Button2, &QPushButton::clicked, this, &TForm1::Button2Click);
    ConnectHandler(OpenJob1, &QAction::triggered, this, &TForm1::OpenJob1Click);
    ConnectHandler(SaveJob1, &QAction::triggered, this, &TForm1::SaveJob1Click);
    ConnectHandler(Exit1, &QAction::triggered, this, &TForm1::Exit1Click);
    ConnectHandler(DigitalCamera1, &QAction::triggered, this, &TForm1::DigitalCamera1Click);
    ConnectHandler(Howtousethisprogram1, &QAction::triggered, this, &TForm1::Howtousethisprogram1Click);
    ConnectHandler(Instructions1, &QAction::triggered, this, &TForm1::Instructions1Click);
    ConnectHandler(About1, &QAction::triggered, this, &TForm1::About1Click);
}

void TForm1::Recalculate()
{
    double t = UnreadableInputMarker;
    double fRatio = 0;
    std::optional<double> brightnessRead;
    try {
        // Read in this order; the first unreadable box stops the reading.
        const double brightness = ReadBox(BrightnessBox);
        brightnessRead = brightness;
        const double speed = ReadBox(SpeedBox);
        const double filterFactor = ReadBox(FilterFactorBox);
        fRatio = ReadBox(FRatioBox);
        const double reciprocity = ReadBox(ReciprocityBox);
        t = ExposureTime(brightness, speed, filterFactor, fRatio, reciprocity);
    } catch (const ConversionError&) {
        t = UnreadableInputMarker;
    } catch (const ArithmeticError& error) {
        // It ends the handler, and the caption and the warnings stay as they were; the windows
        // that follow learn that the suggestion they hold no longer stands.
        m_suggestion.Error = error.what();
        if (m_recalculated)
            m_recalculated();
        throw;
    }
    ExposureLabel->setText(QString::fromStdString(ExposureCaption(t)));
    ExposureLabel->adjustSize();
    ApproximateWarning->show();
    ApproximateWarning2->show();
    m_suggestion = {true, t, fRatio, ExposureText(t), brightnessRead, {}};
    if (m_recalculated)
        m_recalculated();
}

void TForm1::DigitalCamera1Click()
{
    if (m_openers.DigitalCamera)
        m_openers.DigitalCamera();
}

void TForm1::FormActivate()
{
    Recalculate();
}

void TForm1::Button1Click()
{
    OpticalJob.ReturnWindow = this;
    if (m_openers.OpticalCalculations)
        m_openers.OpticalCalculations();
}

void TForm1::Button2Click()
{
    close();
}

ExposureSheetTexts TForm1::CurrentSheet()
{
    Recalculate();
    return {BrightnessBox->currentText().toStdString(),
            SpeedBox->currentText().toStdString(),
            ReciprocityBox->currentText().toStdString(),
            FilterFactorBox->currentText().toStdString(),
            FRatioBox->currentText().toStdString(),
            ExposureLabel->text().toStdString(),
            ApproximateWarning->text().toStdString(),
            ApproximateWarning->isVisibleTo(this)};
}

void TForm1::Print1Click()
{
    const ExposureSheetTexts texts = CurrentSheet();
    PrintOnDefaultPrinter(ExposureSheetTitle, [&texts](PrinterText& printer) { PrintExposureSheet(printer, texts); });
}

void TForm1::ExportasPDF1Click()
{
    // The sheet is the one the window shows when the user confirms a name, not when asked.
    AskWhereToSaveSheet(this, ExposureSheetTitle, [this](const QString& path) {
        const ExposureSheetTexts texts = CurrentSheet();
        SaveSheetAsPdf(path, ExposureSheetTitle, [&texts](PrinterText& printer) { PrintExposureSheet(printer, texts); });
    });
}

void TForm1::OpenJob1Click()
{
    if (m_openers.OpenJob)
        m_openers.OpenJob();
}

void TForm1::SaveJob1Click()
{
    if (m_openers.SaveJob)
        m_openers.SaveJob();
}

void TForm1::Exit1Click()
{
    if (m_openers.StartWindow)
        m_openers.StartWindow();
    close();
}

void TForm1::Howtousethisprogram1Click()
{
    if (m_openers.HowToUse)
        m_openers.HowToUse();
}

void TForm1::Instructions1Click()
{
    if (m_openers.Theory)
        m_openers.Theory();
}

void TForm1::About1Click()
{
    if (m_openers.About)
        m_openers.About();
}

void TForm1::WriteFRatio(const QString& text)
{
    const QSignalBlocker quiet(FRatioBox);
    FRatioBox->setEditText(text);
}

void TForm1::WriteBrightness(const QString& text)
{
    PutEditText(BrightnessBox, text);
    Guarded([this] { Recalculate(); });
}

Job::Exposure TForm1::JobPart() const
{
    return {BrightnessBox->currentText(), SpeedBox->currentText(), ReciprocityBox->currentText(),
            FilterFactorBox->currentText(), FRatioBox->currentText()};
}

void TForm1::RestoreJobPart(const Job::Exposure& part)
{
    for (const auto& [box, text] : {std::pair{BrightnessBox, part.Brightness}, std::pair{SpeedBox, part.FilmSpeed},
                                    std::pair{ReciprocityBox, part.Reciprocity}, std::pair{FilterFactorBox, part.FilterFactor},
                                    std::pair{FRatioBox, part.FRatio}})
        PutEditText(box, text);
    Guarded([this] { Recalculate(); });
}

bool TForm1::event(QEvent* event)
{
    const bool handled = QMainWindow::event(event);
    if (event->type() == QEvent::WindowActivate && !m_isActiveForm) {
        m_isActiveForm = true;
        Guarded([this] { FormActivate(); });
    } else if (event->type() == QEvent::Hide) {
        m_isActiveForm = false; // the next showing is a new activation
    }
    return handled;
}

bool TForm1::eventFilter(QObject* watched, QEvent* event)
{
    // The program's activation moves on only when another of its own windows becomes active.
    // Leaving for another application does not count, so coming back from it recalculates
    // nothing; nor does a message box, which hands the activation back when it closes:
    // otherwise an error shown by FormActivate would come back every time. This window's own
    // save dialog and the boxes it opens hand it back too, and the export it closes for has
    // already recalculated.
    if (m_isActiveForm && event->type() == QEvent::WindowActivate && watched != this && watched->isWidgetType()) {
        const auto* window = static_cast<QWidget*>(watched);
        const bool programWindow = window->isWindow() && window->windowType() != Qt::Popup
                                   && window->windowType() != Qt::ToolTip;
        // Its own dialog, or a box that dialog opens ("replace?"): this window is their owner
        // further up, across windows, where isAncestorOf() does not look.
        bool ownDialog = false;
        for (const QWidget* owner = window->parentWidget(); owner && !ownDialog; owner = owner->parentWidget())
            ownDialog = owner == this;
        if (programWindow && !ownDialog && !MessageBoxes::IsOpen())
            m_isActiveForm = false;
    }
    return QMainWindow::eventFilter(watched, event);
}
