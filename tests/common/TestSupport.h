#pragma once

// Helpers shared by the widget tests: a scripted answerer for the program's message boxes,
// the list of the program's windows, a check that no caption is clipped, screenshots, and a
// user's way of picking list items.

#include "app/ProgramWindows.h"
#include "app/TSplashScreen.h"
#include "app/TStartForm.h"
#include "app/WindowSet.h"
#include "exposure/TDigitalCameraForm.h"
#include "exposure/TForm1.h"
#include "field/TSensorFieldForm.h"
#include "info/TForm2.h"
#include "info/TForm3.h"
#include "info/TForm4.h"
#include "info/TIntroForm.h"
#include "optics/TOpticAfocalForm.h"
#include "optics/TOpticBarlowForm.h"
#include "optics/TOpticCamLensForm.h"
#include "optics/TOpticCompForm.h"
#include "optics/TOpticEypcForm.h"
#include "optics/TOpticForm1.h"
#include "optics/TOpticForm2.h"
#include "optics/TOpticReportForm.h"
#include "optics/TOpticTeleForm.h"
#include "sky/TTonightForm.h"
#include "targets/TTargetsForm.h"
#include "ui/MessageBoxes.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>

#include <iterator>
#include <memory>
#include <span>

//! Answers every message box with OK (or a queued answer) and keeps what was asked, so a
//! test can check each box it expects; a box nobody took is an unexpected box.
class ScriptedBoxes
{
public:
    ScriptedBoxes() { Install(); }
    ~ScriptedBoxes() { MessageBoxes::SetAnswerer({}); }
    ScriptedBoxes(const ScriptedBoxes&) = delete;
    ScriptedBoxes& operator=(const ScriptedBoxes&) = delete;

    //! Puts the scripted answerer back after a test let the real box show.
    void Install()
    {
        MessageBoxes::SetAnswerer([this](const MessageBoxes::Request& request) {
            m_asked.append(request);
            return m_answers.isEmpty() ? MessageBoxes::Answer::Ok : m_answers.takeFirst();
        });
    }

    //! Answers the next box asked with `answer` instead of OK.
    void Queue(MessageBoxes::Answer answer) { m_answers.append(answer); }

    //! The boxes shown since the last call.
    QList<MessageBoxes::Request> Take() { return std::exchange(m_asked, {}); }
    //! The texts of the boxes shown since the last call.
    QStringList TakeTexts()
    {
        QStringList texts;
        for (const MessageBoxes::Request& request : Take())
            texts << request.Text;
        return texts;
    }

private:
    QList<MessageBoxes::Request> m_asked;
    QList<MessageBoxes::Answer> m_answers;
};

//! A fresh program for one test: its windows created as at start-up (the splash closed
//! unless asked to stay), every message box answered by script.
class RunningProgram
{
public:
    explicit RunningProgram(bool keepSplash = false)
    {
        CreateProgramWindows();
        if (!keepSplash)
            Windows().SplashScreen->close();
    }
    ~RunningProgram() { DestroyProgramWindows(); }
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    ScriptedBoxes Boxes; // made before the windows, gone after them
};

//! One of the program's windows as the tests reach it.
struct ProgramWindow
{
    //! The window's class, which is its object name too: it names a test's row before the
    //! program exists.
    const char* Name;
    //! The window as the set holds it now; null while a window made on demand is not made yet.
    QWidget* (*InTheSet)();
    //! For a window made on demand, the set's call that makes it the first time it is asked
    //! for; null for a window made at start-up.
    QWidget* (*MakeOnDemand)() = nullptr;

    //! The window, made now where it is made on demand, as when the user first asks for it.
    QWidget* Reach() const { return MakeOnDemand ? MakeOnDemand() : InTheSet(); }
};

