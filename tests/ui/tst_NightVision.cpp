// Night vision: every window in dim red on black while it is on, with edges and text bright
// enough to read, exactly as before once it is off again, switched from any window (a message
// box included) with Ctrl+N, and off at every start.
//
// The limits come from the eye's adaptation to the dark: no channel above red 204, green 26
// or blue 26; backgrounds at most red 40, a selection at most red 90; text and the outlines
// of controls at least red 150.

#include "TestSupport.h"

#include "app/TStartForm.h"
#include "exposure/TForm1.h"
#include "optics/OpticalJob.h"
#include "optics/TOpticBarlowForm.h"
#include "optics/TOpticForm1.h"
#include "optics/TOpticForm2.h"
#include "optics/TOpticReportForm.h"
#include "field/TSensorFieldForm.h"
#include "sky/TTonightForm.h"
#include "exposure/TDigitalCameraForm.h"
#include "ui/ErrorReport.h"
#include "ui/FocusRing.h"
#include "ui/NightVision.h"
#include "ui/SaveDialogs.h"
#include "ui/WindowRules.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QCheckBox>
#include <QFileDialog>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProcess>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTimer>

#include <map>

namespace {

//! Where a grab leaves night vision's upper limits, or empty when it keeps them: no pixel with
//! green or blue above 26 or red above 204, and the background, the commonest colour, at most
//! 40 red.
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

//! The brightest red within a rectangle of the image.
int BrightestRed(const QImage& image, const QRect& area)
{
    int brightest = 0;
    const QRect inside = area.intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            brightest = qMax(brightest, qRed(image.pixel(x, y)));
    return brightest;
}

//! The commonest colour within a rectangle of the image.
QRgb Commonest(const QImage& image, const QRect& area)
{
    std::map<QRgb, int> counts;
    const QRect inside = area.intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            ++counts[image.pixel(x, y)];
    return std::max_element(counts.begin(), counts.end(), [](const auto& a, const auto& b) { return a.second < b.second; })
        ->first;
}

//! Of a ring along a rectangle's edge, two pixels wide, the dimmest side: on each side the
//! brightest pixel, and of those the dimmest. An outline drawn along every side reaches its
//! colour on each; one that fades into the background does not.
int DimmestSide(const QImage& image, const QRect& ring)
{
    const int band = 2;
    return qMin(qMin(BrightestRed(image, QRect(ring.left(), ring.top(), ring.width(), band)),
                     BrightestRed(image, QRect(ring.left(), ring.bottom() - band + 1, ring.width(), band))),
                qMin(BrightestRed(image, QRect(ring.left(), ring.top(), band, ring.height())),
                     BrightestRed(image, QRect(ring.right() - band + 1, ring.top(), band, ring.height()))));
}

//! The controls of a window whose outline or text stays below red 150 in its grab, as
//! readable lines; empty when every one reaches it.
QStringList DimControls(QWidget* window, const QImage& grab)
{
    const QImage image = grab.convertToFormat(QImage::Format_RGB32);
    const qreal ratio = grab.devicePixelRatio();
    QStringList dim;
    for (QWidget* control : window->findChildren<QWidget*>()) {
        if (!control->isVisibleTo(window) || control->window() != window || control == KeyboardFocusRing())
            continue;
        QRect area;       // where the control's outline runs, in the control
        bool text = false; // or where its text is
        if (auto* radio = qobject_cast<QRadioButton*>(control)) {
            QStyleOptionButton option;
            option.initFrom(radio);
            area = radio->style()->subElementRect(QStyle::SE_RadioButtonIndicator, &option, radio);
        } else if (auto* check = qobject_cast<QCheckBox*>(control)) {
            QStyleOptionButton option;
            option.initFrom(check);
            area = check->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, check);
        } else if (auto* button = qobject_cast<QPushButton*>(control); button && !button->isFlat()) {
            area = button->rect();
        } else if (qobject_cast<QComboBox*>(control) || qobject_cast<QAbstractSpinBox*>(control)) {
            area = control->rect();
        } else if (auto* edit = qobject_cast<QLineEdit*>(control); edit && edit->hasFrame()) {
            area = control->rect();
        } else if (auto* frame = qobject_cast<QFrame*>(control);
                   frame && !qobject_cast<QLabel*>(frame) && frame->frameShape() == QFrame::StyledPanel && frame->lineWidth() > 0) {
            area = control->rect(); // text boxes and lists
        } else if (auto* label = qobject_cast<QLabel*>(control); label && label->pixmap().isNull()
                                                                   && !label->text().trimmed().isEmpty()) {
            area = control->contentsRect();
            text = true;
        } else {
            continue;
        }
        const QRect inWindow(control->mapTo(window, area.topLeft()), area.size());
        if (!window->rect().contains(inWindow))
            continue; // the report's bare strip runs past the window's edge
        const QRect inGrab(QPointF(inWindow.topLeft()).toPoint() * ratio, inWindow.size() * ratio);
        const int red = text ? BrightestRed(image, inGrab) : DimmestSide(image, inGrab);
        if (red < 150)
            dim << QStringLiteral("%1 (%2): %3 red at most").arg(control->objectName(), control->metaObject()->className()).arg(red);
    }
    return dim;
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

//! Set in a process that this test starts to run one test function alone.
constexpr char FreshProcess[] = "ORVALIS_FRESH_PROCESS";

//! Runs one test function of this test in a new process, which has never switched night
//! vision on. Empty when it passes, otherwise what it printed.
QString FailureInANewProcess(const char* function)
{
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(FreshProcess), QStringLiteral("1"));
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(function)});
    if (!child.waitForFinished(90000)) {
        child.kill();
        child.waitForFinished();
        return QStringLiteral("the new process did not finish");
    }
    if (child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0)
        return {};
    return QString::fromLocal8Bit(child.readAll());
}

