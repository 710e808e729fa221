#pragma once

#include <QColor>
#include <QString>

class QPlainTextEdit;
class QWidget;

//! Sets the colour of a widget's text (labels, buttons and text boxes alike), whatever the
//! desktop's palette says.
void SetTextColour(QWidget* widget, const QColor& colour);

//! Makes `memo` a long read-only text that keeps its place between showings: it loads the text
//! stored at `resource`, shows its vertical scroll bar always, can be read and scrolled from
//! the keyboard, and passes Tab on to the next control instead of swallowing it.
void SetupLongText(QPlainTextEdit* memo, const QString& resource);
