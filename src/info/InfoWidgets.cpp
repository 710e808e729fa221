#include "info/InfoWidgets.h"

#include <QFile>
#include <QPlainTextEdit>
#include <QWidget>

void SetupLongText(QPlainTextEdit* memo, const QString& resource)
{
    QFile file(resource);
    // The texts are compiled into the program: one that cannot be opened is a build fault.
    [[maybe_unused]] const bool opened = file.open(QIODevice::ReadOnly | QIODevice::Text);
    Q_ASSERT(opened);
    memo->setPlainText(QString::fromUtf8(file.readAll()).trimmed());
    memo->setReadOnly(true);
    // Read-only, but a keyboard user (and a screen reader following the caret) can still move
    // through the text and scroll it.
    memo->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    memo->setFocusPolicy(Qt::StrongFocus);
    memo->setTabChangesFocus(true);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Lines are broken by the author; wrapping stays on so that a wider font never hides text.
    memo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    memo->setAccessibleName(memo->window()->windowTitle());
}
