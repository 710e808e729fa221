#include "TestSupport.h"

#include "app/ProgramWindows.h"
#include "app/TStartForm.h"
#include "exposure/TForm1.h"
#include "optics/OpticalJob.h"
#include "optics/TOpticAfocalForm.h"
#include "optics/TOpticBarlowForm.h"
#include "optics/TOpticCamLensForm.h"
#include "optics/TOpticCompForm.h"
#include "optics/TOpticEypcForm.h"
#include "optics/TOpticForm1.h"
#include "optics/TOpticForm2.h"
#include "optics/TOpticReportForm.h"
#include "optics/TOpticTeleForm.h"
#include "ui/WindowRules.h"

#include <functional>

// The wizard as a user walks it. A road is a configuration (its radio button's name), the
// telescope ("row N" for a preset, or aperture and focal length typed in mm, empty for the
// camera lens) and the detail window's boxes ("BoxName=text", the rest keep their texts).
class tst_OpticalWizard : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void windowsLookAsDesigned_data();
    void windowsLookAsDesigned();
    void sevenRoadsEndInTheReport_data();
    void sevenRoadsEndInTheReport();
    void refusalsKeepTheWindowAndItsBoxes_data();
    void refusalsKeepTheWindowAndItsBoxes();
    void errorInsideTheReportEndsOnlyTheComputation_data();
    void errorInsideTheReportEndsOnlyTheComputation();
    void captionsFollowTheWindowThatCompletedTheJob();
    void secondShowOfTheVisibleReportComputesAfresh();
    void exposureCalculatorTakesUpTheNewFRatio();
    void reportClosesWithoutOtherEffects();

private:
    //! Opens the wizard from the start window or the exposure calculator and walks it up to
    //! (not including) "Next >>" of the window that completes the job; returns that window.
    QWidget* WalkTo(const QString& configuration, const QStringList& telescope, const QStringList& boxes,
                    bool fromCalculator = false);
    //! "Next >>" of the telescope window or of a detail window.
    static void Next(QWidget* window)
    {
        QTest::mouseClick(window == Windows().OpticForm1 ? Windows().OpticForm1->Button1
                                                         : window->findChild<QPushButton*>(QStringLiteral("Button3")),
                          Qt::LeftButton);
    }
    //! "<< Back", Button2 in every window of the wizard.
    static void Back(QWidget* window)
    {
        QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("Button2")), Qt::LeftButton);
    }
    //! The report's captions and values, top to bottom.
    static QStringList ReportRows();

    std::unique_ptr<RunningProgram> m_program;
};

void tst_OpticalWizard::init()
{
    m_program = std::make_unique<RunningProgram>();
}

void tst_OpticalWizard::cleanup()
{
    const QStringList unexpected = EndProgram(m_program);
    QVERIFY2(unexpected.isEmpty(), qPrintable(unexpected.join(QLatin1Char('\n'))));
}

