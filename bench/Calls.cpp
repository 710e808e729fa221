// In-process timings: one keystroke in the exposure calculator's brightness box against a
// bare QLabel::setText, the exposure arithmetic and number writer per call, the results
// report's FormShow per call, a keystroke in the field window's camera angle box and its
// picture drawn, a keystroke in the Tonight window's latitude box and its chart drawn, and one
// exposure sheet written to a PDF file per sheet; and the target finder's first look-up, the
// memory it leaves behind, and its keystrokes; and Targets Tonight ranking the whole catalogue,
// taking a new frame, a filter and a sort.
#include "app/ProgramWindows.h"
#include "app/TSplashScreen.h"
#include "app/TStartForm.h"
#include "app/WindowSet.h"
#include "exposure/ExposureModel.h"
#include "exposure/ExposureSheet.h"
#include "exposure/TForm1.h"
#include "numeric/NumberText.h"
#include "optics/OpticalJob.h"
#include "optics/TOpticReportForm.h"
#include "field/TSensorFieldForm.h"
#include "sky/TTonightForm.h"
#include "sky/TargetFinder.h"
#include "targets/TTargetsForm.h"
#include "print/PrinterSheet.h"
#include "print/QPrinterSurface.h"
#include "ui/WindowRules.h"

#include <QApplication>
#include <QDateEdit>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

//! Microseconds per call: the median over `batches` batches of `calls` calls each. `between`
//! runs outside the clock after each batch (the event loop's own work, such as painting).
double MicrosecondsPerCall(int batches, int calls, const std::function<void(int)>& call,
                           const std::function<void()>& between = {})
{
    std::vector<double> perCall;
    for (int batch = 0; batch < batches; ++batch) {
        const auto start = Clock::now();
        for (int i = 0; i < calls; ++i)
            call(i);
        perCall.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count() / calls);
        if (between)
            between();
    }
    return Median(perCall);
}

[[noreturn]] void Fail(const char* what)
{
    std::fprintf(stderr, "bench-calls: %s\n", what);
    std::exit(1);
}

volatile double Sink = 0; // keeps the optimiser from dropping the work timed