//! Presses Ctrl+N in whatever has the keyboard now, as a user does.
void PressCtrlN(QWidget* window)
{
    QWidget* focus = window->focusWidget() ? window->focusWidget() : window;
    QTest::keyClick(focus, Qt::Key_N, Qt::ControlModifier);
}

} // namespace

class tst_NightVision : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void colourByLightness_data();
    void colourByLightness();
    void everyWindowKeepsTheLimits();
    void ctrlNSwitchesFromInsideAMessageBox_data();
    void ctrlNSwitchesFromInsideAMessageBox();
    void ctrlNSwitchesFromEveryKindOfWindow_data();
    void ctrlNSwitchesFromEveryKindOfWindow();
    void offAgainEveryWindowLooksAsBefore();
    void theDesktopsStyleComesBack();
    void aNewStartIsInTheNormalLook();

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
}

void tst_NightVision::colourByLightness_data()
{
    using NightVision::Role;
    QTest::addColumn<QColor>("day");
    QTest::addColumn<Role>("role");
    QTest::addColumn<int>("lowest");  // the red it must come out at, at least
    QTest::addColumn<int>("highest"); // and at most

    // Each use's stretch of red ends at the limits: the two ends of the day's lightness.
    QTest::newRow("white ground") << QColor(Qt::white) << Role::Background << 30 << 40;
    QTest::newRow("black ground") << QColor(Qt::black) << Role::Background << 0 << 0;
    QTest::newRow("white selection") << QColor(Qt::white) << Role::Selection << 80 << 90;
    QTest::newRow("black selection") << QColor(Qt::black) << Role::Selection << 41 << 60;
    QTest::newRow("black text") << QColor(Qt::black) << Role::Foreground << 204 << 204;
    QTest::newRow("white text") << QColor(Qt::white) << Role::Foreground << 150 << 180;
    QTest::newRow("white in a picture") << QColor(Qt::white) << Role::Picture << 204 << 204;
    QTest::newRow("black in a picture") << QColor(Qt::black) << Role::Picture << 0 << 0;
    // By lightness, not by the red channel nor by luminance: pure blue is as light as pure red
    // and turns neither black nor bright.
    QTest::newRow("pure blue in a picture") << QColor(Qt::blue) << Role::Picture << 95 << 110;
    QTest::newRow("pure red in a picture") << QColor(Qt::red) << Role::Picture << 95 << 110;
    QTest::newRow("half-transparent white") << QColor(255, 255, 255, 128) << Role::Picture << 204 << 204;
}