QWidget* tst_OpticalWizard::WalkTo(const QString& configuration, const QStringList& telescope, const QStringList& boxes,
                                   bool fromCalculator)
{
    const ProgramWindows& w = Windows();
    if (fromCalculator) {
        QTest::mouseClick(w.StartForm->Button1, Qt::LeftButton);
        QTest::mouseClick(w.Form1->Button1, Qt::LeftButton);
    } else {
        QTest::mouseClick(w.StartForm->Button2, Qt::LeftButton);
    }
    ClickRadio(w.OpticForm2->findChild<QRadioButton*>(configuration));
    QTest::mouseClick(w.OpticForm2->Button3, Qt::LeftButton);
    QWidget* window = w.OpticCamLensForm;
    if (configuration != QLatin1String("CamLensButton")) {
        if (telescope.value(0).startsWith(QLatin1String("row ")))
            ClickRow(w.OpticForm1->ListBox1, telescope[0].mid(4).toInt());
        else {
            TypeInto(w.OpticForm1->ApertureEditBox, telescope.value(0));
            TypeInto(w.OpticForm1->FocalEditBox, telescope.value(1));
        }
        if (configuration == QLatin1String("PrimeFocusButton"))
            return w.OpticForm1;
        QTest::mouseClick(w.OpticForm1->Button1, Qt::LeftButton);
        const QHash<QString, QWidget*> detail{
            {"NegProjTeleButton", w.OpticTeleForm},   {"CompressionButton", w.OpticCompForm},
            {"AfocalButton", w.OpticAfocalForm},      {"NegProjBarlowButton", w.OpticBarlowForm},
            {"EyepieceProjButton", w.OpticEypcForm}};
        window = detail.value(configuration);
        if (!window || !window->isVisible())
            return nullptr;
    }
    for (const QString& box : boxes)
        TypeInto(window->findChild<QLineEdit*>(box.section(QLatin1Char('='), 0, 0)), box.section(QLatin1Char('='), 1));
    return window;
}

QStringList tst_OpticalWizard::ReportRows()
{
    const TOpticReportForm* r = Windows().OpticReportForm;
    QStringList rows;
    for (const QLabel* label : {r->Label1, r->ApertureLabel, r->Label2, r->FLLabel, r->ConfigLabel, r->EFLLabel,
                                r->fLabel, r->FOVLabel, r->FOV20Label, r->MoonImageSizeLabel, r->JupiterImageSizeLabel})
        rows << label->text();
    return rows;
}

void tst_OpticalWizard::windowsLookAsDesigned_data()
{
    QTest::addColumn<QString>("configuration");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("tabOrder");
    QTest::addColumn<QStringList>("initialTexts");

    QTest::newRow("teleconverter") << "NegProjTeleButton" << "Orvalis Optical Calculations - Teleconverter"
                                   << QStringList{"MagnificationEdit", "Button3", "Button2"} << QStringList{"2"};
    QTest::newRow("compression") << "CompressionButton" << "Orvalis Optical Calculations - Compression"
                                 << QStringList{"MagnificationEdit", "Button3", "Button2"} << QStringList{"0.63"};
    QTest::newRow("afocal") << "AfocalButton" << "Orvalis Optical Calculations - Afocal Coupling"
                            << QStringList{"CamLensEdit", "EypcEdit", "Button3", "Button2"} << QStringList{"50", "18"};
    QTest::newRow("barlow") << "NegProjBarlowButton" << "Orvalis Optical Calculations - Barlow Lens Projection"
                            << QStringList{"BarlowFLEdit", "BarlowDistanceEdit", "Button3", "Button2"}
                            << QStringList{"-75", "120"};
    QTest::newRow("eyepiece") << "EyepieceProjButton" << "Orvalis Optical Calculations - Eyepiece Projection"
                              << QStringList{"EypcFLEdit", "EypcDistanceEdit", "Button2", "Button3"}
                              << QStringList{"18", "120"};
    QTest::newRow("camera lens") << "CamLensButton" << "Orvalis Optical Calculations - Camera Lens Alone"
                                 << QStringList{"CamLensEdit", "CamFEdit", "Button3", "Button2"} << QStringList{"50", "1.8"};
    QTest::newRow("report") << "NegProjBarlowButton" << "Orvalis Optical Calculations" << QStringList{"Button1", "Button2"}
                            << QStringList();
}

