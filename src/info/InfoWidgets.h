#pragma once

#include <QString>

class QPlainTextEdit;

//! Makes `memo` a long read-only text that keeps its place between showings: it loads the text
//! stored at `resource` when its window is first shown, shows its vertical scroll bar always, can be read and scrolled from
//! the keyboard, and passes Tab on to the next control instead of swallowing it.
void SetupLongText(QPlainTextEdit* memo, const QString& resource);
