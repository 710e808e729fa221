// The program without a mouse and without sight: every interactive control has a name a
// screen reader announces, the keyboard focus is plain to see on every background, and whole
// calculations can be done with key presses only.

#include "TestSupport.h"

#include "app/ProgramWindows.h"
#include "app/TStartForm.h"
#include "exposure/TForm1.h"
#include "optics/TOpticForm1.h"
#include "optics/TOpticForm2.h"
#include "optics/TOpticReportForm.h"
#include "field/TSensorFieldForm.h"
#include "sky/TTonightForm.h"
#include "exposure/TDigitalCameraForm.h"
#include "ui/Artwork.h"
#include "ui/FocusRing.h"

#include <QAccessible>
#include <QAccessibleInterface>

#include <cmath>
#include <string_view>

namespace {

double Luminance(QRgb rgb)
{
    const auto channel = [](int value) {
        const double c = value / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(qRed(rgb)) + 0.7152 * channel(qGreen(rgb)) + 0.0722 * channel(qBlue(rgb));
}

double Contrast(QRgb a, QRgb b)
{
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

//! The interactive controls in an accessibility tree that a screen reader could not name.
void Unnamed(QAccessibleInterface* node, const QString& path, QStringList& unnamed)
{
    static const QList<QAccessible::Role> interactive{
        QAccessible::PushButton, QAccessible::RadioButton, QAccessible::CheckBox, QAccessible::EditableText,
        QAccessible::ComboBox,   QAccessible::List,        QAccessible::MenuItem, QAccessible::ListItem};
    if (!node || node->state().invisible)
        return;
    const QString name = node->text(QAccessible::Name).trimmed();
    const QString here = path + QLatin1Char('/') + (node->object() ? node->object()->objectName() : name);
    if (interactive.contains(node->role()) && name.isEmpty())
        unnamed << here + QStringLiteral(" (role %1)").arg(node->role());
    for (int i = 0; i < node->childCount(); ++i)
        Unnamed(node->child(i), here, unnamed);
}

} // namespace

class tst_Accessibility : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_program = std::make_unique<RunningProgram>(); }
    void cleanup();

    void namedControlsAndVisibleFocus_data();
    void namedControlsAndVisibleFocus();
    void exposureAndOpticsWithTheKeyboardOnly();
    void picturesAtTheScreensResolution();
    void tabEntersARadioGroupAtItsCheckedButton_data();
    void tabEntersARadioGroupAtItsCheckedButton();

private:
    std::unique_ptr<RunningProgram> m_program;
};

void tst_Accessibility::cleanup()
{
    const QStringList unexpected = EndProgram(m_program);
    QVERIFY2(unexpected.isEmpty(), qPrintable(unexpected.join(QLatin1Char('\n'))));
}

void tst_Accessibility::namedControlsAndVisibleFocus_data()
{
    QTest::addColumn<int>("index");
    // The splash has nothing to operate; every other window does.
    const std::span<const ProgramWindow> windows = EveryWindow();
    for (std::size_t i = 0; i < windows.size(); ++i)
        if (std::string_view(windows[i].Name) != "TSplashScreen")
            QTest::newRow(windows[i].Name) << static_cast<int>(i);
}

void tst_Accessibility::namedControlsAndVisibleFocus()
{
    QFETCH(int, index);
    QWidget* window = EveryWindow()[static_cast<std::size_t>(index)].Reach();
    ShowWindow(window);
    QVERIFY(QTest::qWaitForWindowActive(window));
    m_program->Boxes.Take(); // the report, shown without a job, reports its division by zero
    // Nothing is cut off, at any scale (the test runs once more at twice the resolution).
    const QStringList clipped = ClippedCaptions(window);
    QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(QLatin1Char('\n'))));

    // The accessibility tree first: every control a user operates has a name.
    QStringList unnamed;
    Unnamed(QAccessible::queryAccessibleInterface(window), window->objectName(), unnamed);
    QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(QLatin1Char('\n'))));

    // Then the focus ring on every control that takes the focus from the keyboard, the one
    // the window focuses when it opens first.
    QList<QWidget*> controls{QApplication::focusWidget()};
    for (QWidget* control : window->findChildren<QWidget*>())
        if (control->isVisible() && (control->focusPolicy() & Qt::TabFocus) && !control->focusProxy()
            && !controls.contains(control))
            controls << control;
    QVERIFY(controls.first());
    for (QWidget* control : controls) {
        control->setFocus(Qt::TabFocusReason);
        const QWidget* ring = KeyboardFocusRing();
        QVERIFY2(ring, qPrintable(control->objectName()));
        const QRect box(ring->mapTo(window, QPoint()), ring->size());
        const QImage picture = window->grab().toImage();
        // On the left or right edge, whichever lies inside the window: the two pixels of ring
        // (in device pixels at any scale), each at least 3:1 against the background just
        // outside it.
        const qreal scale = picture.devicePixelRatio();
        const int y = qRound(box.center().y() * scale);
        const bool left = box.left() >= 1;
        const int first = left ? qRound(box.left() * scale) : qRound((box.right() + 1) * scale) - 1;
        const int last = left ? qRound((box.left() + 2) * scale) - 1 : qRound((box.right() - 1) * scale);
        const QRgb outside = picture.pixel(left ? first - 1 : first + 1, y);
        for (const int x : {first, last}) {
            const double contrast = Contrast(picture.pixel(x, y), outside);
            QVERIFY2(contrast >= 3.0, qPrintable(QStringLiteral("%1: %2:1 at %3,%4")
                                                     .arg(control->objectName())
                                                     .arg(contrast, 0, 'f', 2)
                                                     .arg(x)
                                                     .arg(y)));
        }
    }
    SaveScreenshot(window, QStringLiteral("focus_%1_x%2").arg(window->objectName()).arg(window->devicePixelRatio()));
}