void tst_NightVision::colourByLightness()
{
    QFETCH(QColor, day);
    QFETCH(NightVision::Role, role);
    QFETCH(int, lowest);
    QFETCH(int, highest);
    QCOMPARE(NightVision::Shown(day, role), day); // off: the day colour itself
    NightVision::SetOn(true);
    const QColor night = NightVision::Shown(day, role);
    QVERIFY2(night.red() >= lowest && night.red() <= highest, qPrintable(night.name()));
    QCOMPARE(night.green(), 0);
    QCOMPARE(night.blue(), 0);
    QCOMPARE(night.alpha(), day.alpha());
    if (role == NightVision::Role::Picture) {
        // A picture's pixels turn as its colours do.
        QImage picture(1, 1, QImage::Format_ARGB32);
        picture.setPixelColor(0, 0, day);
        QCOMPARE(NightVision::InRed(picture).pixelColor(0, 0), night);
    }
}

void tst_NightVision::everyWindowKeepsTheLimits()
{
    ShowWindow(Windows().StartForm);
    QVERIFY(QTest::qWaitForWindowActive(Windows().StartForm));
    QTest::keyClick(Windows().StartForm, Qt::Key_N, Qt::ControlModifier);
    QVERIFY(NightVision::On());
    QVERIFY(NightVision::Action()->isChecked());
    for (QWidget* window : EveryWindowMade()) {
        const QImage grab = Look(window);
        QVERIFY2(!grab.isNull(), qPrintable(window->objectName()));
        const QString outside = OutsideTheLimits(grab);
        QVERIFY2(outside.isEmpty(), qPrintable(window->objectName() + QStringLiteral(": ") + outside));
        const QStringList dim = DimControls(window, grab);
        QVERIFY2(dim.isEmpty(), qPrintable(window->objectName() + QStringLiteral(": ") + dim.join(QStringLiteral("; "))));
        const QList<QWidget*> pictured{Windows().StartForm,       Windows().Form1,           Windows().OpticForm1,
                                       Windows().OpticForm2,      Windows().OpticReportForm, Windows().SensorFieldForm,
                                       Windows().SplashScreen};
        if (pictured.contains(window))
            SaveScreenshot(window, QStringLiteral("night-") + window->objectName());
    }
    // The field window framing a showpiece: the target's own colour, the mosaic's panels and
    // the compass.
    TSensorFieldForm* field = Windows().SensorFieldForm;
    field->TargetBox->setCurrentIndex(field->TargetBox->findText(QStringLiteral("M31"), Qt::MatchStartsWith));
    const QString framing = OutsideTheLimits(Look(field));
    QVERIFY2(framing.isEmpty(), qPrintable(QStringLiteral("field window, M31: ") + framing));
    SaveScreenshot(field, QStringLiteral("night-framing"));

    // What opens over the windows: a menu with the checked item, a list with its current item
    // selected, the save dialog, a message box.
    TStartForm* start = Windows().StartForm;
    ShowWindow(start);
    start->View1->popup(start->mapToGlobal(QPoint(40, 0)));
    QVERIFY(QTest::qWaitForWindowExposed(start->View1));
    const QString inMenu = OutsideTheLimits(start->View1->grab().toImage());
    QVERIFY2(inMenu.isEmpty(), qPrintable(QStringLiteral("menu: ") + inMenu));
    start->View1->close();

    TForm1* form = Windows().Form1;
    ShowWindow(form);
    QVERIFY(QTest::qWaitForWindowActive(form));
    form->BrightnessBox->showPopup();
    QAbstractItemView* list = form->BrightnessBox->view();
    QVERIFY(QTest::qWaitForWindowExposed(list->window()));
    const QModelIndex current = list->model()->index(3, 0);
    list->setCurrentIndex(current);
    QApplication::processEvents();
    const QImage listGrab = list->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QRect item(list->visualRect(current).topLeft() * listGrab.devicePixelRatio(),
                     list->visualRect(current).size() * listGrab.devicePixelRatio());
    const QRgb selection = Commonest(listGrab, item);
    form->BrightnessBox->hidePopup();
    QVERIFY2(OutsideTheLimits(listGrab).isEmpty(), "list");
    QVERIFY2(qRed(selection) <= 90 && qRed(selection) > qRed(Commonest(listGrab, listGrab.rect())),
             qPrintable(QColor(selection).name())); // visible, not bright
    QVERIFY2(BrightestRed(listGrab, item) >= 150, qPrintable(QString::number(BrightestRed(listGrab, item))));

    SaveDialogs::SetAnswerer({});
    form->ExportasPDF1->trigger();
    auto* dialog = form->findChild<QFileDialog*>();
    QVERIFY(dialog && QTest::qWaitForWindowExposed(dialog));
    const QImage dialogGrab = dialog->grab().toImage();
    dialog->reject();
    const QString inDialog = OutsideTheLimits(dialogGrab);
    QVERIFY2(inDialog.isEmpty(), qPrintable(QStringLiteral("save dialog: ") + inDialog));

    MessageBoxes::SetAnswerer({});
    QString inBox = QStringLiteral("no box");
    QTimer::singleShot(0, [&inBox] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        const QImage grab = box->grab().toImage();
        inBox = OutsideTheLimits(grab) + DimControls(box, grab).join(QStringLiteral("; "));
        box->accept();
    });
    ShowErrorReport("Floating point overflow");
    m_program->Boxes.Install();
    QVERIFY2(inBox.isEmpty(), qPrintable(QStringLiteral("message box: ") + inBox));
}