void tst_OpticalWizard::windowsLookAsDesigned()
{
    QFETCH(QString, configuration);
    QFETCH(QString, title);
    QFETCH(QStringList, tabOrder);
    QFETCH(QStringList, initialTexts);
    QWidget* window = WalkTo(configuration, {"row 8"}, {});
    QVERIFY(window);
    const bool report = initialTexts.isEmpty();
    if (report) {
        Next(window); // the longest configuration text: a preset's name and two lines
        window = Windows().OpticReportForm;
        const TOpticReportForm* r = Windows().OpticReportForm;
        QCOMPARE(r->centralWidget()->size(), QSize(503, 377));
        QCOMPARE(r->File1->title(), QStringLiteral("File"));
        QCOMPARE(r->File1->actions(), (QList<QAction*>{r->Print1, r->ExportasPDF1, r->Exit1}));
        QCOMPARE(r->Button1->toolTip(), QStringLiteral("Back to main menu"));
        QCOMPARE(r->Panel1->geometry(), QRect(0, 0, 505, 3));
        QCOMPARE(r->Label8->font().pixelSize(), 16);
        QVERIFY(r->Label8->font().bold());
        for (const QLabel* label : r->centralWidget()->findChildren<QLabel*>()) {
            QVERIFY2(label->autoFillBackground() && label->palette().color(QPalette::Window) == Qt::white,
                     qPrintable(label->objectName()));
            QCOMPARE(label->palette().color(QPalette::WindowText), QColor(Qt::black));
        }
    } else {
        QCOMPARE(window->size(), QSize(503, 393));
        const QList<QLineEdit*> boxes{window->findChild<QLineEdit*>(tabOrder[0]),
                                      window->findChild<QLineEdit*>(tabOrder[1])};
        for (qsizetype i = 0; i < initialTexts.size(); ++i)
            QCOMPARE(boxes[i]->text(), initialTexts[i]);
        // A screen reader names each box after its prompt.
        for (qsizetype i = 0; i < initialTexts.size(); ++i)
            QVERIFY(!boxes[i]->accessibleName().isEmpty());
    }
    QVERIFY(QTest::qWaitForWindowActive(window));
    QCOMPARE(QApplication::focusWidget(), window->findChild<QWidget*>(tabOrder[0])); // where the keyboard starts
    QCOMPARE(window->windowTitle(), title);
    QCOMPARE(TabOrder(window->findChild<QWidget*>(tabOrder[0]), tabOrder.size() + 1), tabOrder + tabOrder.mid(0, 1));
    const QStringList clipped = ClippedCaptions(window);
    QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(QLatin1Char('\n'))));
    SaveScreenshot(window, QString::fromLatin1(QTest::currentDataTag()).replace(QLatin1Char(' '), QLatin1Char('_')));
}

