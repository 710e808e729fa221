#include "TestSupport.h"

#include "app/ProgramWindows.h"
#include "app/TSplashScreen.h"
#include "app/TStartForm.h"
#include "exposure/TForm1.h"
#include "info/TForm2.h"
#include "info/TForm3.h"
#include "info/TForm4.h"
#include "info/TIntroForm.h"
#include "numeric/Arithmetic.h"
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
#include "ui/ErrorReport.h"
#include "ui/ErrorText.h"
#include "ui/WindowRules.h"

#include <QElapsedTimer>
#include <QScreen>
#include <QTimer>

Q_DECLARE_METATYPE(std::string)

class tst_Startup : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void startupResetsTheJobAndShowsStartWindowUnderTheSplash();
    void everyBuiltWindowIsInTheSet();
    void startWindowLooksAsDesigned();
    void firstButtonTakesTheFocus();
    void splashHidesAfterFourSeconds();
    void splashClosedEarlyStaysHidden();
    void desktopFontsOutliveStartup();
    void everyOtherWindowHidesOnClose();
    void windowsAreCentredOnceThenKeepTheirPlace();
    void startButtonsBringTheSameWindowToTheFront();
    void programEnds_data();
    void programEnds();
    void errorReportText_data();
    void errorReportText();
    void errorClause_data();
    void errorClause();
    void errorEscapingAHandlerIsShownInTheErrorBox();

private:
    std::unique_ptr<RunningProgram> m_program;
    QElapsedTimer m_sinceStart;
    QWidget m_staleWindow;
};

void tst_Startup::init()
{
    // Whatever a previous run left in the shared job is gone before any window exists.
    OpticalJob.TelescopeLine = "left over from before";
    OpticalJob.ConfigurationText = "Prime focus";
    OpticalJob.ReturnWindow = &m_staleWindow;
    m_sinceStart.start();
    m_program = std::make_unique<RunningProgram>(true);
}

void tst_Startup::cleanup()
{
    const QStringList unexpected = EndProgram(m_program);
    QVERIFY2(unexpected.isEmpty(), qPrintable(unexpected.join(QLatin1Char('\n'))));
}

void tst_Startup::startupResetsTheJobAndShowsStartWindowUnderTheSplash()
{
    const ProgramWindows& w = Windows();
    QCOMPARE(OpticalJob.TelescopeLine, std::string());
    QCOMPARE(OpticalJob.ConfigurationText, std::string());
    QCOMPARE(OpticalJob.ReturnWindow, nullptr);
    QCOMPARE(QApplication::applicationName(), QStringLiteral("Orvalis Exposure Calculator"));

    QVERIFY(w.StartForm->isVisible());
    QVERIFY(w.SplashScreen->isVisible());
    QVERIFY(w.SplashScreen->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(!w.SplashScreen->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(w.SplashScreen->windowFlags().testFlag(Qt::WindowCloseButtonHint));
    QCOMPARE(w.SplashScreen->Timer1->interval(), 4000);
    QVERIFY(w.SplashScreen->Timer1->isActive());
    QCOMPARE(w.SplashScreen->windowTitle(), QStringLiteral("Brought to you by..."));
    QCOMPARE(w.SplashScreen->size(), QSize(515, 262));

    for (QWidget* window : std::initializer_list<QWidget*>{w.StartForm, w.SplashScreen})
        QVERIFY2(NotCentred(window).isEmpty(), qPrintable(NotCentred(window)));

    for (QWidget* hidden : std::initializer_list<QWidget*>{w.Form1, w.OpticForm1, w.OpticForm2})
        QVERIFY(!hidden->isVisible());
    SaveScreenshot(w.SplashScreen, QStringLiteral("splash"));
}

void tst_Startup::everyBuiltWindowIsInTheSet()
{
    const ProgramWindows& w = Windows();
    // The list of the tests holds every window of the set (its build checks that): sixteen made
    // at start-up, and the field, Tonight and Digital Camera windows, the three more, made when
    // first asked for, never at start-up.
    QCOMPARE(StartupWindows().size(), 16);
    QVERIFY(!w.SensorFieldForm);
    QVERIFY(!w.TonightForm);
    QVERIFY(!w.DigitalCameraForm);
    // Every window exists, hidden but for the start window and the splash.
    for (const ProgramWindow& listed : EveryWindow()) {
        if (listed.MakeOnDemand) {
            QVERIFY2(!listed.InTheSet(), listed.Name);
            continue;
        }
        QWidget* window = listed.InTheSet();
        QVERIFY2(window, listed.Name);
        if (window != w.StartForm && window != w.SplashScreen)
            QVERIFY2(!window->isVisible(), listed.Name);
    }
}

void tst_Startup::startWindowLooksAsDesigned()
{
    TStartForm* start = Windows().StartForm;
    QCOMPARE(start->windowTitle(), QStringLiteral("Orvalis Calculator"));
    QCOMPARE(start->centralWidget()->size(), QSize(463, 309));
    QCOMPARE(start->centralWidget()->palette().color(QPalette::Window), QColor(0, 0, 128));
    QVERIFY(!start->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    QStringList menus;
    for (const QAction* menu : start->MainMenu1->actions())
        menus << menu->text();
    QCOMPARE(menus, (QStringList{"File", "View", "Help"}));
    QStringList fileItems;
    for (const QAction* item : start->File1->actions())
        fileItems << item->text();
    QCOMPARE(fileItems, (QStringList{"Open Job...", "Save Job...", "Exit"})); // the jobs' items above "Exit"
    QCOMPARE(start->Help1->actions().value(0)->text(), QStringLiteral("About Orvalis Calculator"));
    QVERIFY(!start->windowIcon().isNull());
    const QStringList clipped = ClippedCaptions(start);
    QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(QLatin1Char('\n'))));
    SaveScreenshot(start, QStringLiteral("start"));
}

void tst_Startup::firstButtonTakesTheFocus()
{
    TStartForm* start = Windows().StartForm;
    Windows().SplashScreen->close();
    start->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(start));
    QCOMPARE(start->focusWidget(), start->Button4);

    QCOMPARE(TabOrder(start->Button4, 5), (QStringList{"Button4", "Button1", "Button2", "Button3", "Button4"}));
}

