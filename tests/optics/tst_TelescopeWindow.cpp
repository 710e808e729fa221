#include "TestSupport.h"

#include "app/ProgramWindows.h"
#include "app/TSplashScreen.h"
#include "app/TStartForm.h"
#include "optics/OpticalJob.h"
#include "optics/TOpticForm1.h"
#include "optics/TOpticForm2.h"

#include <QAccessible>
#include <QGroupBox>

using Steps = QStringList;

class tst_TelescopeWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void firstShowingRefusesAtOnce();
    void windowLooksAsDesigned();
    void boxesFollowTheUnits_data();
    void boxesFollowTheUnits();
    void nextReadsWhatTheBoxesShow_data();
    void nextReadsWhatTheBoxesShow();
    void refusals_data();
    void refusals();
    void clickingTheSelectedRowAgainRestoresItsValues();
    void clickThatLeavesNoRowSelectedDoesNothing();
    void keyboardChoosesRows();
    void backShowsTheConfigurationChoice();
    void closeBoxOnlyHides();

private:
    void Do(const Steps& steps);
    void Next() { QTest::mouseClick(m_form->Button1, Qt::LeftButton); }

    std::unique_ptr<RunningProgram> m_program;
    TOpticForm1* m_form = nullptr;
};

void tst_TelescopeWindow::init()
{
    m_program = std::make_unique<RunningProgram>();
    m_form = Windows().OpticForm1;
    // The way a user gets here: "Calculate Optical Parameters", "Prime focus", "Next >>".
    QTest::mouseClick(Windows().StartForm->Button2, Qt::LeftButton);
    TOpticForm2* choice = Windows().OpticForm2;
    ClickRadio(choice->PrimeFocusButton);
    QTest::mouseClick(choice->Button3, Qt::LeftButton);
    QVERIFY(QTest::qWaitForWindowActive(m_form));
    QVERIFY(!choice->isVisible());
}

void tst_TelescopeWindow::cleanup()
{
    const QStringList unexpected = EndProgram(m_program);
    QVERIFY2(unexpected.isEmpty(), qPrintable(unexpected.join(QLatin1Char('\n'))));
}

// Steps: "row N" clicks a list row, "aperture TEXT" / "focal TEXT" types into a box,
// "aperture in" / "focal cm" ... clicks a unit, "error TEXT" takes the error box just shown.
void tst_TelescopeWindow::Do(const Steps& steps)
{
    for (const QString& step : steps) {
        const QString what = step.section(QLatin1Char(' '), 0, 0);
        const QString value = step.section(QLatin1Char(' '), 1);
        if (what == QLatin1String("row")) {
            ClickRow(m_form->ListBox1, value.toInt());
            continue;
        }
        if (what == QLatin1String("error")) {
            QCOMPARE(m_program->Boxes.TakeTexts(), QStringList{value});
            continue;
        }
        const bool aperture = what == QLatin1String("aperture");
        QVERIFY2(aperture || what == QLatin1String("focal"), qPrintable(step));
        QGroupBox* units = aperture ? m_form->ApertureUnits : m_form->FocalUnits;
        const QString unitName = value == QLatin1String("in") ? QStringLiteral("Inches")
                                 : value == QLatin1String("cm") ? QStringLiteral("Cm")
                                 : value == QLatin1String("mm") ? QStringLiteral("Mm")
                                                                : QString();
        if (!unitName.isEmpty())
            ClickRadio(units->findChild<QRadioButton*>((aperture ? "Aperture" : "Focal") + unitName));
        else
            TypeInto(aperture ? m_form->ApertureEditBox : m_form->FocalEditBox, value);
    }
}

void tst_TelescopeWindow::firstShowingRefusesAtOnce()
{
    QCOMPARE(m_form->ApertureEditBox->text(), QStringLiteral("?"));
    QCOMPARE(m_form->FocalEditBox->text(), QStringLiteral("?"));
    QVERIFY(m_form->ApertureMm->isChecked());
    QVERIFY(m_form->FocalMm->isChecked());
    Next();
    const QList<MessageBoxes::Request> boxes = m_program->Boxes.Take();
    QCOMPARE(boxes.size(), 1);
    QCOMPARE(boxes[0].Text, QStringLiteral("You must specify a valid aperture and focal length before proceeding."));
    QCOMPARE(boxes[0].Caption, QStringLiteral("Orvalis Calculator"));
    QVERIFY(!boxes[0].ErrorIcon);
    QVERIFY(m_form->isVisible());
}

