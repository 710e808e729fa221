#include "ui/WindowRules.h"

#include "ui/Artwork.h"
#include "ui/ErrorReport.h"
#include "ui/NightVision.h"
#include "ui/ProgramStyle.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QLineEdit>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QMainWindow>
#include <QPushButton>
#include <QPalette>
#include <QRadioButton>
#include <QScreen>
#include <QTimer>
#include <QVariantMap>
#include <QWidget>
#include <QWindow>

#include <vector>

namespace {

constexpr char PlacedProperty[] = "orvalisPlaced";

// Screen readers take a line edit's name from its label, but not a combo box's (they read its
// text) or a list's. So every control is named after its buddy label here; a button, which
// has a caption of its own, gets the label as its description instead.
void NameControlsAfterTheirLabels(QWidget* window)
{
    for (const QLabel* label : window->findChildren<QLabel*>()) {
        QWidget* control = label->buddy();
        if (!control)
            continue;
        const QString text = label->text().trimmed();
        if (qobject_cast<QAbstractButton*>(control))
            control->setAccessibleDescription(text);
        else if (control->accessibleName().isEmpty())
            control->setAccessibleName(text);
        // The keyboard focus sits in a combo box's edit part, which is announced on its own.
        if (const auto* combo = qobject_cast<QComboBox*>(control); combo && combo->lineEdit())
            combo->lineEdit()->setAccessibleName(control->accessibleName());
    }
}

// Places a window so that its frame, title bar included, is centred on its screen. move()
// places a window's frame, where setGeometry() would place its client area.
void CentreFrame(QWidget* window, const QMargins& frame)
{
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect outer(QPoint(), window->size().grownBy(frame));
    outer.moveCenter(screen->availableGeometry().center());
    window->move(outer.topLeft());
}

QMargins FrameMargins(const QWidget* window)
{
    const QRect frame = window->frameGeometry();
    const QRect client = window->geometry();
    return {client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
            frame.bottom() - client.bottom()};
}

QMargins FrameMarginsOfShownWindows()
{
    for (const QWidget* shown : QApplication::topLevelWidgets())
        if (shown->isVisible() && shown->windowType() == Qt::Window)
            if (const QMargins margins = FrameMargins(shown); !margins.isNull())
                return margins;
    return {};
}

// The desktop adds a window's frame only once the window is on screen, and says how large it
// is a moment later. Until then the frame was guessed; this puts it right as soon as it is
// known, once, and gives up after a second in which no frame came (no window manager).
class FrameCentring : public QObject
{
public:
    explicit FrameCentring(QWidget* window)
        : QObject(window)
        , m_window(window)
    {
        window->installEventFilter(this);
        QTimer::singleShot(1000, this, [this] { deleteLater(); });
        Recentre();
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Move || event->type() == QEvent::Resize || event->type() == QEvent::Show)
            Recentre();
        return false;
    }

private:
    void Recentre()
    {
        const QMargins frame = FrameMargins(m_window);
        if (frame.isNull())
            return;
        m_window->removeEventFilter(this);
        CentreFrame(m_window, frame);
        deleteLater();
    }

    QWidget* m_window;
};

// Runs a window's first-showing jobs, in the order they were given, when the window is shown
// for the first time. One per window.
class FirstShowing : public QObject
{
public:
    explicit FirstShowing(QWidget* window)
        : QObject(window)
    {
        window->installEventFilter(this);
    }

    //! The watcher of a window not shown yet, if it has one.
    static FirstShowing* Of(QWidget* window)
    {
        for (QObject* child : window->children())
            if (auto* showing = dynamic_cast<FirstShowing*>(child); showing && !showing->m_shown)
                return showing;
        return nullptr;
    }

    void Add(std::function<void()> work) { m_jobs.push_back(std::move(work)); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == parent() && event->type() == QEvent::Show) {
            watched->removeEventFilter(this);
            m_shown = true;
            for (const auto& work : m_jobs)
                work();
            deleteLater();
        }
        return false;
    }

private:
    std::vector<std::function<void()>> m_jobs;
    bool m_shown = false;
};

} // namespace

void SetupWindowFrame(QWidget* window, QSize clientArea)
{
    NameControlsAfterTheirLabels(window);
    // Enter presses the focused button as Space does, in every window.
    for (QPushButton* button : window->findChildren<QPushButton*>())
        button->setAutoDefault(true);
    window->setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                           | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    window->setWindowIcon(ProgramIcon());
    if (auto* mainWindow = qobject_cast<QMainWindow*>(window)) {
        // The menu bar comes on top of the client area, as tall as the font makes it.
        mainWindow->centralWidget()->setFixedSize(clientArea);
        mainWindow->layout()->setSizeConstraint(QLayout::SetFixedSize);
    } else {
        window->setFixedSize(clientArea);
    }
}

