#include "TestSupport.h"

#include "app/ProgramWindows.h"
#include "app/TStartForm.h"
#include "exposure/TForm1.h"
#include "info/TForm2.h"
#include "info/TForm3.h"
#include "info/TForm4.h"
#include "info/TIntroForm.h"
#include "info/WebLink.h"
#include "optics/TOpticForm1.h"
#include "optics/TOpticForm2.h"
#include "ui/WindowRules.h"

#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QUrl>

namespace {

// The tables name the windows, since the program only exists once a test has started.
QWidget* InfoWindow(const QString& name)
{
    const ProgramWindows& w = Windows();
    if (name == QLatin1String("introduction"))
        return w.IntroForm;
    if (name == QLatin1String("About"))
        return w.Form2;
    if (name == QLatin1String("theory"))
        return w.Form3;
    return w.Form4;
}

// One step of a user opening an information window, from wherever the program offers it.
void Open(const QString& step)
{
    const ProgramWindows& w = Windows();
    if (step.startsWith(QLatin1String("calculator")))
        QTest::mouseClick(w.StartForm->Button1, Qt::LeftButton);
    if (step.startsWith(QLatin1String("configuration")))
        QTest::mouseClick(w.StartForm->Button2, Qt::LeftButton);

    if (step == QLatin1String("start: Introduction"))
        QTest::mouseClick(w.StartForm->Button4, Qt::LeftButton);
    else if (step == QLatin1String("start: About"))
        w.StartForm->AboutOrvalisCalculator1->trigger();
    else if (step == QLatin1String("calculator: About"))
        w.Form1->About1->trigger();
    else if (step == QLatin1String("calculator: Theory"))
        w.Form1->Instructions1->trigger();
    else if (step == QLatin1String("calculator: How to use"))
        w.Form1->Howtousethisprogram1->trigger();
    else if (step == QLatin1String("configuration: panel"))
        QTest::mouseClick(w.OpticForm2->Panel1, Qt::LeftButton, {}, QPoint(3, 3)); // on the bevel, off the text
    else if (step == QLatin1String("configuration: note"))
        QTest::mouseClick(w.OpticForm2->Label5, Qt::LeftButton);
    else if (step == QLatin1String("configuration: panel, Space key")) {
        w.OpticForm2->Panel1->setFocus();
        QTest::keyClick(w.OpticForm2->Panel1, Qt::Key_Space);
    } else {
        QFAIL(qPrintable(QStringLiteral("no such step: ") + step));
    }
}

// The program's windows that are showing, by name.
QStringList VisibleWindows()
{
    QStringList visible;
    for (QWidget* window : StartupWindows())
        if (window->isVisible())
            visible << window->objectName();
    visible.sort();
    return visible;
}

QPushButton* OkButton(QWidget* window)
{
    for (QPushButton* button : window->findChildren<QPushButton*>())
        if (button->text() == QLatin1String("OK"))
            return button;
    return nullptr;
}

// Lines of a long text that the text box would have to break or cut, with their widths.
QStringList LinesTooWide(const QPlainTextEdit* memo)
{
    const int room = memo->viewport()->width() - 2 * static_cast<int>(memo->document()->documentMargin())
                     - memo->cursorWidth();
    QStringList tooWide;
    for (const QString& line : memo->toPlainText().split(QLatin1Char('\n'))) {
        const int width = memo->fontMetrics().horizontalAdvance(line);
        if (width > room)
            tooWide << QStringLiteral("%1 > %2: %3").arg(width).arg(room).arg(line);
    }
    return tooWide;
}

} // namespace

class tst_InfoWindows : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void windowsLookAsDesigned_data();
    void windowsLookAsDesigned();
    void openersAndClosePaths_data();
    void openersAndClosePaths();
    void webLinkAsksFirst_data();
    void webLinkAsksFirst();

private:
    std::unique_ptr<RunningProgram> m_program;
};

void tst_InfoWindows::init()
{
    m_program = std::make_unique<RunningProgram>();
}