void tst_TelescopeWindow::windowLooksAsDesigned()
{
    QCOMPARE(m_form->windowTitle(), QStringLiteral("Orvalis Optical Calculations"));
    QCOMPARE(m_form->size(), QSize(503, 407));
    QCOMPARE(m_form->ListBox1->count(), 10);
    QCOMPARE(m_form->ListBox1->item(8)->text(), QStringLiteral("24-inch f/13.1 (Tarnholm Observatory)"));
    QCOMPARE(m_form->Button2->toolTip(), QStringLiteral("Back to main menu"));
    // What a screen reader names the boxes and groups.
    const auto name = [](QWidget* widget) { return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name); };
    QCOMPARE(name(m_form->ApertureEditBox), QStringLiteral("Aperture (diameter):"));
    QCOMPARE(name(m_form->FocalEditBox), QStringLiteral("Focal length:"));
    QCOMPARE(name(m_form->ListBox1), QStringLiteral("Select your telescope, or enter data below:"));
    QCOMPARE(name(m_form->FocalUnits), QStringLiteral("Focal length units"));
    const QStringList clipped = ClippedCaptions(m_form);
    QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(QLatin1Char('\n'))));
    SaveScreenshot(m_form, QStringLiteral("telescope"));

    // Keyboard order: list, aperture box and units, focal box and units, Next, Back.
    QCOMPARE(TabOrder(m_form->ListBox1, 7),
             (QStringList{"ListBox1", "ApertureEditBox", "ApertureMm", "FocalEditBox", "FocalMm", "Button1", "Button2"}));
    // Within a unit group the arrow keys move, and choose.
    m_form->ApertureMm->setFocus();
    QTest::keyClick(m_form->ApertureMm, Qt::Key_Up);
    QVERIFY(m_form->ApertureCm->isChecked());
    QCOMPARE(QApplication::focusWidget(), m_form->ApertureCm);
    QTest::keyClick(m_form->ApertureCm, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), m_form->FocalEditBox);
}

void tst_TelescopeWindow::boxesFollowTheUnits_data()
{
    QTest::addColumn<Steps>("steps");
    QTest::addColumn<QString>("aperture");
    QTest::addColumn<QString>("focal");

    QTest::newRow("preset in mm") << Steps{"row 7"} << "203" << "2032";
    QTest::newRow("preset in inches and cm") << Steps{"aperture in", "focal cm", "row 7"} << "7.99" << "203.2";
    QTest::newRow("1250 mm to inches") << Steps{"row 0", "focal in"} << "90" << "49.21";
    QTest::newRow("and back to mm") << Steps{"row 0", "focal in", "focal mm"} << "90" << "1250";
    QTest::newRow("typed 203.2 rewritten by the other unit")
        << Steps{"aperture 203.2", "focal 1000", "focal cm"} << "203" << "100.0";
    QTest::newRow("halves to even, down") << Steps{"focal 1250.5", "aperture in"} << "?" << "1250";
    QTest::newRow("halves to even, up") << Steps{"focal 1251.5", "aperture in"} << "?" << "1252";
    QTest::newRow("0.5 mm shows as ?") << Steps{"aperture 0.5", "focal 1000", "focal in"} << "?" << "39.37";
    QTest::newRow("exactly 1 mm stays") << Steps{"aperture 1", "focal 1000", "aperture cm"} << "0.1" << "1000";
    QTest::newRow("Other clears both") << Steps{"row 0", "row 9"} << "?" << "?";
    QTest::newRow("unreadable text becomes ?") << Steps{"aperture eight", "focal 900", "aperture in"} << "?" << "900";
    QTest::newRow("words after the number go") << Steps{"aperture 8 inch", "aperture in"} << "0.31" << "?";
    QTest::newRow("inches typed, read as inches") << Steps{"aperture in", "aperture 8 inches", "aperture mm"} << "203" << "?";
    QTest::newRow("24-inch in cm") << Steps{"aperture cm", "focal cm", "row 8"} << "61.0" << "800.0";
}