void tst_OpticalWizard::sevenRoadsEndInTheReport_data()
{
    QTest::addColumn<bool>("fromCalculator");
    QTest::addColumn<QString>("configuration");
    QTest::addColumn<QStringList>("telescope");
    QTest::addColumn<QStringList>("boxes");
    QTest::addColumn<QStringList>("rows"); // as ReportRows; "*" is not checked

    QTest::newRow("prime focus 200/2000") << false << "PrimeFocusButton" << QStringList{"200", "2000"} << QStringList()
        << QStringList{"Telescope aperture:", "200 mm", "Telescope focal length:", "2000 mm", "Prime focus", "2000 mm",
                       "f/10.0", "0.69° x 1.03°", "0.57°", "18.2 mm", "0.30 to 0.49 mm"};
    QTest::newRow("camera lens 50 at f/2") << true << "CamLensButton" << QStringList() << QStringList{"CamFEdit=2"}
        << QStringList{"Camera lens aperture:", "25 mm", "Camera lens focal length:", "50 mm",
                       "Camera lens alone\r\n50.0 mm  f/2.0", "50 mm", "f/2.0", "27.0° x 40°", "22.6°", "0.5 mm",
                       "Excessively small"};
    QTest::newRow("teleconverter") << false << "NegProjTeleButton" << QStringList{"row 7"} << QStringList()
        << QStringList{"Telescope aperture:", "203 mm", "Telescope focal length:", "2032 mm",
                       "8-inch f/10 Schmidt-Cassegrain\r\nNegative projection with\r\nx2.0 teleconverter", "4064 mm",
                       "f/20.0", "*", "*", "36.9 mm (too big for 35-mm film)", "*"};
    QTest::newRow("compression") << true << "CompressionButton" << QStringList{"row 0"} << QStringList()
        << QStringList{"*", "90 mm", "*", "1250 mm", "Meade ETX-90\r\nCompression x0.63", "788 mm", "f/8.8", "*", "*",
                       "7.2 mm", "Excessively small"};
    QTest::newRow("afocal") << false << "AfocalButton" << QStringList{"100", "1250"} << QStringList()
        << QStringList{"*", "100 mm", "*", "1250 mm", "Afocal with\r\n50-mm lens, 18-mm eyepiece", "3472 mm", "f/34.7",
                       "*", "*", "*", "*"};
    QTest::newRow("Barlow") << false << "NegProjBarlowButton" << QStringList{"row 7"} << QStringList()
        << QStringList{"*", "203 mm", "*", "2032 mm",
                       "8-inch f/10 Schmidt-Cassegrain\r\nNeg. projection with Barlow lens,\r\nf.l.-75.0, 120.0 mm from film",
                       "5283 mm", "f/26.0", "*", "*", "*", "*"};
    QTest::newRow("eyepiece projection") << true << "EyepieceProjButton" << QStringList{"203", "2032"} << QStringList()
        << QStringList{"*", "203 mm", "*", "2032 mm", "Projection with 18.0-mm eyepiece\r\n120.0 mm from film",
                       "11515 mm", "f/56.7", "*", "*", "*", "*"};
    QTest::newRow("eyepiece closer than its focal length") << false << "EyepieceProjButton" << QStringList{"203", "2032"}
        << QStringList{"EypcDistanceEdit=12"}
        << QStringList{"*", "203 mm", "*", "2032 mm", "Projection with 18.0-mm eyepiece\r\n12.0 mm from film",
                       "-677 mm", "f/-3.3", "-2.03° x -3.04°", "-1.69°", "-6.2 mm", "Excessively small"};
}

void tst_OpticalWizard::sevenRoadsEndInTheReport()
{
    QFETCH(bool, fromCalculator);
    QFETCH(QString, configuration);
    QFETCH(QStringList, telescope);
    QFETCH(QStringList, boxes);
    QFETCH(QStringList, rows);
    const ProgramWindows& w = Windows();
    QWidget* completing = WalkTo(configuration, telescope, boxes, fromCalculator);
    QVERIFY(completing);
    Next(completing);
    QCOMPARE(m_program->Boxes.TakeTexts(), QStringList());

    TOpticReportForm* report = w.OpticReportForm;
    QVERIFY(QTest::qWaitForWindowActive(report));
    QVERIFY(!completing->isVisible());
    QCOMPARE(OpticalJob.ReturnWindow, completing);
    const QStringList shown = ReportRows();
    for (qsizetype i = 0; i < rows.size(); ++i)
        if (rows[i] != QLatin1String("*"))
            QCOMPARE(shown[i], rows[i]);
    QCOMPARE(w.Form1->FRatioBox->currentText(), report->fLabel->text().mid(2));
    const QStringList clipped = ClippedCaptions(report);
    QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(QLatin1Char('\n'))));

    // "<< Back" leads to the window that completed the job; from there back to the
    // configuration choice, whose "<< Back" now also leads to that window.
    Back(report);
    QVERIFY(completing->isVisible());
    QVERIFY(!report->isVisible());
    QWidget* current = completing;
    while (current != w.OpticForm2) {
        Back(current);
        QVERIFY(!current->isVisible());
        current = current == w.OpticCamLensForm || current == w.OpticForm1 ? static_cast<QWidget*>(w.OpticForm2)
                                                                           : static_cast<QWidget*>(w.OpticForm1);
        QVERIFY(current->isVisible());
    }
    Back(w.OpticForm2);
    QVERIFY(completing->isVisible());
    QVERIFY(!w.OpticForm2->isVisible());
}