void tst_Startup::splashHidesAfterFourSeconds()
{
    TSplashScreen* splash = Windows().SplashScreen;
    QTest::qWait(3500 - static_cast<int>(m_sinceStart.elapsed()));
    QVERIFY(splash->isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(!splash->isVisible(), 3000);
    QVERIFY(m_sinceStart.elapsed() >= 3990);
    QVERIFY(Windows().StartForm->isVisible());
}

void tst_Startup::splashClosedEarlyStaysHidden()
{
    TSplashScreen* splash = Windows().SplashScreen;
    splash->close();
    QVERIFY(!splash->isVisible());
    QTest::qWait(4300 - static_cast<int>(m_sinceStart.elapsed()));
    QVERIFY(!splash->isVisible());
    QVERIFY(Windows().StartForm->isVisible());
}

void tst_Startup::desktopFontsOutliveStartup()
{
    // The desktop's fonts, general and for particular kinds of controls, are what they were
    // before the windows were made: message boxes and menus use them.
    m_program.reset();
    const QFont menusBefore = QApplication::font("QMenu");
    QFont menus(QStringLiteral("Liberation Serif"));
    menus.setPixelSize(17);
    QApplication::setFont(menus, "QMenu");
    const QFont desktop = QApplication::font();
    m_program = std::make_unique<RunningProgram>(true);
    const QFont menusAfter = QApplication::font("QMenu");
    QApplication::setFont(menusBefore, "QMenu");
    QCOMPARE(menusAfter, menus);
    QCOMPARE(QApplication::font(), desktop);
}

void tst_Startup::everyOtherWindowHidesOnClose()
{
    const ProgramWindows& w = Windows();
    for (QWidget* window : std::initializer_list<QWidget*>{w.SplashScreen, w.Form1, w.OpticForm1, w.OpticForm2,
                                                           w.OpticCamLensForm, w.OpticTeleForm, w.OpticCompForm,
                                                           w.OpticAfocalForm, w.OpticBarlowForm, w.OpticEypcForm}) {
        ShowWindow(window);
        QVERIFY(window->close());
        QVERIFY(!window->isVisible());
        QVERIFY(!window->testAttribute(Qt::WA_DeleteOnClose));
    }
    QVERIFY(w.StartForm->isVisible());
}

void tst_Startup::windowsAreCentredOnceThenKeepTheirPlace()
{
    // The start window is shown before any frame is known; the calculator after it.
    QWidget* calculator = Windows().Form1;
    ShowWindow(calculator);
    for (QWidget* window : {static_cast<QWidget*>(Windows().StartForm), calculator}) {
        QVERIFY(QTest::qWaitForWindowExposed(window));
        if (qEnvironmentVariableIsSet("ORVALIS_WINDOW_MANAGER")) // run under a real window manager
            QTRY_VERIFY2(window->frameGeometry().top() < window->geometry().top() - 10, "no title bar");
        QTRY_VERIFY2(NotCentred(window).isEmpty(), qPrintable(NotCentred(window)));
    }

    calculator->move(calculator->pos() + QPoint(40, 30));
    const QPoint moved = calculator->pos();
    calculator->close();
    ShowWindow(calculator);
    QCOMPARE(calculator->pos(), moved);
}

void tst_Startup::startButtonsBringTheSameWindowToTheFront()
{
    const ProgramWindows& w = Windows();
    QTest::mouseClick(w.StartForm->Button1, Qt::LeftButton);
    QVERIFY(w.Form1->isVisible());
    w.Form1->SpeedBox->setEditText(QStringLiteral("400"));
    QTest::mouseClick(w.StartForm->Button1, Qt::LeftButton);
    QCOMPARE(w.Form1->SpeedBox->currentText(), QStringLiteral("400"));
    QCOMPARE(QApplication::topLevelWidgets().count(w.Form1), 1);

    QTest::mouseClick(w.StartForm->Button2, Qt::LeftButton);
    QVERIFY(w.OpticForm2->isVisible());
    QCOMPARE(OpticalJob.ReturnWindow, w.StartForm);
    QVERIFY(w.StartForm->isVisible());
}

void tst_Startup::programEnds_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("Quit") << "Quit";
    QTest::newRow("File, Exit") << "Exit";
    QTest::newRow("close box") << "close box";
}

