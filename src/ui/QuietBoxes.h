#pragma once

class QAbstractButton;
class QComboBox;
class QLineEdit;
class QSpinBox;
class QString;

//! A control set as an opened job has it, its change handler quiet: the window recomputes once
//! afterwards, from all of its controls, and never from a mix of the job's and its own.
void PutText(QLineEdit* box, const QString& text);
//! An editable list's text, shown from its start (the number first), as after a pick.
void PutEditText(QComboBox* box, const QString& text);
void PutIndex(QComboBox* box, int index);
void PutValue(QSpinBox* box, int value);
void PutChecked(QAbstractButton* box, bool checked);