void tst_OpticalWizard::refusalsKeepTheWindowAndItsBoxes_data()
{
    QTest::addColumn<QString>("configuration");
    QTest::addColumn<QStringList>("boxes");
    QTest::addColumn<QString>("message");

    QTest::newRow("teleconverter 0") << "NegProjTeleButton" << QStringList{"MagnificationEdit=0"}
                                     << "You must give the magnification of the teleconverter, which is typically 1.4, 2, or 3, before proceeding.";
    QTest::newRow("compression unreadable") << "CompressionButton" << QStringList{"MagnificationEdit=x0.63"}
                                            << "You must give the compression ratio, which is usually 0.63, before proceeding.";
    // The divisors of the three read-check windows, and the camera lens of 0 mm.
    QTest::newRow("afocal eyepiece 0") << "AfocalButton" << QStringList{"EypcEdit=0"}
                                       << "You must give the focal lengths of the camera lens and eyepiece before proceeding.";
    QTest::newRow("Barlow 0") << "NegProjBarlowButton" << QStringList{"BarlowFLEdit=0"}
                              << "You must give the focal length of the Barlow lens and its distance from the film before proceeding.";
    QTest::newRow("eyepiece 0") << "EyepieceProjButton" << QStringList{"EypcFLEdit=0"}
                                << "You must give the focal length of the eyepiece and its distance from the film before proceeding.";
    QTest::newRow("camera lens 0 mm") << "CamLensButton" << QStringList{"CamLensEdit=0"}
                                      << "You must give the focal length and f-ratio of the camera lens before proceeding.";
}

void tst_OpticalWizard::refusalsKeepTheWindowAndItsBoxes()
{
    QFETCH(QString, configuration);
    QFETCH(QStringList, boxes);
    QFETCH(QString, message);
    QWidget* window = WalkTo(configuration, {"203", "2032"}, boxes);
    QVERIFY(window);
    QStringList texts;
    for (const QLineEdit* box : window->findChildren<QLineEdit*>())
        texts << box->text();
    const TOpticalJob before = OpticalJob;
    Next(window);

    const QList<MessageBoxes::Request> asked = m_program->Boxes.Take();
    QCOMPARE(asked.size(), 1);
    QCOMPARE(asked[0].Text, message);
    QCOMPARE(asked[0].Caption, QStringLiteral("Orvalis Calculator"));
    QVERIFY(!asked[0].ErrorIcon);
    QVERIFY(window->isVisible());
    QVERIFY(!Windows().OpticReportForm->isVisible());
    QStringList after;
    for (const QLineEdit* box : window->findChildren<QLineEdit*>())
        after << box->text();
    QCOMPARE(after, texts);
    QCOMPARE(OpticalJob.EffectiveFocalLengthMm, before.EffectiveFocalLengthMm);
    QCOMPARE(OpticalJob.ApertureMm, before.ApertureMm);
    QCOMPARE(OpticalJob.ConfigurationText, before.ConfigurationText);
    QCOMPARE(OpticalJob.ReturnWindow, before.ReturnWindow);
    QCOMPARE(OpticalJob.TelescopeFocalLengthMm, before.TelescopeFocalLengthMm);
}

void tst_OpticalWizard::errorInsideTheReportEndsOnlyTheComputation_data()
{
    QTest::addColumn<QString>("configuration");
    QTest::addColumn<QStringList>("boxes");
    QTest::addColumn<QString>("error");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QString>("fRatioBox");

    // The distance equal to the eyepiece's focal length gives an effective focal length of 0.
    QTest::newRow("eyepiece at its focal length") << "EyepieceProjButton" << QStringList{"EypcDistanceEdit=18"}
        << "Floating point division by zero."
        << QStringList{"Telescope aperture:", "203 mm", "Telescope focal length:", "2032 mm",
                       "Projection with 18.0-mm eyepiece\r\n18.0 mm from film", "0 mm", "f/0.0", "?", "?", "?", "?"}
        << "0.0";
    QTest::newRow("length beyond 64 bits") << "NegProjTeleButton" << QStringList{"MagnificationEdit=1e20"}
        << "Invalid floating point operation."
        << QStringList{"Telescope aperture:", "203 mm", "Telescope focal length:", "2032 mm",
                       "Negative projection with\r\nx100000000000000000000.0 teleconverter", "?", "?", "?", "?", "?", "?"}
        << "20.0"; // the earlier job's
}