void tst_Startup::programEnds()
{
    QFETCH(QString, how);
    const ProgramWindows& w = Windows();
    // Whatever else is open at the time.
    for (QWidget* window : std::initializer_list<QWidget*>{w.Form1, w.OpticForm2, w.OpticForm1})
        ShowWindow(window);

    QTimer::singleShot(0, w.StartForm, [&w, how] {
        if (how == QLatin1String("Quit"))
            QTest::mouseClick(w.StartForm->Button3, Qt::LeftButton);
        else if (how == QLatin1String("Exit"))
            w.StartForm->Exit1->trigger();
        else
            w.StartForm->close(); // what the title bar's close box does
    });
    QTimer watchdog;
    watchdog.setSingleShot(true);
    connect(&watchdog, &QTimer::timeout, [] { QCoreApplication::exit(99); });
    watchdog.start(5000);
    QCOMPARE(QCoreApplication::exec(), 0);
    QVERIFY(!w.StartForm->isVisible());
}

void tst_Startup::errorReportText_data()
{
    QTest::addColumn<std::string>("message");
    QTest::addColumn<std::string>("shown");

    QTest::newRow("letter gets a full stop") << std::string("Floating point overflow") << std::string("Floating point overflow.");
    QTest::newRow("full stop stays single") << std::string("Printer is not ready.") << std::string("Printer is not ready.");
    QTest::newRow("closing bracket sorts before the point") << std::string("Error (42)") << std::string("Error (42)");
    QTest::newRow("hyphen sorts before the point") << std::string("Failed -") << std::string("Failed -");
    QTest::newRow("slash sorts after the point") << std::string("Path a/") << std::string("Path a/.");
    QTest::newRow("digit sorts after the point") << std::string("Code 7") << std::string("Code 7.");
    QTest::newRow("empty stays empty") << std::string() << std::string();
}

void tst_Startup::errorReportText()
{
    QFETCH(std::string, message);
    QFETCH(std::string, shown);
    QCOMPARE(ErrorReportText(message), shown);
}

void tst_Startup::errorClause_data()
{
    QTest::addColumn<std::string>("message");
    QTest::addColumn<std::string>("clause");

    QTest::newRow("no full stop") << std::string("Floating point overflow") << std::string("Floating point overflow");
    QTest::newRow("its full stop goes")
        << std::string("The sky cannot be computed for this date.") << std::string("The sky cannot be computed for this date");
    QTest::newRow("an ellipsis stays") << std::string("Wait...") << std::string("Wait...");
    QTest::newRow("a lone point") << std::string(".") << std::string();
    QTest::newRow("empty") << std::string() << std::string();
}

void tst_Startup::errorClause()
{
    QFETCH(std::string, message);
    QFETCH(std::string, clause);
    QCOMPARE(ErrorClause(message), clause);
}

void tst_Startup::errorEscapingAHandlerIsShownInTheErrorBox()
{
    // A handler connected the program's way throws; the guard ends it and reports.
    QTimer source;
    source.setSingleShot(true);
    struct Thrower : QObject
    {
        void Handler() { throw OverflowError(); }
    } thrower;
    ConnectHandler(&source, &QTimer::timeout, &thrower, &Thrower::Handler);
    source.start(0);
    QList<MessageBoxes::Request> boxes;
    QVERIFY(QTest::qWaitFor([&] {
        boxes += m_program->Boxes.Take();
        return !boxes.isEmpty();
    }));
    // And a handler run directly through the guard.
    Guarded([] { throw DivisionByZeroError(); });
    boxes += m_program->Boxes.Take();

    QCOMPARE(boxes.size(), 2);
    QCOMPARE(boxes[0].Text, QStringLiteral("Floating point overflow."));
    QCOMPARE(boxes[1].Text, QStringLiteral("Floating point division by zero."));
    for (const MessageBoxes::Request& box : boxes) {
        QCOMPARE(box.Caption, QStringLiteral("Orvalis Exposure Calculator"));
        QVERIFY(box.ErrorIcon);
        QCOMPARE(box.Choice, MessageBoxes::Buttons::Ok);
    }
}

ORVALIS_WIDGET_TEST_MAIN(tst_Startup)
#include "tst_Startup.moc"