void tst_NightVision::ctrlNSwitchesFromInsideAMessageBox_data()
{
    QTest::addColumn<bool>("fileDialogsOwn");
    QTest::newRow("the program's error box") << false;
    QTest::newRow("the file dialog's own \"replace?\" box") << true;
}

void tst_NightVision::ctrlNSwitchesFromInsideAMessageBox()
{
    QFETCH(bool, fileDialogsOwn);
    TForm1* form = Windows().Form1;
    ShowWindow(form);
    QVERIFY(QTest::qWaitForWindowActive(form));

    // Inside the box, while it blocks every other window: on, with the box and the window
    // behind it in night red, then off again.
    struct Seen
    {
        bool Opened = false, On = false, Off = false;
        QString Box, Behind;
    };
    Seen seen;
    QTimer inTheBox; // gone with the test, should no box come
    inTheBox.setSingleShot(true);
    connect(&inTheBox, &QTimer::timeout, [&seen, form] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !QTest::qWaitForWindowActive(box))
            return;
        seen.Opened = true;
        PressCtrlN(box);
        seen.On = NightVision::On();
        QApplication::processEvents();
        const QImage grab = box->grab().toImage();
        seen.Box = OutsideTheLimits(grab) + DimControls(box, grab).join(QStringLiteral("; "));
        seen.Behind = OutsideTheLimits(form->grab().toImage());
        PressCtrlN(box);
        seen.Off = !NightVision::On();
        box->reject();
    });

    MessageBoxes::SetAnswerer({});
    QTemporaryDir folder;
    if (fileDialogsOwn) {
        const QString existing = folder.filePath(QStringLiteral("sheet.pdf"));
        QFile file(existing);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("x") == 1);
        file.close();
        SaveDialogs::SetAnswerer({});
        form->ExportasPDF1->trigger();
        auto* dialog = form->findChild<QFileDialog*>();
        QVERIFY(dialog && QTest::qWaitForWindowExposed(dialog));
        dialog->setDirectory(folder.path());
        auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        QVERIFY(name);
        TypeInto(name, existing);
        inTheBox.start(0);
        QTest::keyClick(name, Qt::Key_Return); // asks whether to replace the file, in a box of its own
        dialog->reject();
    } else {
        inTheBox.start(0);
        ShowErrorReport("Floating point overflow");
    }
    m_program->Boxes.Install();
    QVERIFY2(seen.Opened, "no box");
    QVERIFY(seen.On);
    QVERIFY2(seen.Box.isEmpty(), qPrintable(QStringLiteral("the box: ") + seen.Box));
    QVERIFY2(seen.Behind.isEmpty(), qPrintable(QStringLiteral("the window behind: ") + seen.Behind));
    QVERIFY(seen.Off);
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

