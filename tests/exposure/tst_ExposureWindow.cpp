#include "TestSupport.h"

#include "app/ProgramWindows.h"
#include "app/TSplashScreen.h"
#include "app/TStartForm.h"
#include "exposure/TForm1.h"
#include "optics/OpticalJob.h"
#include "optics/TOpticForm2.h"
#include "ui/WindowRules.h"

#include "numeric/NumberText.h"
#include "optics/Telescope.h"

#include <QScrollBar>
#include <QAccessible>
#include <QTimer>

#include <clocale>

// Each row is a list of user actions, "Box=text" to type a text or "Box=#n" to pick item n.
using Actions = QStringList;

class tst_ExposureWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void firstDisplayShowsUnreadableResultAndBothWarnings();
    void windowLooksAsDesigned();
    void captions_data();
    void captions();
    void recalculatesOnEveryKeystroke();
    void typedTextStaysAsTypedAndListsNeverChange_data();
    void typedTextStaysAsTypedAndListsNeverChange();
    void absurdBrightness_data();
    void absurdBrightness();
    void errorBoxComesOnceNotOnEveryReturn();
    void textsSurviveFinishedAndReopening();
    void exitShowsTheStartWindow();
    void fRatioWrittenByTheProgramIsReadAtNextActivation();
    void runOpticalCalculationsOpensTheWizard();
    void keyboardOrder();
    void numbersAreWrittenAlikeUnderEveryLocale_data();
    void numbersAreWrittenAlikeUnderEveryLocale();

private:
    void Act(const Actions& actions);
    QComboBox* Box(const QString& name) const;
    QString Caption() const { return m_form->ExposureLabel->text(); }

    std::unique_ptr<RunningProgram> m_program;
    TForm1* m_form = nullptr;
};

void tst_ExposureWindow::init()
{
    m_program = std::make_unique<RunningProgram>();
    m_form = Windows().Form1;
    QTest::mouseClick(Windows().StartForm->Button1, Qt::LeftButton); // "Calculate Exposures"
    QVERIFY(QTest::qWaitForWindowActive(m_form));
}

void tst_ExposureWindow::cleanup()
{
    const QStringList unexpected = EndProgram(m_program);
    QVERIFY2(unexpected.isEmpty(), qPrintable(unexpected.join(QLatin1Char('\n'))));
}

QComboBox* tst_ExposureWindow::Box(const QString& name) const
{
    return m_form->findChild<QComboBox*>(name);
}

void tst_ExposureWindow::Act(const Actions& actions)
{
    for (const QString& action : actions) {
        const QString name = action.section(QLatin1Char('='), 0, 0);
        const QString value = action.section(QLatin1Char('='), 1);
        QComboBox* box = Box(name);
        QVERIFY2(box, qPrintable(name));
        if (value.startsWith(QLatin1Char('#')))
            QVERIFY(PickItem(box, value.mid(1).toInt()));
        else
            TypeInto(box, value);
    }
}

void tst_ExposureWindow::firstDisplayShowsUnreadableResultAndBothWarnings()
{
    QCOMPARE(Caption(), QStringLiteral("??? "));
    QVERIFY(m_form->ApproximateWarning->isVisible());
    QVERIFY(m_form->ApproximateWarning2->isVisible());
    QCOMPARE(Box("BrightnessBox")->currentText().size(), 73);
    QCOMPARE(Box("FRatioBox")->currentText(), QStringLiteral(" 10"));
}

