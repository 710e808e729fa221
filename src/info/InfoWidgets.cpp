#include "info/InfoWidgets.h"

#include "ui/WindowRules.h"

#include <QApplication>
#include <QFile>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QWidget>

void SetupLongText(QPlainTextEdit* memo, const QString& resource, const QFont& font)
{
    // Laying out pages of text is work for the window's first showing, not for start-up.
    WhenFirstShown(memo->window(), [memo, resource, font] {
        memo->setFont(font);
        QFile file(resource);
        // The texts are compiled into the program: one that cannot be opened is a build fault.
        [[maybe_unused]] const bool opened = file.open(QIODevice::ReadOnly | QIODevice::Text);
        Q_ASSERT(opened);
        memo->setPlainText(QString::fromUtf8(file.readAll()).trimmed());
    });
    memo->setReadOnly(true);
    // Read-only, but a keyboard user (and a screen reader following the caret) can still move
    // through the text and scroll it.
    memo->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    memo->setFocusPolicy(Qt::StrongFocus);
    memo->setTabChangesFocus(true);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // The scroll bar would inherit the window's navy and the white text that goes with it,
    // and draw white arrows on its light buttons; it keeps the desktop's own colours instead.
    QScrollBar* bar = memo->verticalScrollBar();
    for (const QPalette::ColorRole role : {QPalette::Window, QPalette::WindowText})
        SetRoleColour(bar, role, QColor());
    memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Lines are broken by the author; wrapping stays on so that a wider font never hides text.
    memo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    memo->setAccessibleName(memo->window()->windowTitle());
}