//! Every window of the program, once each, in the order the set makes them: the sixteen of
//! start-up, then the three made the first time they are asked for. The tests take the
//! program's windows from this list alone.
inline std::span<const ProgramWindow> EveryWindow()
{
    static constexpr ProgramWindow windows[] = {
        {"TStartForm", []() -> QWidget* { return Windows().StartForm; }},
        {"TSplashScreen", []() -> QWidget* { return Windows().SplashScreen; }},
        {"TOpticCamLensForm", []() -> QWidget* { return Windows().OpticCamLensForm; }},
        {"TIntroForm", []() -> QWidget* { return Windows().IntroForm; }},
        {"TForm1", []() -> QWidget* { return Windows().Form1; }},
        {"TForm2", []() -> QWidget* { return Windows().Form2; }},
        {"TForm3", []() -> QWidget* { return Windows().Form3; }},
        {"TForm4", []() -> QWidget* { return Windows().Form4; }},
        {"TOpticForm1", []() -> QWidget* { return Windows().OpticForm1; }},
        {"TOpticForm2", []() -> QWidget* { return Windows().OpticForm2; }},
        {"TOpticTeleForm", []() -> QWidget* { return Windows().OpticTeleForm; }},
        {"TOpticCompForm", []() -> QWidget* { return Windows().OpticCompForm; }},
        {"TOpticAfocalForm", []() -> QWidget* { return Windows().OpticAfocalForm; }},
        {"TOpticBarlowForm", []() -> QWidget* { return Windows().OpticBarlowForm; }},
        {"TOpticEypcForm", []() -> QWidget* { return Windows().OpticEypcForm; }},
        {"TOpticReportForm", []() -> QWidget* { return Windows().OpticReportForm; }},
        {"TSensorFieldForm", []() -> QWidget* { return Windows().SensorFieldForm; },
         []() -> QWidget* { return SensorFieldWindow(); }},
        {"TTonightForm", []() -> QWidget* { return Windows().TonightForm; },
         []() -> QWidget* { return TonightWindow(); }},
        {"TDigitalCameraForm", []() -> QWidget* { return Windows().DigitalCameraForm; },
         []() -> QWidget* { return DigitalCameraWindow(); }},
        {"TTargetsForm", []() -> QWidget* { return Windows().TargetsForm; },
         []() -> QWidget* { return TargetsWindow(); }},
    };
    // The set holds nothing but its windows: one added to it and not here stops the build.
    static_assert(std::size(windows) * sizeof(QWidget*) == sizeof(ProgramWindows),
                  "a window of the set is missing here");
    return windows;
}

//! Every window of the program in EveryWindow()'s order, those made on demand made now.
inline QList<QWidget*> EveryWindowMade()
{
    QList<QWidget*> windows;
    for (const ProgramWindow& window : EveryWindow())
        windows << window.Reach();
    return windows;
}

//! The sixteen windows made at start-up, in EveryWindow()'s order.
inline QList<QWidget*> StartupWindows()
{
    QList<QWidget*> windows;
    for (const ProgramWindow& window : EveryWindow())
        if (!window.MakeOnDemand)
            windows << window.InTheSet();
    return windows;
}

//! Ends a test's program and returns the texts of the boxes that no test step took.
inline QStringList EndProgram(std::unique_ptr<RunningProgram>& program)
{
    const QStringList unexpected = program->Boxes.TakeTexts();
    program.reset();
    return unexpected;
}

//! Captions that do not fit their control, as readable lines ("Label1: ..."); empty when all fit.
inline QStringList ClippedCaptions(const QWidget* window)
{
    QStringList clipped;
    for (const QWidget* widget : window->findChildren<QWidget*>()) {
        if (!widget->isVisibleTo(window) || widget->objectName() == QLatin1String("KeyboardFocusRing"))
            continue;
        // A bare strip (a frame with nothing in it) may run past its window's edge, as the
        // report's does; anything with content may not.
        const bool strip = widget->metaObject() == &QFrame::staticMetaObject && widget->children().isEmpty();
        if (!strip && widget->parentWidget() && !widget->parentWidget()->rect().contains(widget->geometry()))
            clipped << widget->objectName() + QStringLiteral(": outside its parent");
        int needed = 0;
        int neededHeight = 0;
        if (const auto* label = qobject_cast<const QLabel*>(widget); label && label->pixmap().isNull()) {
            if (label->wordWrap()) {
                needed = 0;
                neededHeight = label->heightForWidth(label->width());
            } else {
                needed = label->fontMetrics().horizontalAdvance(label->text());
                neededHeight = label->fontMetrics().height();
            }
        } else if (const auto* push = qobject_cast<const QPushButton*>(widget); push && push->icon().isNull()) {
            // The caption must fit where the style draws it. (The size hint is no measure: the
            // style makes every push button at least 80 pixels wide, whatever its caption.)
            QStyleOptionButton option;
            option.initFrom(push);
            option.text = push->text();
            const QRect contents = push->style()->subElementRect(QStyle::SE_PushButtonContents, &option, push);
            needed = push->fontMetrics().horizontalAdvance(push->text()) + push->width() - contents.width();
            neededHeight = push->fontMetrics().height();
        } else if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
            needed = button->sizeHint().width() - (qobject_cast<const QRadioButton*>(button) ? 0 : 12);
            neededHeight = button->fontMetrics().height();
        }
        if (needed > widget->width() || neededHeight > widget->height())
            clipped << QStringLiteral("%1: needs %2 x %3, has %4 x %5")
                           .arg(widget->objectName())
                           .arg(needed)
                           .arg(neededHeight)
                           .arg(widget->width())
                           .arg(widget->height());
    }
    return clipped;
}