//! The process's resident memory, in bytes.
double ResidentBytes()
{
    std::ifstream statm("/proc/self/statm");
    double size = 0;
    double resident = 0;
    statm >> size >> resident;
    return resident * static_cast<double>(sysconf(_SC_PAGESIZE));
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    CreateProgramWindows();
    Windows().SplashScreen->close();

    // One keystroke in the brightness box: the key press and release as the window gets
    // them from the desktop, up to the new caption set (painting follows in the event loop).
    TForm1* form = Windows().Form1;
    ShowWindow(form);
    if (!QTest::qWaitForWindowExposed(form))
        Fail("the exposure calculator was not shown");
    QLineEdit* box = form->BrightnessBox->lineEdit();
    box->setFocus();
    box->setText(QStringLiteral("1"));
    QCoreApplication::processEvents();
    const QString before = form->ExposureLabel->text();
    QTest::keyClick(box, Qt::Key_3);
    if (form->ExposureLabel->text() == before)
        Fail("a keystroke left the caption as it was");
    QTest::keyClick(box, Qt::Key_Backspace);
    const double keystroke = MicrosecondsPerCall(
        41, 2, [box](int i) { QTest::keyClick(box, i % 2 ? Qt::Key_Backspace : Qt::Key_3); },
        [] { QCoreApplication::processEvents(); });

    // The bare minimum a keystroke must do: set a label's text, in a window on screen.
    QWidget window;
    window.resize(300, 60);
    QLabel label(&window);
    label.setFont(PixelFont(19, true));
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        Fail("the label's window was not shown");
    const QString texts[] = {QStringLiteral("   45 s"), QStringLiteral("  2.1 h")};
    const double setText = MicrosecondsPerCall(
        41, 2, [&](int i) { label.setText(texts[i % 2]); }, [] { QCoreApplication::processEvents(); });
    window.hide();

    // The arithmetic behind every caption, over brightnesses from the Sun to the darkest sky.
    const double exposure = MicrosecondsPerCall(15, 20000, [](int i) {
        const double t = ExposureTime(-26.7 + (i % 500) * 0.1, 200, 1, 10, 0.8);
        Sink = Sink + t + static_cast<double>(ExposureText(t).Number.size());
    });
    const double formatFixed = MicrosecondsPerCall(15, 20000, [](int i) {
        Sink = Sink + static_cast<double>(FormatFixed(8, 3, (i % 1000) * 0.0137 - 2).size());
    });

    // The report of an 8-inch f/10 Schmidt-Cassegrain with a 2.6 x Barlow lens.
    OpticalJob.Reset();
    OpticalJob.TelescopeFocalLengthMm = 2032;
    OpticalJob.ApertureMm = 203.2;
    OpticalJob.EffectiveFocalLengthMm = 2032 * 2.6;
    OpticalJob.TelescopeLine = std::string("8-inch f/10 Schmidt-Cassegrain") + CrLf;
    OpticalJob.ConfigurationText = std::string("Barlow lens projection") + CrLf + "Barlow focal length -75 mm";
    OpticalJob.ReturnWindow = Windows().StartForm;
    TOpticReportForm* report = Windows().OpticReportForm;
    ShowWindow(report);
    if (report->fLabel->text() != QStringLiteral("f/26.0"))
        Fail("the report did not show f/26.0");
    const double formShow = MicrosecondsPerCall(
        15, 20, [report](int) { report->FormShow(); }, [] { QCoreApplication::processEvents(); });

    // The field window framing the Andromeda Galaxy at 600 mm on a full-frame sensor: one
    // keystroke in the camera angle box, up to the figures written (painting follows), and
    // the picture drawn whole, at the most panels drawn one by one and with thousands of them.
    OpticalJob.ApertureMm = 80;
    OpticalJob.TelescopeFocalLengthMm = 600;
    OpticalJob.EffectiveFocalLengthMm = 600;
    OpticalJob.ConfigurationText = "Prime focus";
    ShowWindow(report);
    report->FieldontheSensor1->trigger();
    TSensorFieldForm* field = Windows().SensorFieldForm;
    if (!field || !QTest::qWaitForWindowExposed(field))
        Fail("the field window was not shown");
    field->SensorBox->setCurrentIndex(1);
    field->TargetBox->setCurrentIndex(field->TargetBox->findText(QStringLiteral("M31"), Qt::MatchStartsWith));
    field->AngleBox->setFocus();
    const QString extent = field->ExtentLabel->text();
    QTest::keyClick(field->AngleBox, Qt::Key_Up);
    if (field->ExtentLabel->text() == extent)
        Fail("a keystroke in the camera angle box left the figures as they were");
    const double angleKeystroke = MicrosecondsPerCall(
        41, 2, [field](int i) { QTest::keyClick(field->AngleBox, i % 2 ? Qt::Key_Down : Qt::Key_Up); },
        [] { QCoreApplication::processEvents(); });
    double drawing = 0;
    for (const double efl : {800.0, 60000.0}) { // 7 x 12 panels at 50%; half a million, as their outline
        OpticalJob.EffectiveFocalLengthMm = efl;
        ShowWindow(report);
        field->TargetBox->setCurrentIndex(field->TargetBox->findText(QStringLiteral("Large"), Qt::MatchStartsWith));
        field->OverlapBox->setValue(50);
        if (efl < 1000 && field->MosaicLabel->text() != QStringLiteral("a mosaic of 7 x 12 panels at 50% overlap"))
            Fail("the Large Magellanic Cloud at 800 mm did not take 7 x 12 panels");
        drawing = std::max(drawing, MicrosecondsPerCall(11, 1, [field](int) { Sink = Sink + field->Picture->Image(1).width(); }));
    }

    // The Tonight window: one keystroke in the latitude box, up to every row and the chart's
    // curves computed afresh (the night's astronomy included), and the chart drawn whole.
    field->TargetBox->setCurrentIndex(field->TargetBox->findText(QStringLiteral("M31"), Qt::MatchStartsWith));
    QTest::mouseClick(field->TonightButton, Qt::LeftButton);
    TTonightForm* tonight = Windows().TonightForm;
    if (!tonight || !QTest::qWaitForWindowExposed(tonight))
        Fail("the Tonight window was not shown");
    tonight->LatitudeBox->setText(QStringLiteral("48.856"));
    tonight->LongitudeBox->setText(QStringLiteral("2.3522"));
    tonight->DateBox->setDate(QDate(2026, 10, 15));
    tonight->ZoneBox->setCurrentText(QStringLiteral("Europe/Paris"));
    tonight->LatitudeBox->setFocus();
    tonight->LatitudeBox->end(false);
    const QString dark = tonight->DarkAboveLabel->text();
    QTest::keyClick(tonight->LatitudeBox, Qt::Key_6);
    if (tonight->DarkAboveLabel->text().isEmpty() || tonight->SunsetLabel->text() == QStringLiteral("\u2014"))
        Fail("a keystroke in the latitude box left no night");
    // Typing a digit and taking it back: two nights computed per pair of keystrokes.
    const double latitudeKeystroke = MicrosecondsPerCall(
        11, 2, [tonight](int i) { QTest::keyClick(tonight->LatitudeBox, i % 2 ? Qt::Key_6 : Qt::Key_Backspace); },
        [] { QCoreApplication::processEvents(); });
    const double chart = MicrosecondsPerCall(21, 1, [tonight](int) { Sink = Sink + tonight->Chart->Image(1).width(); });

    // One exposure sheet, laid out and written to a PDF file.
    QTemporaryDir folder;
    const QString pdf = QDir(folder.path()).filePath(QStringLiteral("sheet.pdf"));
    QPrinterSurface surface(pdf);
    PrinterText printer(surface);
    const ExposureSheetTexts sheetTexts{"   3.4      Moon, full", "200", "0.8", "1", "10",
                                   "   0.004 s   = 1/250 s", "Caution: the exposure is approximate.", true};
    const double sheet = MicrosecondsPerCall(11, 1, [&](int) {
        PrintSheet(printer, ExposureSheetTitle, [&sheetTexts](PrinterText& p) { PrintExposureSheet(p, sheetTexts); });
    });
    if (QFileInfo(pdf).size() < 1000)
        Fail("no sheet was written");

    // The target finder: the first look-up, which reads the catalogue and builds its index, the
    // memory that leaves behind, and then every keystroke of names typed letter by letter (the
    // longest lists among them), and the slowest of those keystrokes.
    const double residentBefore = ResidentBytes();
    const auto firstLookUpStart = Clock::now();
    if (FindTargets("M").Suggestions.empty())
        Fail("the first look-up found nothing");
    const double firstLookUp = std::chrono::duration<double, std::milli>(Clock::now() - firstLookUpStart).count();
    const double catalogueMemory = (ResidentBytes() - residentBefore) / 1e6;
    std::vector<std::string> typed;
    for (const std::string_view name :
         {"NGC 7000", "north america", "PGC 002557", "SDSS J1", "nebula", "5 35 17.3 -5 23 28"})
        for (std::size_t length = 1; length <= name.size(); ++length)
            typed.emplace_back(name.substr(0, length));
    const double targetKeystroke = MicrosecondsPerCall(11, static_cast<int>(typed.size()), [&typed](int i) {
        Sink = Sink + static_cast<double>(FindTargets(typed[static_cast<std::size_t>(i)]).Suggestions.size());
    });
    double slowestKeystroke = 0;
    for (const std::string& text : typed)
        slowestKeystroke = std::max(slowestKeystroke, MicrosecondsPerCall(11, 1, [&text](int) {
                                        Sink = Sink + static_cast<double>(FindTargets(text).Suggestions.size());
                                    }));

    // Targets Tonight: the whole catalogue ranked for Paris on 2026-10-15 with an APS-C camera
    // at 400 mm (the night, the frame fills and the sort), a frame alone, and one filter.
    TTonightForm* night = TonightWindow();
    night->LatitudeBox->setText(QStringLiteral("48.8566"));
    night->LongitudeBox->setText(QStringLiteral("2.3522"));
    night->ZoneBox->setEditText(QStringLiteral("Europe/Paris"));
    night->DateBox->setDate(QDate(2026, 10, 15));
    TTargetsForm* targets = TargetsWindow();
    if (!night->Night() || targets->ShownRows().rowCount() == 0)
        Fail("Targets Tonight ranked nothing");
    TTargetsForm::Frame frame{SensorPresets[2].Model, 400, 20, QStringLiteral("APS-C")};
    targets->ShowFrame(frame);
    targets->Rank();
    const double ranking = MicrosecondsPerCall(5, 1, [&](int) { targets->Rank(); });
    const double framing = MicrosecondsPerCall(5, 1, [&](int) {
        frame.EffectiveFocalLengthMm = frame.EffectiveFocalLengthMm == 400 ? 401 : 400;
        targets->ShowFrame(frame);
        targets->Rank();
    });
    int turn = 0; // each call changes something
    const double filtering = MicrosecondsPerCall(11, 1, [&](int) { targets->SizeBox->setCurrentIndex(++turn % 5); });
    const double sorting = MicrosecondsPerCall(11, 1, [&](int) {
        targets->Table->sortByColumn(++turn % 2 ? TargetTableModel::MagnitudeColumn : TargetTableModel::MoonDownColumn,
                                     Qt::DescendingOrder);
    });

    DestroyProgramWindows();

    std::printf("Keystroke in the brightness box to new caption: %9.1f us (goal: under 1000 us)\n", keystroke);
    std::printf("Bare QLabel::setText:                           %9.1f us\n", setText);
    std::printf("Keystroke / bare setText:                       %9.1f\n", keystroke / setText);
    std::printf("ExposureTime + ExposureText:                    %9.3f us per call\n", exposure);
    std::printf("FormatFixed:                                    %9.3f us per call\n", formatFixed);
    std::printf("Results report FormShow:                        %9.1f us per call\n", formShow);
    std::printf("Keystroke in the field's camera angle box:      %9.1f us (goal: well under 1000 us)\n", angleKeystroke);
    std::printf("Field picture drawn, the most panels:           %9.2f ms (goal: well under 16 ms)\n", drawing / 1000);
    std::printf("Keystroke in Tonight's latitude box, all rows:  %9.2f ms (goal: under 50 ms)\n", latitudeKeystroke / 1000);
    std::printf("Tonight's chart drawn:                          %9.2f ms (goal: under 16 ms)\n", chart / 1000);
    std::printf("Exposure sheet to PDF through QPrinter:         %9.2f ms per sheet\n", sheet / 1000);
    std::printf("Target finder, first look-up (reads all):       %9.2f ms (goal: under 100 ms)\n", firstLookUp);
    std::printf("Target finder, memory after the first look-up:  %9.2f MB (goal: under 8 MB)\n", catalogueMemory);
    std::printf("Target finder, keystroke, mean:                 %9.1f us (goal: under 10 ms)\n", targetKeystroke);
    std::printf("Target finder, keystroke, slowest:              %9.1f us (goal: under 10 ms)\n", slowestKeystroke);
    std::printf("Targets Tonight, the whole catalogue ranked:    %9.2f ms (goal: under 200 ms)\n", ranking / 1000);
    std::printf("Targets Tonight, a new frame:                   %9.2f ms (goal: under 200 ms)\n", framing / 1000);
    std::printf("Targets Tonight, a filter:                      %9.2f ms (goal: under 20 ms)\n", filtering / 1000);
    std::printf("Targets Tonight, a sort:                        %9.2f ms (goal: under 20 ms)\n", sorting / 1000);
    return 0;
}