namespace {

//! The colours of the design a widget was given, by role: kept so that they can be shown
//! afresh whenever night vision is switched.
constexpr const char* DesignColoursProperty = "orvalisDesignColours";

//! Puts a widget's design colours into its palette as they show now.
void ShowDesignColoursOf(QWidget* widget)
{
    const QVariantMap design = widget->property(DesignColoursProperty).toMap();
    if (design.isEmpty())
        return;
    QPalette palette = widget->palette();
    for (auto entry = design.cbegin(); entry != design.cend(); ++entry) {
        const auto role = static_cast<QPalette::ColorRole>(entry.key().toInt());
        const QColor colour = entry.value().value<QColor>();
        // No colour of its own: the application's, as the desktop or night vision has it now.
        const QPalette standard = QApplication::palette(widget);
        for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
            palette.setColor(group, role, colour.isValid() ? NightVision::Shown(colour, NightVision::RoleOf(role)) : standard.color(group, role));
    }
    widget->setPalette(palette);
}

} // namespace

void SetRoleColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour)
{
    QVariantMap design = widget->property(DesignColoursProperty).toMap();
    design.insert(QString::number(role), colour);
    widget->setProperty(DesignColoursProperty, design);
    ShowDesignColoursOf(widget);
}

void ShowDesignColours()
{
    for (QWidget* widget : QApplication::allWidgets())
        ShowDesignColoursOf(widget);
}

void SetBackground(QWidget* widget, const QColor& colour)
{
    SetRoleColour(widget, QPalette::Window, colour);
    SetRoleColour(widget, QPalette::WindowText, colour.lightness() > 127 ? Qt::black : Qt::white);
    widget->setAutoFillBackground(true);
}

void SetTextColour(QWidget* widget, const QColor& colour)
{
    for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        SetRoleColour(widget, role, colour);
}

void WhenFirstShown(QWidget* window, std::function<void()> work)
{
    FirstShowing* showing = FirstShowing::Of(window);
    if (!showing)
        showing = new FirstShowing(window);
    showing->Add(std::move(work));
}

void TabToCheckedButton(const QList<QRadioButton*>& group)
{
    const auto update = [group] {
        for (QRadioButton* button : group)
            button->setFocusPolicy(button->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
    };
    update();
    for (QRadioButton* button : group) {
        QObject::connect(button, &QRadioButton::toggled, button, update);
        // However a button was checked (a click, the arrow keys, a screen reader's press, the
        // program), a focus within the group moves to it, as a click would move it.
        QObject::connect(button, &QRadioButton::toggled, button, [group, button](bool checked) {
            if (!checked || button->hasFocus())
                return;
            for (const QRadioButton* other : group)
                if (other->hasFocus())
                    button->setFocus(Qt::OtherFocusReason);
        });
    }
}

void UseProgramStyle()
{
    // Night vision may have wrapped the program's style in its own.
    for (QStyle* style = QApplication::style(); style;) {
        if (dynamic_cast<ProgramStyle*>(style))
            return;
        const auto* proxy = qobject_cast<QProxyStyle*>(style);
        style = proxy ? proxy->baseStyle() : nullptr;
    }
    // The proxy takes the desktop's style as its own, so the application, which deletes the
    // style it replaces only while it owns it, leaves it alive.
    QApplication::setStyle(new ProgramStyle(QApplication::style()));
}

namespace {

// Holds back the desktop's requests to close a window (its title bar's close box), as Qt holds
// back keys and clicks: the start window's closing would end an event loop not running yet.
class CloseRequestsHeldBack : public QObject
{
public:
    CloseRequestsHeldBack() { qApp->installEventFilter(this); }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        return event->type() == QEvent::Close && event->spontaneous();
    }
};

} // namespace

void WaitUntilExposed(QWidget* window, int milliseconds)
{
    QWindow* handle = window->windowHandle();
    if (!handle || !window->isVisible())
        return;
    const CloseRequestsHeldBack heldBack;
    const QDeadlineTimer deadline(milliseconds);
    // Wakes the loop at the deadline should nothing else come.
    QTimer wake;
    wake.setSingleShot(true);
    wake.start(milliseconds);
    while (!handle->isExposed() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::WaitForMoreEvents);
}

void ShowWindow(QWidget* window)
{
    if (!window)
        return;
    const bool firstShowing = !window->property(PlacedProperty).toBool();
    if (firstShowing) {
        if (window->layout())
            window->layout()->activate(); // so the size includes the menu bar in its final font
        // The best guess before the window has a frame of its own: the frame of any window of
        // the program already on screen, since the desktop gives them all the same.
        CentreFrame(window, FrameMarginsOfShownWindows());
        window->setProperty(PlacedProperty, true);
    }
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->show();
    if (auto* refreshed = dynamic_cast<RefreshedOnShow*>(window))
        Guarded([refreshed] { refreshed->FormShow(); });
    if (firstShowing)
        new FrameCentring(window);
    window->raise();
    window->activateWindow();
}

void ShowThenClose(QWidget* next, QWidget* current)
{
    if (!next)
        return;
    ShowWindow(next);
    current->close();
}