void tst_ExposureWindow::windowLooksAsDesigned()
{
    QCOMPARE(m_form->windowTitle(), QStringLiteral("Orvalis Exposure Calculator"));
    QCOMPARE(m_form->centralWidget()->size(), QSize(632, 419));
    QCOMPARE(m_form->centralWidget()->palette().color(QPalette::Window), QColor(192, 192, 192));
    const int counts[] = {42, 11, 7, 50, 23};
    const char* names[] = {"BrightnessBox", "SpeedBox", "ReciprocityBox", "FilterFactorBox", "FRatioBox"};
    for (int i = 0; i < 5; ++i) {
        QCOMPARE(Box(names[i])->count(), counts[i]);
        QCOMPARE(Box(names[i])->toolTip(), QStringLiteral("Choose an item from the menu or type your own numbers."));
        // On Linux a screen reader reads a combo box's text as its name and announces the
        // label it is "labelled by".
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(Box(names[i]));
        const auto labels = accessible->relations(QAccessible::Label);
        QCOMPARE(labels.size(), 1);
        QVERIFY2(labels[0].first->text(QAccessible::Name).endsWith(QLatin1Char(':'))
                     || labels[0].first->text(QAccessible::Name).endsWith(QLatin1Char('=')),
                 names[i]);
    }
    QCOMPARE(QAccessible::queryAccessibleInterface(Box("SpeedBox"))->relations(QAccessible::Label).value(0).first->text(QAccessible::Name),
             QStringLiteral("Film speed:"));
    QCOMPARE(Box("BrightnessBox")->itemText(32), QStringLiteral(" "));
    QCOMPARE(m_form->Button2->toolTip(), QStringLiteral("Return to main menu"));

    // Long captions and the longest list items must fit.
    m_form->ExposureLabel->setText(QStringLiteral("   0.000 s   = Excessively short "));
    m_form->ExposureLabel->adjustSize();
    const QStringList clipped = ClippedCaptions(m_form);
    QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(QLatin1Char('\n'))));
    QVERIFY(!m_form->ExposureLabel->geometry().intersects(m_form->Button2->geometry()));
    for (const char* name : names) {
        // As wide as the longest item in the list's own font, give or take its scroll bar.
        QAbstractItemView* list = Box(name)->view();
        QVERIFY(list->minimumWidth() >= list->sizeHintForColumn(0));
        QVERIFY2(list->minimumWidth() <= list->sizeHintForColumn(0) + 2 * list->verticalScrollBar()->sizeHint().width() + 16,
                 name);
    }
    SaveScreenshot(m_form, QStringLiteral("exposure"));
    Box("FilterFactorBox")->showPopup();
    QVERIFY(QTest::qWaitForWindowExposed(Box("FilterFactorBox")->view()->window()));
    SaveScreenshot(Box("FilterFactorBox")->view()->window(), QStringLiteral("exposure_filter_list"));
    Box("FilterFactorBox")->hidePopup();
}

void tst_ExposureWindow::captions_data()
{
    QTest::addColumn<Actions>("actions");
    QTest::addColumn<QString>("caption");

    // Speed 200, reciprocity 0.8, no filter and f/10 unless a row says otherwise.
    QTest::newRow("full Moon picked") << Actions{"BrightnessBox=#7"} << "   0.004 s   = 1/250 s";
    QTest::newRow("thin crescent picked") << Actions{"BrightnessBox=#1"} << "   0.076 s   = 1/15 s";
    QTest::newRow("Sun without filter") << Actions{"BrightnessBox=#14"} << "   0.000 s   = Excessively short ";
    QTest::newRow("Sun through D6 filter") << Actions{"BrightnessBox=#14", "FilterFactorBox=#47"} << "   0.008 s   = 1/125 s";
    QTest::newRow("13.5 at f/8") << Actions{"BrightnessBox=13.5", "FRatioBox=8"} << "   45 s";
    QTest::newRow("16.5 at f/6.3 picked") << Actions{"BrightnessBox=#29", "FRatioBox=#7"} << "   12 m";
    QTest::newRow("town sky") << Actions{"BrightnessBox=#40"} << "  2.1 h";
    QTest::newRow("21.0 at f/5.6") << Actions{"BrightnessBox=21.0", "FRatioBox=5.6"} << "Excessively long ";
    QTest::newRow("film speed 0") << Actions{"BrightnessBox=3.4", "SpeedBox=0"} << "  -1.000 s   = ??? ";
    QTest::newRow("reciprocity 0") << Actions{"BrightnessBox=3.4", "ReciprocityBox=0"} << "  -1.000 s   = ??? ";
    QTest::newRow("filter factor 0") << Actions{"BrightnessBox=3.4", "FilterFactorBox=0"} << "  -1.000 s   = ??? ";
    QTest::newRow("brightness below -20") << Actions{"BrightnessBox=-21"} << "  -1.000 s   = ??? ";
    QTest::newRow("f/0") << Actions{"BrightnessBox=3.4", "FRatioBox=0"} << "   0.000 s   = ??? ";
    QTest::newRow("0.75 s") << Actions{"BrightnessBox=9", "SpeedBox=12", "FRatioBox=3", "ReciprocityBox=1"}
                            << "   0.750 s   =     1 s";
    QTest::newRow("only the first word counts") << Actions{"BrightnessBox=3.4 full Moon"} << "   0.004 s   = 1/250 s";
    QTest::newRow("separator picked") << Actions{"BrightnessBox=#7", "BrightnessBox=#13"} << "??? ";
    QTest::newRow("one-blank item picked") << Actions{"BrightnessBox=#7", "BrightnessBox=#32"} << "??? ";
    QTest::newRow("a word for the f/ratio") << Actions{"BrightnessBox=3.4", "FRatioBox=f/10"} << "??? ";
    QTest::newRow("empty speed box") << Actions{"BrightnessBox=3.4", "SpeedBox="} << "??? ";
    // Jupiter (5.3) at 3200 with a #3 filter (1.4), no reciprocity failure: 0.00145 s.
    QTest::newRow("CCD with filter picked") << Actions{"BrightnessBox=#22", "SpeedBox=#0", "ReciprocityBox=#6", "FilterFactorBox=#4"}
                                            << "   0.001 s   = 1/500 s";
}

