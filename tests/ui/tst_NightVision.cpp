// Night vision: every window in dim red on black while it is on, exactly as before once it is
// off again, switched from any window with Ctrl+N, and off at every start.

#include "TestSupport.h"

#include "app/TStartForm.h"
#include "exposure/TForm1.h"
#include "optics/OpticalJob.h"
#include "optics/TOpticBarlowForm.h"
#include "optics/TOpticReportForm.h"
#include "optics/TSensorFieldForm.h"
#include "ui/ErrorReport.h"
#include "ui/Look.h"
#include "ui/NightVision.h"
#include "ui/SaveDialogs.h"
#include "ui/WindowRules.h"

#include <QAction>
#include <QFileDialog>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QTimer>

#include <map>

namespace {

//! Where a grab leaves night vision's limits, or empty when it keeps them: no pixel with green
//! or blue above 26 or red above 204, and the background, the commonest colour, at most 40 red.
QString OutsideTheLimits(const QImage& grab)
{
    const QImage image = grab.convertToFormat(QImage::Format_RGB32);
    std::map<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (qRed(pixel) > 204 || qGreen(pixel) > 26 || qBlue(pixel) > 26)
                return QStringLiteral("(%1, %2) is %3").arg(x).arg(y).arg(QColor(pixel).name());
            ++counts[pixel];
        }
    }
    const auto commonest = std::max_element(counts.begin(), counts.end(),
                                            [](const auto& a, const auto& b) { return a.second < b.second; });
    if (commonest != counts.end() && qRed(commonest->first) > 40)
        return QStringLiteral("the background is %1").arg(QColor(commonest->first).name());
    return {};
}

//! Every window the program can show, the field window included, each on top in turn.
QList<QWidget*> EveryWindow()
{
    QList<QWidget*> windows;
    for (QWidget* window : AllWindows())
        windows << window;
    windows << SensorFieldWindow();
    return windows;
}

//! A window as it looks now, the text caret left steady so that two grabs can be compared.
QImage Look(QWidget* window)
{
    ShowWindow(window);
    // Active, so that the focus ring has settled where the window puts the focus.
    if (!QTest::qWaitForWindowActive(window))
        return {};
    QApplication::processEvents();
    return window->grab().toImage();
}

} // namespace

class tst_NightVision : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void everyWindowKeepsTheRedLimits();
    void offAgainEveryWindowLooksAsBefore();
    void ctrlNSwitchesFromEveryKindOfWindow_data();
    void ctrlNSwitchesFromEveryKindOfWindow();

private:
    std::unique_ptr<RunningProgram> m_program;
};

void tst_NightVision::init()
{
    QApplication::setCursorFlashTime(0); // a steady caret
    m_program = std::make_unique<RunningProgram>();
    // A job for the report and the field window, as the telescope window leaves it.
    OpticalJob.ApertureMm = 200;
    OpticalJob.TelescopeFocalLengthMm = OpticalJob.EffectiveFocalLengthMm = 2000;
    OpticalJob.ConfigurationText = "Prime focus";
}

void tst_NightVision::cleanup()
{
    SaveDialogs::SetAnswerer({});
    const QStringList unexpected = EndProgram(m_program);
    QVERIFY2(unexpected.isEmpty(), qPrintable(unexpected.join(QLatin1Char('\n'))));
    // Every start is in the normal look.
    QVERIFY(!NightVision::On());
    QVERIFY(!NightVision::Action()->isChecked());
}