void tst_InfoWindows::cleanup()
{
    SetWebOpener({});
    const QStringList unexpected = EndProgram(m_program);
    QVERIFY2(unexpected.isEmpty(), qPrintable(unexpected.join(QLatin1Char('\n'))));
}

void tst_InfoWindows::windowsLookAsDesigned_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QSize>("clientArea");
    QTest::addColumn<QStringList>("tabOrder");
    QTest::addColumn<QString>("firstLine");

    QTest::newRow("introduction") << "introduction" << "Introduction to Orvalis Calculator" << QSize(594, 403)
                                  << QStringList{"Memo1", "Button1", "Button2", "Memo1"}
                                  << "Welcome to Orvalis Calculator.";
    QTest::newRow("About") << "About" << "About Orvalis Calculator" << QSize(427, 335)
                           << QStringList{"Button2", "Button1", "Button2"} << QString();
    QTest::newRow("theory") << "theory" << "How Exposures are Calculated" << QSize(483, 309)
                            << QStringList{"Memo1", "Button1", "Memo1"} << "HOW EXPOSURES ARE CALCULATED";
    QTest::newRow("usage") << "usage" << "How to use Orvalis Exposure Calculator" << QSize(481, 316)
                           << QStringList{"Memo1", "Button1", "Memo1"} << "HOW TO USE THE EXPOSURE CALCULATOR";
}

void tst_InfoWindows::windowsLookAsDesigned()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QSize, clientArea);
    QFETCH(QStringList, tabOrder);
    QFETCH(QString, firstLine);

    QWidget* window = InfoWindow(name);
    ShowWindow(window);
    QVERIFY(QTest::qWaitForWindowActive(window)); // Tab goes round the active window only
    QCOMPARE(window->windowTitle(), caption);
    QCOMPARE(window->size(), clientArea);
    const QStringList clipped = ClippedCaptions(window);
    QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(QLatin1Char('\n'))));
    // Tab leaves the text box for the buttons instead of being swallowed by it.
    QCOMPARE(TabOrder(window->findChild<QWidget*>(tabOrder.first()), tabOrder.size()), tabOrder);

    if (auto* memo = window->findChild<QPlainTextEdit*>(QStringLiteral("Memo1"))) {
        QCOMPARE(memo->toPlainText().section(QLatin1Char('\n'), 0, 0), firstLine);
        // The author broke the lines; none may need breaking again or run under the scroll bar.
        const QStringList tooWide = LinesTooWide(memo);
        QVERIFY2(tooWide.isEmpty(), qPrintable(tooWide.join(QLatin1Char('\n'))));
        // The scroll bar's arrows stand out from its buttons, whatever the window's colours.
        const QPalette bar = memo->verticalScrollBar()->palette();
        QVERIFY(qAbs(bar.color(QPalette::WindowText).lightness() - bar.color(QPalette::Button).lightness()) > 100);
    } else {
        // The About notice ignores the mouse, labels and all, yet is not greyed as disabled.
        TForm2* about = Windows().Form2;
        for (QLabel* line : about->Panel1->findChildren<QLabel*>()) {
            QVERIFY(line->isEnabled());
            QCOMPARE(about->childAt(line->mapTo(about, line->rect().center())), nullptr);
        }
    }
    SaveScreenshot(window, name);

    // On a dark desktop every caption and text still stands out from its ground.
    const QPalette desktop = QApplication::palette();
    QPalette dark = desktop;
    for (const QPalette::ColorRole role : {QPalette::Window, QPalette::Base, QPalette::Button})
        dark.setColor(role, QColor(45, 45, 45));
    for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        dark.setColor(role, QColor(230, 230, 230));
    QApplication::setPalette(dark);
    QCoreApplication::processEvents(); // the windows learn of the change by events
    QStringList unreadable;
    for (const QWidget* control : window->findChildren<QWidget*>()) {
        const bool button = qobject_cast<const QPushButton*>(control);
        if (!button && !qobject_cast<const QPlainTextEdit*>(control))
            continue;
        const QPalette colours = control->palette();
        const QColor ink = colours.color(button ? QPalette::ButtonText : QPalette::Text);
        const QColor ground = colours.color(button ? QPalette::Button : QPalette::Base);
        if (qAbs(ink.lightness() - ground.lightness()) < 100)
            unreadable << control->objectName();
    }
    QApplication::setPalette(desktop);
    QCoreApplication::processEvents();
    QVERIFY2(unreadable.isEmpty(), qPrintable(unreadable.join(QLatin1Char(' '))));
}