void tst_Accessibility::exposureAndOpticsWithTheKeyboardOnly()
{
    const auto key = [](Qt::Key key, int times = 1, Qt::KeyboardModifiers modifiers = {}) {
        for (int i = 0; i < times; ++i)
            QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    };
    TStartForm* start = Windows().StartForm;
    ShowWindow(start);
    QVERIFY(QTest::qWaitForWindowActive(start));
    QCOMPARE(QApplication::focusWidget(), start->Button4);

    // "Calculate Exposures" is the second button; Space presses it.
    key(Qt::Key_Tab);
    key(Qt::Key_Space);
    TForm1* calculator = Windows().Form1;
    QVERIFY(QTest::qWaitForWindowActive(calculator));
    key(Qt::Key_A, 1, Qt::ControlModifier); // the brightness box has the focus: replace its text
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("3.4"));
    QCOMPARE(calculator->ExposureLabel->text(), QStringLiteral("   0.004 s   = 1/250 s"));

    // "Run optical calculations now" after the five boxes; Enter presses it.
    key(Qt::Key_Tab, 5);
    QCOMPARE(QApplication::focusWidget(), calculator->Button1);
    key(Qt::Key_Return);
    TOpticForm2* choice = Windows().OpticForm2;
    QVERIFY(QTest::qWaitForWindowActive(choice));
    key(Qt::Key_Down); // from "Camera lens alone" to "Prime focus"
    QVERIFY(choice->PrimeFocusButton->isChecked());
    key(Qt::Key_Tab); // to "Next >>"
    key(Qt::Key_Return);

    TOpticForm1* telescope = Windows().OpticForm1;
    QVERIFY(QTest::qWaitForWindowActive(telescope));
    key(Qt::Key_End); // the last preset but "Other" is one up
    key(Qt::Key_Up, 2);
    QCOMPARE(telescope->ListBox1->currentRow(), 7); // 8-inch f/10 Schmidt-Cassegrain
    key(Qt::Key_Tab, 5); // boxes and units to "Next >>"
    QCOMPARE(QApplication::focusWidget(), telescope->Button1);
    key(Qt::Key_Space);

    TOpticReportForm* report = Windows().OpticReportForm;
    QVERIFY(QTest::qWaitForWindowActive(report));
    QCOMPARE(report->EFLLabel->text(), QStringLiteral("2032 mm"));
    QCOMPARE(report->fLabel->text(), QStringLiteral("f/10.0"));
    QCOMPARE(calculator->FRatioBox->currentText(), QStringLiteral("10.0"));
    QCOMPARE(report->Print1->shortcut(), QKeySequence(QStringLiteral("Ctrl+P")));
    key(Qt::Key_Return); // "Finished" has the focus
    QVERIFY(!report->isVisible());
}

void tst_Accessibility::picturesAtTheScreensResolution()
{
    // The splash and the icon have as many pixels as the screen gives them (run at scale 2).
    QWidget* splash = Windows().SplashScreen;
    const qreal scale = splash->devicePixelRatioF();
    const QPixmap cover = splash->findChild<QLabel*>(QStringLiteral("Image1"))->pixmap();
    QCOMPARE(cover.size(), QSize(515, 262) * scale);
    QCOMPARE(cover.deviceIndependentSize(), QSizeF(515, 262));
    // The picture kept from the build for this resolution is the very one the program draws.
    QCOMPARE(cover.toImage().convertToFormat(QImage::Format_RGB32), SplashPicture(scale));
    QImage icon = Windows().Form1->windowIcon().pixmap(QSize(32, 32), scale).toImage();
    icon.setDevicePixelRatio(1);
    QCOMPARE(icon.convertToFormat(QImage::Format_ARGB32_Premultiplied),
             ProgramIconImage(qRound(32 * scale)).convertToFormat(QImage::Format_ARGB32_Premultiplied));
}

void tst_Accessibility::tabEntersARadioGroupAtItsCheckedButton_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("a screen reader's press") << "press";
    QTest::newRow("the program") << "program";
    QTest::newRow("a click") << "click";
}

void tst_Accessibility::tabEntersARadioGroupAtItsCheckedButton()
{
    QFETCH(QString, how);
    TOpticForm2* choice = Windows().OpticForm2;
    ShowWindow(choice);
    QVERIFY(QTest::qWaitForWindowActive(choice));
    QCOMPARE(QApplication::focusWidget(), choice->CamLensButton);

    if (how == QLatin1String("press")) {
        QAccessibleInterface* button = QAccessible::queryAccessibleInterface(choice->EyepieceProjButton);
        button->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    } else if (how == QLatin1String("program")) {
        choice->EyepieceProjButton->setChecked(true);
    } else {
        ClickRadio(choice->EyepieceProjButton);
    }
    QTRY_VERIFY(choice->EyepieceProjButton->isChecked()); // a press is animated for a moment
    QCOMPARE(QApplication::focusWidget(), choice->EyepieceProjButton);
    // Leaving the group and coming back into it lands on the checked button; the arrow keys
    // go on from there.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), choice->Button3);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), choice->EyepieceProjButton);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
    QVERIFY(choice->NegProjBarlowButton->isChecked());
}

ORVALIS_WIDGET_TEST_MAIN(tst_Accessibility)
#include "tst_Accessibility.moc"