void tst_TelescopeWindow::boxesFollowTheUnits()
{
    QFETCH(Steps, steps);
    QFETCH(QString, aperture);
    QFETCH(QString, focal);
    Do(steps);
    QCOMPARE(m_form->ApertureEditBox->text(), aperture);
    QCOMPARE(m_form->FocalEditBox->text(), focal);
}

void tst_TelescopeWindow::nextReadsWhatTheBoxesShow_data()
{
    QTest::addColumn<Steps>("steps");
    QTest::addColumn<double>("apertureMm");
    QTest::addColumn<double>("focalMm");
    QTest::addColumn<QString>("configuration");

    QTest::newRow("ETX-90 in mm") << Steps{"row 0"} << 90.0 << 1250.0 << "Meade ETX-90\r\nPrime focus";
    QTest::newRow("ETX-90 in inches reads the inches shown") << Steps{"focal in", "row 0"} << 90.0 << 1249.934
                                                              << "Meade ETX-90\r\nPrime focus";
    QTest::newRow("typed values, no preset") << Steps{"aperture 100", "focal 1000"} << 100.0 << 1000.0 << "Prime focus";
    QTest::newRow("preset then typed keeps the name") << Steps{"row 7", "focal 2500"} << 203.0 << 2500.0
                                                       << "8-inch f/10 Schmidt-Cassegrain\r\nPrime focus";
    QTest::newRow("203.2 typed, then shown as 203") << Steps{"row 7", "aperture 203.2", "focal cm", "focal mm"}
                                                     << 203.0 << 2032.0 << "8-inch f/10 Schmidt-Cassegrain\r\nPrime focus";
    QTest::newRow("8 inches") << Steps{"aperture in", "aperture 8 inches", "focal 2032"} << 203.2 << 2032.0 << "Prime focus";
    QTest::newRow("Other, then typed") << Steps{"row 0", "row 9", "aperture 60", "focal 700"} << 60.0 << 700.0 << "Prime focus";
    // A unit change that fails leaves the box in its old unit; whatever writes the box next
    // decides the unit it is read in.
    QTest::newRow("preset after a failed unit change")
        << Steps{"focal in", "focal 1e308", "focal mm", "error Floating point overflow.", "row 7"} << 203.0 << 2032.0
        << "8-inch f/10 Schmidt-Cassegrain\r\nPrime focus";
    QTest::newRow("typing after a failed unit change")
        << Steps{"focal in", "focal 1e308", "focal mm", "error Floating point overflow.", "focal 2032", "aperture 203"}
        << 203.0 << 2032.0 << "Prime focus";
    QTest::newRow("exactly 1 mm is accepted") << Steps{"aperture 1", "focal 1"} << 1.0 << 1.0 << "Prime focus";
}

void tst_TelescopeWindow::nextReadsWhatTheBoxesShow()
{
    QFETCH(Steps, steps);
    QFETCH(double, apertureMm);
    QFETCH(double, focalMm);
    QFETCH(QString, configuration);
    Do(steps);
    Next();
    QCOMPARE(m_program->Boxes.TakeTexts(), QStringList());
    QCOMPARE(OpticalJob.ApertureMm, apertureMm);
    QCOMPARE(OpticalJob.TelescopeFocalLengthMm, focalMm);
    QCOMPARE(OpticalJob.EffectiveFocalLengthMm, focalMm);
    QCOMPARE(QString::fromStdString(OpticalJob.ConfigurationText), configuration);
    QCOMPARE(OpticalJob.ReturnWindow, m_form);
}