void tst_InfoWindows::openersAndClosePaths_data()
{
    QTest::addColumn<QStringList>("opener");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("closer");
    QTest::addColumn<bool>("calculatorClosedMeanwhile");
    QTest::addColumn<bool>("bringsCalculator");

    const QString ok = QStringLiteral("OK");
    const QString closeBox = QStringLiteral("close box");
    QTest::newRow("introduction, OK") << QStringList{"start: Introduction"} << "introduction" << ok << false << false;
    QTest::newRow("About from the start window, OK") << QStringList{"start: About"} << "About" << ok << false << false;
    QTest::newRow("About from the calculator, then the start window, close box")
        << QStringList{"calculator: About", "start: About"} << "About" << closeBox << false << false;
    QTest::newRow("About from the book-note panel, OK")
        << QStringList{"configuration: panel"} << "About" << ok << false << false;
    QTest::newRow("About from the book-note text, close box")
        << QStringList{"configuration: note"} << "About" << closeBox << false << false;
    QTest::newRow("About from the book-note panel by keyboard, OK")
        << QStringList{"configuration: panel, Space key"} << "About" << ok << false << false;
    QTest::newRow("theory, OK after the calculator was closed")
        << QStringList{"calculator: Theory"} << "theory" << ok << true << true;
    QTest::newRow("usage, OK") << QStringList{"calculator: How to use"} << "usage" << ok << false << true;
    QTest::newRow("theory, close box after the calculator was closed")
        << QStringList{"calculator: Theory"} << "theory" << closeBox << true << false;
    QTest::newRow("usage, close box") << QStringList{"calculator: How to use"} << "usage" << closeBox << false << false;
}

void tst_InfoWindows::openersAndClosePaths()
{
    QFETCH(QStringList, opener);
    QFETCH(QString, name);
    QFETCH(QString, closer);
    QFETCH(bool, calculatorClosedMeanwhile);
    QFETCH(bool, bringsCalculator);
    const ProgramWindows& w = Windows();
    QWidget* window = InfoWindow(name);

    for (const QString& step : opener)
        Open(step);
    QVERIFY(QTest::qWaitForWindowActive(window));
    auto* memo = window->findChild<QPlainTextEdit*>(QStringLiteral("Memo1"));
    QWidget* first = memo ? static_cast<QWidget*>(memo) : window->findChild<QPushButton*>(QStringLiteral("Button2"));
    QCOMPARE(QApplication::focusWidget(), first);

    int scrolled = 0;
    if (memo) {
        QScrollBar* bar = memo->verticalScrollBar();
        QVERIFY(bar->maximum() > 0);
        QTest::keyClick(memo, Qt::Key_PageDown);
        QTest::keyClick(memo, Qt::Key_PageDown);
        scrolled = bar->value();
        QVERIFY(scrolled > 0);
    }
    if (calculatorClosedMeanwhile) {
        QTest::mouseClick(w.Form1->Button2, Qt::LeftButton);
        QVERIFY(!w.Form1->isVisible());
    }

    const QPoint startPlace = w.StartForm->pos();
    QStringList expected = VisibleWindows();
    expected.removeOne(window->objectName());
    if (bringsCalculator && !expected.contains(w.Form1->objectName())) {
        expected << w.Form1->objectName();
        expected.sort();
    }
    if (closer == QLatin1String("OK"))
        QTest::mouseClick(OkButton(window), Qt::LeftButton);
    else
        window->close(); // what the title bar's close box does
    QCOMPARE(VisibleWindows(), expected);
    if (bringsCalculator)
        QVERIFY(QTest::qWaitForWindowActive(w.Form1));
    QCOMPARE(w.StartForm->pos(), startPlace);

    // The same window comes back as it was left, at the same place in its text.
    for (const QString& step : opener)
        Open(step);
    QVERIFY(QTest::qWaitForWindowActive(window));
    if (memo)
        QCOMPARE(memo->verticalScrollBar()->value(), scrolled);
}

