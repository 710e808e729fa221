#pragma once

#include <QFont>
#include <QString>

class QPlainTextEdit;

//! Makes `memo` a long read-only text that keeps its place between showings: when its window
//! is first shown, it takes `font` and loads the text stored at `resource`. It shows its
//! vertical scroll bar always, can be read and scrolled from the keyboard, and passes Tab on to
//! the next control instead of swallowing it.
void SetupLongText(QPlainTextEdit* memo, const QString& resource, const QFont& font);