void tst_TelescopeWindow::refusals_data()
{
    QTest::addColumn<Steps>("steps");
    QTest::addColumn<double>("apertureMm");
    QTest::addColumn<double>("focalMm");

    QTest::newRow("0.5 mm aperture") << Steps{"aperture 0.5", "focal 1000"} << 0.5 << 1000.0;
    QTest::newRow("no focal length") << Steps{"aperture 100"} << 100.0 << 0.0;
    QTest::newRow("Other chosen") << Steps{"row 3", "row 9"} << 0.0 << 0.0;
    QTest::newRow("negative focal length") << Steps{"aperture 100", "focal -1000"} << 100.0 << -1000.0;
    QTest::newRow("empty boxes") << Steps{"aperture ", "focal "} << 0.0 << 0.0;
}

void tst_TelescopeWindow::refusals()
{
    QFETCH(Steps, steps);
    QFETCH(double, apertureMm);
    QFETCH(double, focalMm);
    Do(steps);
    const QString apertureText = m_form->ApertureEditBox->text();
    Next();
    QCOMPARE(m_program->Boxes.TakeTexts(), QStringList{"You must specify a valid aperture and focal length before proceeding."});
    QVERIFY(m_form->isVisible());
    QCOMPARE(m_form->ApertureEditBox->text(), apertureText); // nothing is lost
    QCOMPARE(OpticalJob.ApertureMm, apertureMm);              // the values just read
    QCOMPARE(OpticalJob.TelescopeFocalLengthMm, focalMm);
    QCOMPARE(OpticalJob.ConfigurationText, std::string());
}

void tst_TelescopeWindow::clickingTheSelectedRowAgainRestoresItsValues()
{
    Do({"row 1", "aperture 55"});
    QCOMPARE(m_form->ApertureEditBox->text(), QStringLiteral("55"));
    Do({"row 1"});
    QCOMPARE(m_form->ApertureEditBox->text(), QStringLiteral("125"));
    QCOMPARE(OpticalJob.TelescopeLine, std::string("Meade ETX-125\r\n"));
}

void tst_TelescopeWindow::clickThatLeavesNoRowSelectedDoesNothing()
{
    Do({"row 1", "aperture 55"});
    ClickRow(m_form->ListBox1, 1, Qt::ControlModifier); // deselects the row
    QVERIFY(m_form->ListBox1->selectedItems().isEmpty());
    QCOMPARE(m_form->ApertureEditBox->text(), QStringLiteral("55"));
    QCOMPARE(OpticalJob.TelescopeLine, std::string("Meade ETX-125\r\n"));
}

void tst_TelescopeWindow::keyboardChoosesRows()
{
    Do({"row 0"});
    QTest::keyClick(m_form->ListBox1, Qt::Key_Down);
    QCOMPARE(m_form->FocalEditBox->text(), QStringLiteral("1900"));
    QTest::keyClick(m_form->ListBox1, Qt::Key_End);
    QCOMPARE(m_form->FocalEditBox->text(), QStringLiteral("?"));
    QCOMPARE(OpticalJob.TelescopeLine, std::string());
}

void tst_TelescopeWindow::backShowsTheConfigurationChoice()
{
    Do({"row 2"});
    const std::string line = OpticalJob.TelescopeLine;
    QTest::mouseClick(m_form->Button2, Qt::LeftButton);
    QVERIFY(Windows().OpticForm2->isVisible());
    QVERIFY(!m_form->isVisible());
    QCOMPARE(OpticalJob.TelescopeLine, line);
    QCOMPARE(OpticalJob.ApertureMm, 127.0);

    // Coming back, the window is as it was left.
    QTest::mouseClick(Windows().OpticForm2->Button3, Qt::LeftButton);
    QVERIFY(m_form->isVisible());
    QCOMPARE(m_form->ApertureEditBox->text(), QStringLiteral("127"));
    QCOMPARE(m_form->ListBox1->currentRow(), 2);
}

void tst_TelescopeWindow::closeBoxOnlyHides()
{
    Do({"row 2"});
    m_form->close();
    QVERIFY(!m_form->isVisible());
    QVERIFY(!Windows().OpticForm2->isVisible());
    QCOMPARE(OpticalJob.ApertureMm, 127.0);
    QCOMPARE(OpticalJob.ReturnWindow, Windows().StartForm);
}

ORVALIS_WIDGET_TEST_MAIN(tst_TelescopeWindow)
#include "tst_TelescopeWindow.moc"