void tst_OpticalWizard::errorInsideTheReportEndsOnlyTheComputation()
{
    QFETCH(QString, configuration);
    QFETCH(QStringList, boxes);
    QFETCH(QString, error);
    QFETCH(QStringList, rows);
    QFETCH(QString, fRatioBox);
    TOpticReportForm* report = Windows().OpticReportForm;
    // An earlier job whose results must not stay beside the new one's.
    Next(WalkTo("PrimeFocusButton", {"200", "4000"}, {}));
    QCOMPARE(report->fLabel->text(), QStringLiteral("f/20.0"));
    QTest::mouseClick(report->Button1, Qt::LeftButton);

    QWidget* window = WalkTo(configuration, {"203", "2032"}, boxes);
    Next(window);
    const QList<MessageBoxes::Request> asked = m_program->Boxes.Take();
    QCOMPARE(asked.size(), 1);
    QCOMPARE(asked[0].Text, error);
    QCOMPARE(asked[0].Caption, QStringLiteral("Orvalis Exposure Calculator"));
    QVERIFY(asked[0].ErrorIcon);
    QCOMPARE(ReportRows(), rows);
    QCOMPARE(Windows().Form1->FRatioBox->currentText(), fRatioBox);
    // The navigation went on: the report is in front, the window that asked for it hidden.
    QVERIFY(QTest::qWaitForWindowActive(report));
    QVERIFY(!window->isVisible());
    QCOMPARE(OpticalJob.ReturnWindow, window);
}

void tst_OpticalWizard::captionsFollowTheWindowThatCompletedTheJob()
{
    const ProgramWindows& w = Windows();
    TOpticReportForm* report = w.OpticReportForm;
    const auto captions = [report] { return QStringList{report->Label1->text(), report->Label2->text()}; };
    const QStringList camera{"Camera lens aperture:", "Camera lens focal length:"};
    const QStringList telescope{"Telescope aperture:", "Telescope focal length:"};

    Next(WalkTo("CamLensButton", {}, {}));
    QCOMPARE(captions(), camera);
    QTest::mouseClick(report->Button1, Qt::LeftButton);
    Next(WalkTo("PrimeFocusButton", {"row 0"}, {}));
    QCOMPARE(captions(), telescope);
    QTest::mouseClick(report->Button1, Qt::LeftButton);

    // A detail window left open from an earlier run completes a job after the user has ticked
    // "Camera lens alone" in a new run: its telescope's values get the telescope's wording.
    QWidget* barlow = WalkTo("NegProjBarlowButton", {"row 7"}, {});
    QTest::mouseClick(w.StartForm->Button2, Qt::LeftButton);
    ClickRadio(w.OpticForm2->CamLensButton);
    Next(barlow);
    QCOMPARE(captions(), telescope);
    QCOMPARE(report->ApertureLabel->text(), QStringLiteral("203 mm"));
    QTest::mouseClick(report->Button1, Qt::LeftButton);

    // And the other way round: the camera-lens window finishes while "Prime focus" is ticked.
    QTest::mouseClick(w.OpticForm2->Button3, Qt::LeftButton);
    QVERIFY(w.OpticCamLensForm->isVisible());
    QTest::mouseClick(w.StartForm->Button2, Qt::LeftButton);
    ClickRadio(w.OpticForm2->PrimeFocusButton);
    Next(w.OpticCamLensForm);
    QCOMPARE(captions(), camera);
    QCOMPARE(report->ApertureLabel->text(), QStringLiteral("28 mm"));
}