void tst_ExposureWindow::captions()
{
    QFETCH(Actions, actions);
    QFETCH(QString, caption);
    Act(actions);
    QCOMPARE(Caption(), caption);
    QVERIFY(m_form->ApproximateWarning->isVisible());
    QVERIFY(m_form->ApproximateWarning2->isVisible());
    // The label grows and shrinks with its caption.
    QCOMPARE(m_form->ExposureLabel->width(), m_form->ExposureLabel->sizeHint().width());
}

void tst_ExposureWindow::recalculatesOnEveryKeystroke()
{
    QComboBox* brightness = Box("BrightnessBox");
    TypeInto(brightness, QString());
    QCOMPARE(Caption(), QStringLiteral("??? "));
    QTest::keyClick(brightness->lineEdit(), Qt::Key_3);
    const QString afterThree = Caption();
    QCOMPARE(afterThree, QStringLiteral("   0.002 s   = 1/500 s"));
    QTest::keyClick(brightness->lineEdit(), Qt::Key_Period);
    QCOMPARE(Caption(), afterThree); // "3." reads as 3
    QTest::keyClick(brightness->lineEdit(), Qt::Key_4);
    QCOMPARE(Caption(), QStringLiteral("   0.004 s   = 1/250 s"));
    QTest::keyClick(brightness->lineEdit(), Qt::Key_Backspace);
    QTest::keyClick(brightness->lineEdit(), Qt::Key_Backspace);
    QCOMPARE(Caption(), afterThree);
}

void tst_ExposureWindow::typedTextStaysAsTypedAndListsNeverChange_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typed");

    QTest::newRow("film speed 1 is not completed to 1600") << "SpeedBox" << "1";
    QTest::newRow("f/ratio 1 is not completed to 1.4") << "FRatioBox" << "1";
    QTest::newRow("brightness text of one's own") << "BrightnessBox" << "12.5 my nebula";
    QTest::newRow("filter factor typed") << "FilterFactorBox" << "3";
    QTest::newRow("reciprocity 0.7") << "ReciprocityBox" << "0.7";
}

void tst_ExposureWindow::typedTextStaysAsTypedAndListsNeverChange()
{
    QFETCH(QString, box);
    QFETCH(QString, typed);
    QComboBox* combo = Box(box);
    const int count = combo->count();
    TypeInto(combo, typed);
    QCOMPARE(combo->currentText(), typed);
    QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
    QCOMPARE(combo->currentText(), typed);
    QCOMPARE(combo->count(), count);
    QTest::keyClick(combo->lineEdit(), Qt::Key_Tab);
    QCOMPARE(combo->currentText(), typed);
    QCOMPARE(combo->count(), count);
}

