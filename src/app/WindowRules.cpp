#include "app/WindowRules.h"

#include "app/Artwork.h"
#include "app/ErrorReport.h"

#include <QAbstractButton>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QMainWindow>
#include <QRadioButton>
#include <QScreen>
#include <QWidget>

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
    }
}

} // namespace

QFont PixelFont(int pixels, bool bold, const QString& face)
{
    QFont font(face);
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

void SetupWindowFrame(QWidget* window, QSize clientArea)
{
    NameControlsAfterTheirLabels(window);
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

void SetBackground(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void TabToCheckedButton(const QList<QRadioButton*>& group)
{
    const auto update = [group] {
        for (QRadioButton* button : group)
            button->setFocusPolicy(button->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
    };
    update();
    for (QRadioButton* button : group)
        QObject::connect(button, &QRadioButton::toggled, button, update);
}

void ShowWindow(QWidget* window)
{
    if (!window)
        return;
    if (!window->property(PlacedProperty).toBool()) {
        if (window->layout())
            window->layout()->activate(); // so the size includes the menu bar in its final font
        const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
        if (screen) {
            // The client area is centred: the frame's size is only known once it is shown.
            QRect client(QPoint(), window->size());
            client.moveCenter(screen->availableGeometry().center());
            window->setGeometry(client);
        }
        window->setProperty(PlacedProperty, true);
    }
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->show();
    if (auto* refreshed = dynamic_cast<RefreshedOnShow*>(window))
        Guarded([refreshed] { refreshed->FormShow(); });
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