//! Why the window's frame, title bar included, is not centred on its screen, or empty when it is.
inline QString NotCentred(const QWidget* window)
{
    const QPoint centre = window->screen()->availableGeometry().center();
    const QRect frame = window->frameGeometry();
    if ((frame.center() - centre).manhattanLength() <= 2)
        return {};
    return QStringLiteral("%1 framed at %2,%3 (%4 x %5), screen centre %6,%7")
        .arg(window->objectName())
        .arg(frame.x())
        .arg(frame.y())
        .arg(frame.width())
        .arg(frame.height())
        .arg(centre.x())
        .arg(centre.y());
}

//! Saves a picture of the window where ORVALIS_SCREENSHOTS points, for a person to look at.
inline void SaveScreenshot(QWidget* window, const QString& name)
{
    const QString folder = qEnvironmentVariable("ORVALIS_SCREENSHOTS");
    if (folder.isEmpty())
        return;
    QDir().mkpath(folder);
    window->grab().save(folder + QLatin1Char('/') + name + QLatin1Char('_') + QGuiApplication::platformName()
                        + QStringLiteral(".png"));
}

//! Picks a list item as a user does: opens the list and clicks the item.
inline bool PickItem(QComboBox* box, int index)
{
    box->showPopup();
    QAbstractItemView* list = box->view();
    if (!QTest::qWaitForWindowExposed(list->window()))
        return false;
    const QModelIndex item = list->model()->index(index, 0);
    list->scrollTo(item);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(item).center());
    return QTest::qWaitFor([list] { return !list->isVisible(); });
}

//! Replaces the text of an edit box or editable combo box by typing, key by key.
inline void TypeInto(QWidget* box, const QString& text)
{
    QLineEdit* edit = qobject_cast<QLineEdit*>(box);
    if (!edit)
        if (auto* combo = qobject_cast<QComboBox*>(box))
            edit = combo->lineEdit();
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

//! Clicks a row of a list box as a user does.
inline void ClickRow(QListWidget* list, int row, Qt::KeyboardModifiers modifiers = {})
{
    const QRect rect = list->visualItemRect(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers, rect.center());
}

//! The controls the Tab key visits from `first` on, by object name (a combo box's edit part
//! counts as the combo box): `count` of them, the first included.
inline QStringList TabOrder(QWidget* first, int count)
{
    first->setFocus();
    QStringList order;
    for (int i = 0; i < count; ++i) {
        QWidget* focus = QApplication::focusWidget();
        if (!focus)
            break;
        QWidget* named = focus->objectName().isEmpty() ? focus->parentWidget() : focus;
        order << named->objectName();
        QTest::keyClick(focus, Qt::Key_Tab);
    }
    return order;
}

//! Clicks a radio button where a user would, on its round indicator (its middle may lie
//! past the end of a short caption, where a click does nothing).
inline void ClickRadio(QRadioButton* button)
{
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(button->height() / 2, button->height() / 2));
}

//! Every widget test runs on the offscreen platform unless told otherwise (xvfb-run sets xcb).
#define ORVALIS_WIDGET_TEST_MAIN(TestClass)                                                                            \
    int main(int argc, char* argv[])                                                                                   \
    {                                                                                                                  \
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))                                                            \
            qputenv("QT_QPA_PLATFORM", "offscreen");                                                                   \
        QApplication application(argc, argv);                                                                          \
        TestClass test;                                                                                                \
        return QTest::qExec(&test, argc, argv);                                                                        \
    }