void tst_NightVision::everyWindowKeepsTheRedLimits()
{
    ShowWindow(Windows().StartForm);
    QVERIFY(QTest::qWaitForWindowActive(Windows().StartForm));
    QTest::keyClick(Windows().StartForm, Qt::Key_N, Qt::ControlModifier);
    QVERIFY(NightVision::On());
    QVERIFY(NightVision::Action()->isChecked());
    for (QWidget* window : EveryWindow()) {
        const QImage grab = Look(window);
        QVERIFY2(!grab.isNull(), qPrintable(window->objectName()));
        const QString outside = OutsideTheLimits(grab);
        QVERIFY2(outside.isEmpty(), qPrintable(window->objectName() + QStringLiteral(": ") + outside));
        if (window == Windows().StartForm || window == Windows().Form1 || window == Windows().OpticReportForm
            || window == Windows().SensorFieldForm || window == Windows().SplashScreen)
            SaveScreenshot(window, QStringLiteral("night-") + window->objectName());
    }

    // What opens over the windows: a menu with the checked item, the save dialog, a message box.
    TStartForm* start = Windows().StartForm;
    ShowWindow(start);
    start->View1->popup(start->mapToGlobal(QPoint(40, 0)));
    QVERIFY(QTest::qWaitForWindowExposed(start->View1));
    const QString inMenu = OutsideTheLimits(start->View1->grab().toImage());
    QVERIFY2(inMenu.isEmpty(), qPrintable(QStringLiteral("menu: ") + inMenu));
    start->View1->close();

    SaveDialogs::SetAnswerer({});
    ShowWindow(Windows().Form1);
    Windows().Form1->ExportasPDF1->trigger();
    auto* dialog = Windows().Form1->findChild<QFileDialog*>();
    QVERIFY(dialog && QTest::qWaitForWindowExposed(dialog));
    const QString inDialog = OutsideTheLimits(dialog->grab().toImage());
    dialog->reject();
    QVERIFY2(inDialog.isEmpty(), qPrintable(QStringLiteral("save dialog: ") + inDialog));

    MessageBoxes::SetAnswerer({});
    QString inBox = QStringLiteral("no box");
    QTimer::singleShot(0, [&inBox] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        inBox = OutsideTheLimits(box->grab().toImage());
        box->accept();
    });
    ShowErrorReport("Floating point overflow");
    m_program->Boxes.Install();
    QVERIFY2(inBox.isEmpty(), qPrintable(QStringLiteral("message box: ") + inBox));
}

void tst_NightVision::offAgainEveryWindowLooksAsBefore()
{
    // A first round settles what showing changes (the report hands its f/ratio on).
    for (QWidget* window : EveryWindow())
        Look(window);
    QList<QImage> before;
    for (QWidget* window : EveryWindow())
        before << Look(window);
    NightVision::SetOn(true);
    NightVision::SetOn(false);
    const QList<QWidget*> windows = EveryWindow();
    for (qsizetype i = 0; i < windows.size(); ++i)
        QVERIFY2(Look(windows[i]) == before[i], qPrintable(windows[i]->objectName()));
    m_program->Boxes.Take(); // the report and the field window compute each time they are shown
}

void tst_NightVision::ctrlNSwitchesFromEveryKindOfWindow_data()
{
    QTest::addColumn<QString>("window");
    QTest::newRow("splash") << "splash";
    QTest::newRow("detail window") << "Barlow";
    QTest::newRow("report") << "report";
    QTest::newRow("field window") << "field";
}

void tst_NightVision::ctrlNSwitchesFromEveryKindOfWindow()
{
    QFETCH(QString, window);
    QWidget* shown = window == QLatin1String("splash")   ? static_cast<QWidget*>(Windows().SplashScreen)
                     : window == QLatin1String("Barlow") ? static_cast<QWidget*>(Windows().OpticBarlowForm)
                     : window == QLatin1String("report") ? static_cast<QWidget*>(Windows().OpticReportForm)
                                                         : static_cast<QWidget*>(SensorFieldWindow());
    ShowWindow(shown);
    QVERIFY(QTest::qWaitForWindowActive(shown));
    QTest::keyClick(shown, Qt::Key_N, Qt::ControlModifier);
    QVERIFY(NightVision::On());
    QCOMPARE(shown->palette().color(QPalette::Window).green(), 0);
    QTest::keyClick(shown, Qt::Key_N, Qt::ControlModifier);
    QVERIFY(!NightVision::On());
    QTest::keyClick(shown, Qt::Key_N, Qt::ControlModifier); // left on: the next start is normal again
    m_program->Boxes.Take();
}

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    tst_NightVision test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_NightVision.moc"