void tst_ExposureWindow::absurdBrightness_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("error");
    QTest::addColumn<QString>("caption");

    // Before the last keystroke the brightness reads 80 or 100: far too long, but no error.
    QTest::newRow("800 overflows") << "BrightnessBox" << "800" << "Floating point overflow." << "Excessively long ";
    QTest::newRow("1000 divides by zero") << "BrightnessBox" << "1000" << "Floating point division by zero." << "Excessively long ";
    QTest::newRow("400 is only too long") << "BrightnessBox" << "400" << QString() << "Excessively long ";
    QTest::newRow("f/1e400 overflows when read") << "FRatioBox" << "1e400" << "Floating point overflow." << "Excessively long ";
}

void tst_ExposureWindow::absurdBrightness()
{
    QFETCH(QString, box);
    QFETCH(QString, typed);
    QFETCH(QString, error);
    QFETCH(QString, caption);
    TypeInto(Box("BrightnessBox"), QStringLiteral("3.4"));
    QComboBox* edited = Box(box);
    TypeInto(edited, typed.chopped(1));
    QCOMPARE(m_program->Boxes.TakeTexts(), QStringList());
    const QString before = Caption();
    QTest::keyClick(edited->lineEdit(), typed.back().toLatin1());

    const QList<MessageBoxes::Request> boxes = m_program->Boxes.Take();
    if (error.isEmpty()) {
        QCOMPARE(boxes.size(), 0);
        QCOMPARE(Caption(), caption);
        return;
    }
    QCOMPARE(boxes.size(), 1);
    QCOMPARE(boxes[0].Text, error);
    QCOMPARE(boxes[0].Caption, QStringLiteral("Orvalis Exposure Calculator"));
    QVERIFY(boxes[0].ErrorIcon);
    QCOMPARE(Caption(), before); // the failed recalculation left the caption alone
    QCOMPARE(edited->currentText(), typed);

    // The next edit recalculates as usual.
    TypeInto(edited, QStringLiteral("3.4"));
    QCOMPARE(Caption(), box == QLatin1String("FRatioBox") ? QStringLiteral("   0.000 s   = 1/2000 s")
                                                           : QStringLiteral("   0.004 s   = 1/250 s"));
    QCOMPARE(m_program->Boxes.TakeTexts(), QStringList());
}

void tst_ExposureWindow::errorBoxComesOnceNotOnEveryReturn()
{
    // With the real box: closing it gives the activation back to the calculator, which must
    // not count as a new activation, or the same error would come back for ever.
    TypeInto(Box("BrightnessBox"), QStringLiteral("80"));
    MessageBoxes::SetAnswerer({});
    int shown = 0;
    QTimer closer;
    connect(&closer, &QTimer::timeout, [&shown] {
        if (QWidget* box = QApplication::activeModalWidget()) {
            ++shown;
            box->close();
        }
    });
    closer.start(50);
    QTest::keyClick(Box("BrightnessBox")->lineEdit(), Qt::Key_0);
    QTest::qWait(600);
    closer.stop();
    m_program->Boxes.Install();
    QCOMPARE(shown, 1);
    // What a desktop does when a box closes: the window under it becomes active again.
    m_form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_form));
    QCOMPARE(m_program->Boxes.TakeTexts(), QStringList());

    // Nor is a return from another application (as the desktop reports it to the program).
    QApplication::setActiveWindow(nullptr);
    QApplication::setActiveWindow(m_form);
    QVERIFY(QTest::qWaitForWindowActive(m_form));
    QCOMPARE(m_program->Boxes.TakeTexts(), QStringList());

    // Leaving for another window of the program and coming back is a new activation.
    Windows().StartForm->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(Windows().StartForm));
    ShowWindow(m_form);
    QVERIFY(QTest::qWaitForWindowActive(m_form));
    QCOMPARE(m_program->Boxes.TakeTexts(), QStringList{"Floating point overflow."});
}

void tst_ExposureWindow::textsSurviveFinishedAndReopening()
{
    Act({"BrightnessBox=#29", "SpeedBox=#5", "ReciprocityBox=#3", "FilterFactorBox=#6", "FRatioBox=6.3"});
    QStringList texts;
    for (const QComboBox* box : m_form->findChildren<QComboBox*>())
        texts << box->currentText();
    const QString caption = Caption();

    QTest::mouseClick(m_form->Button2, Qt::LeftButton); // "Finished"
    QVERIFY(!m_form->isVisible());
    QVERIFY(Windows().StartForm->isVisible());
    QTest::mouseClick(Windows().StartForm->Button1, Qt::LeftButton);
    QVERIFY(QTest::qWaitForWindowActive(m_form));

    QStringList after;
    for (const QComboBox* box : m_form->findChildren<QComboBox*>())
        after << box->currentText();
    QCOMPARE(after, texts);
    QCOMPARE(Caption(), caption);
    QVERIFY(m_form->ApproximateWarning->isVisible());
}