void tst_OpticalWizard::secondShowOfTheVisibleReportComputesAfresh()
{
    TOpticReportForm* report = Windows().OpticReportForm;
    Next(WalkTo("PrimeFocusButton", {"200", "2000"}, {}, true));
    QCOMPARE(report->EFLLabel->text(), QStringLiteral("2000 mm"));
    // The exposure calculator stayed open: the wizard runs again beside the visible report.
    QTest::mouseClick(Windows().Form1->Button1, Qt::LeftButton);
    QVERIFY(report->isVisible());
    QTest::mouseClick(Windows().OpticForm2->Button3, Qt::LeftButton);
    TOpticForm1* telescope = Windows().OpticForm1;
    TypeInto(telescope->ApertureEditBox, QStringLiteral("100"));
    TypeInto(telescope->FocalEditBox, QStringLiteral("1000"));
    QTest::mouseClick(telescope->Button1, Qt::LeftButton);
    QVERIFY(QTest::qWaitForWindowActive(report));
    QCOMPARE(report->ApertureLabel->text(), QStringLiteral("100 mm"));
    QCOMPARE(report->EFLLabel->text(), QStringLiteral("1000 mm"));
    QCOMPARE(report->MoonImageSizeLabel->text(), QStringLiteral("9.1 mm"));
    QCOMPARE(Windows().Form1->FRatioBox->currentText(), QStringLiteral("10.0"));
}

void tst_OpticalWizard::exposureCalculatorTakesUpTheNewFRatio()
{
    TForm1* calculator = Windows().Form1;
    QTest::mouseClick(Windows().StartForm->Button1, Qt::LeftButton);
    TypeInto(calculator->BrightnessBox, QStringLiteral("3.4"));
    TypeInto(calculator->FRatioBox, QStringLiteral("8"));
    const QString atF8 = calculator->ExposureLabel->text();

    Next(WalkTo("CamLensButton", {}, {"CamFEdit=2"}, true));
    QCOMPARE(calculator->FRatioBox->currentText(), QStringLiteral("2.0"));
    QCOMPARE(calculator->ExposureLabel->text(), atF8); // a write alone does not recalculate
    QVERIFY(QTest::qWaitForWindowActive(Windows().OpticReportForm));
    QTest::mouseClick(Windows().StartForm->Button1, Qt::LeftButton); // brings it to the front
    QVERIFY(QTest::qWaitForWindowActive(calculator));
    const QString atF2 = calculator->ExposureLabel->text();
    QVERIFY(atF2 != atF8);
    // The same as typing the number in.
    TypeInto(calculator->FRatioBox, QStringLiteral("2"));
    QCOMPARE(calculator->ExposureLabel->text(), atF2);
}

void tst_OpticalWizard::reportClosesWithoutOtherEffects()
{
    TOpticReportForm* report = Windows().OpticReportForm;
    const QList<std::function<void()>> ways{[report] { QTest::mouseClick(report->Button1, Qt::LeftButton); },
                                            [report] { report->Exit1->trigger(); }, [report] { report->close(); }};
    Next(WalkTo("PrimeFocusButton", {"200", "2000"}, {}, true));
    for (const auto& close : ways) {
        ShowWindow(report);
        close();
        QVERIFY(!report->isVisible());
        QCOMPARE(Windows().Form1->FRatioBox->currentText(), QStringLiteral("10.0"));
        QCOMPARE(OpticalJob.ReturnWindow, Windows().OpticForm1);
        QVERIFY(!Windows().OpticForm1->isVisible());
    }
}

ORVALIS_WIDGET_TEST_MAIN(tst_OpticalWizard)
#include "tst_OpticalWizard.moc"