void tst_NightVision::offAgainEveryWindowLooksAsBefore()
{
    // Only in a process where night vision was never on is "before" the true day look.
    if (!qEnvironmentVariableIsSet(FreshProcess)) {
        const QString failure = FailureInANewProcess("offAgainEveryWindowLooksAsBefore");
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
        return;
    }
    // A first round settles what showing changes (the report hands its f/ratio on).
    for (QWidget* window : EveryWindowMade())
        Look(window);
    QList<QImage> before;
    for (QWidget* window : EveryWindowMade())
        before << Look(window);

    // The last window stays in front with the focus ring where its focus sits. The focus
    // moves while night vision is on and comes back, then the mode goes off: the ring must
    // show its day colours at once, where it is.
    QWidget* front = EveryWindowMade().last();
    QVERIFY(QApplication::activeWindow() == front && KeyboardFocusRing());
    PressCtrlN(front);
    QVERIFY(NightVision::On());
    QWidget* focus = front->focusWidget();
    QWidget* next = focus->nextInFocusChain();
    while (next != focus && (next->focusPolicy() == Qt::NoFocus || !next->isVisible() || !next->isEnabled()))
        next = next->nextInFocusChain();
    next->setFocus(Qt::OtherFocusReason); // as a click would; Tab would select a box's text
    QCOMPARE(QApplication::focusWidget(), next);
    focus->setFocus(Qt::OtherFocusReason);
    PressCtrlN(front);
    QVERIFY(!NightVision::On());
    QApplication::processEvents();
    QVERIFY2(front->grab().toImage() == before.last(), "the focus ring");

    const QList<QWidget*> windows = EveryWindowMade();
    for (qsizetype i = 0; i < windows.size(); ++i)
        QVERIFY2(Look(windows[i]) == before[i], qPrintable(windows[i]->objectName()));
    m_program->Boxes.Take(); // the report and the field window compute each time they are shown
}

void tst_NightVision::theDesktopsStyleComesBack()
{
    // Whatever style the desktop gave: the very object comes back, with the palette before.
    QPointer<QStyle> desktop = QStyleFactory::create(QStringLiteral("Windows"));
    QApplication::setStyle(desktop);
    const auto restore = qScopeGuard([] { QApplication::setStyle(QStringLiteral("Fusion")); });
    const QPalette before = QApplication::palette();
    for (int round = 1; round <= 2; ++round) {
        NightVision::SetOn(true);
        QVERIFY(QApplication::style() != desktop);
        NightVision::SetOn(false);
        QVERIFY2(desktop, "deleted");
        QCOMPARE(QApplication::style(), desktop.data());
        QCOMPARE(QApplication::palette(), before);
    }
}

void tst_NightVision::aNewStartIsInTheNormalLook()
{
    if (!qEnvironmentVariableIsSet(FreshProcess)) {
        // Switched on here and left on while the program starts anew in another process.
        ShowWindow(Windows().StartForm);
        QVERIFY(QTest::qWaitForWindowActive(Windows().StartForm));
        PressCtrlN(Windows().StartForm);
        QVERIFY(NightVision::On());
        const QString failure = FailureInANewProcess("aNewStartIsInTheNormalLook");
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
        return;
    }
    for (QWidget* window : {static_cast<QWidget*>(Windows().StartForm), static_cast<QWidget*>(Windows().Form1)}) {
        const QImage grab = Look(window);
        // Day colours, far outside night's limits.
        QVERIFY2(!OutsideTheLimits(grab).isEmpty(), qPrintable(window->objectName()));
    }
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