void tst_InfoWindows::webLinkAsksFirst_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("openerFails");
    QTest::addColumn<int>("opened");

    QTest::newRow("About, Enter") << "About" << "Enter" << false << 1;
    QTest::newRow("introduction, OK") << "introduction" << "OK" << false << 1;
    QTest::newRow("About, Cancel") << "About" << "Cancel" << false << 0;
    QTest::newRow("introduction, Escape") << "introduction" << "Escape" << false << 0;
    QTest::newRow("About, close box") << "About" << "close box" << false << 0;
    QTest::newRow("introduction, OK, no browser") << "introduction" << "OK" << true << 1;
}

void tst_InfoWindows::webLinkAsksFirst()
{
    QFETCH(QString, name);
    QFETCH(QString, answer);
    QFETCH(bool, openerFails);
    QFETCH(int, opened);

    QList<QUrl> requests;
    SetWebOpener([&requests, openerFails](const QUrl& url) {
        requests << url;
        return !openerFails;
    });
    QWidget* window = InfoWindow(name);
    ShowWindow(window);
    QVERIFY(QTest::qWaitForWindowActive(window));
    QPushButton* web = window->findChild<QPushButton*>(name == QLatin1String("About") ? "Button2" : "Button1");

    // The real box, answered as a user would; any further box would be answered too, and counted.
    QList<QMessageBox*> boxes;
    QString text, caption;
    QMessageBox::Icon icon = QMessageBox::Critical;
    QMessageBox::StandardButtons buttons;
    bool okIsDefault = false;
    QTimer user;
    connect(&user, &QTimer::timeout, this, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible() || boxes.contains(box))
            return;
        boxes << box;
        text = box->text();
        caption = box->windowTitle();
        icon = box->icon();
        buttons = box->standardButtons();
        okIsDefault = box->defaultButton() == box->button(QMessageBox::Ok);
        if (answer == QLatin1String("Enter"))
            QTest::keyClick(box, Qt::Key_Return);
        else if (answer == QLatin1String("Escape"))
            QTest::keyClick(box, Qt::Key_Escape);
        else if (answer == QLatin1String("close box"))
            box->close();
        else
            QTest::mouseClick(box->button(answer == QLatin1String("OK") ? QMessageBox::Ok : QMessageBox::Cancel),
                              Qt::LeftButton);
    });
    user.start(10);
    MessageBoxes::SetAnswerer({});
    QTest::mouseClick(web, Qt::LeftButton); // returns once the box is answered
    m_program->Boxes.Install();
    user.stop();

    QCOMPARE(boxes.size(), 1);
    QCOMPARE(text, QStringLiteral("About to connect to the World Wide Web.\n"
                                  "This will work only if you are connected to\n"
                                  "the Internet and have a web browser installed."));
    QCOMPARE(caption, QStringLiteral("Orvalis Calculator"));
    QCOMPARE(icon, QMessageBox::NoIcon);
    QCOMPARE(buttons, QMessageBox::Ok | QMessageBox::Cancel);
    QVERIFY(okIsDefault);
    QCOMPARE(requests, QList<QUrl>(opened, QUrl(QStringLiteral("https://www.orvalis-calculator.example/"))));
    QVERIFY(window->isVisible());
}

ORVALIS_WIDGET_TEST_MAIN(tst_InfoWindows)
#include "tst_InfoWindows.moc"