void tst_ExposureWindow::exitShowsTheStartWindow()
{
    m_form->Exit1->trigger();
    QVERIFY(!m_form->isVisible());
    QVERIFY(Windows().StartForm->isVisible());
    QVERIFY(QTest::qWaitForWindowActive(Windows().StartForm));
}

void tst_ExposureWindow::fRatioWrittenByTheProgramIsReadAtNextActivation()
{
    Act({"BrightnessBox=3.4"});
    const QString atF10 = Caption();
    m_form->WriteFRatio(QStringLiteral("8.0"));
    QCOMPARE(Caption(), atF10); // not calculated with yet

    Windows().StartForm->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(Windows().StartForm));
    QCOMPARE(Caption(), atF10);
    ShowWindow(m_form);
    QVERIFY(QTest::qWaitForWindowActive(m_form));
    QCOMPARE(Caption(), QStringLiteral("   0.002 s   = 1/500 s"));
}

void tst_ExposureWindow::runOpticalCalculationsOpensTheWizard()
{
    QTest::mouseClick(m_form->Button1, Qt::LeftButton);
    QVERIFY(Windows().OpticForm2->isVisible());
    QVERIFY(m_form->isVisible());
    QCOMPARE(OpticalJob.ReturnWindow, m_form);
}

void tst_ExposureWindow::keyboardOrder()
{
    // The menu bar answers Alt.
    QTest::keyClick(m_form, Qt::Key_Alt);
    QCOMPARE(m_form->MainMenu1->activeAction(), m_form->File1->menuAction());
    QTest::keyClick(m_form->MainMenu1, Qt::Key_Escape);

    QCOMPARE(TabOrder(Box("BrightnessBox"), 7),
             (QStringList{"BrightnessBox", "SpeedBox", "ReciprocityBox", "FilterFactorBox", "FRatioBox", "Button1", "Button2"}));
}

ORVALIS_WIDGET_TEST_MAIN(tst_ExposureWindow)
#include "tst_ExposureWindow.moc"

void tst_ExposureWindow::numbersAreWrittenAlikeUnderEveryLocale_data()
{
    QTest::addColumn<QByteArray>("locale");
    // The test command generates both when the system lacks them.
    QTest::newRow("comma") << QByteArray("de_DE.UTF-8");
    QTest::newRow("two-byte separator") << QByteArray("ps_AF.UTF-8");
}

void tst_ExposureWindow::numbersAreWrittenAlikeUnderEveryLocale()
{
    QFETCH(QByteArray, locale);
    // Everything the program writes: captions of the window, and the number writers directly.
    const auto written = [this] {
        QStringList texts;
        for (const char* brightness : {"3.4", "-25", "21.5", "eight"}) {
            TypeInto(Box("BrightnessBox"), QString::fromLatin1(brightness));
            texts << Caption();
        }
        for (const double value : {0.0036, -0.04, 0.125, 49.2126, 1e40, -1e40})
            texts << QString::fromStdString(FixedField(15, 2, value));
        texts << QString::fromStdString(*TelescopeLengthText(1250, Inches))
              << QString::fromStdString(*TelescopeLengthText(1250, Millimetres));
        return texts;
    };
    const QByteArray before = std::setlocale(LC_ALL, nullptr);
    std::setlocale(LC_ALL, "C");
    const QStringList inC = written();

    QVERIFY2(std::setlocale(LC_ALL, locale.constData()), "locale missing: run the test command, which generates it");
    const QByteArray separator = std::localeconv()->decimal_point;
    const QStringList inLocale = written();
    std::setlocale(LC_ALL, before.constData());
    QVERIFY2(separator != ".", separator.constData()); // the locale really writes numbers otherwise
    QCOMPARE(inLocale, inC);
    QCOMPARE(inC.first(), QStringLiteral("   0.004 s   = 1/250 s"));
}
