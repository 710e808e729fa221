#include "ui/QuietBoxes.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSpinBox>

void PutText(QLineEdit* box, const QString& text)
{
    const QSignalBlocker quiet(box);
    box->setText(text);
}

void PutEditText(QComboBox* box, const QString& text)
{
    const QSignalBlocker quiet(box);
    box->setEditText(text);
    if (box->lineEdit())
        box->lineEdit()->setCursorPosition(0);
}

void PutIndex(QComboBox* box, int index)
{
    const QSignalBlocker quiet(box);
    box->setCurrentIndex(index);
}

void PutValue(QSpinBox* box, int value)
{
    const QSignalBlocker quiet(box);
    box->setValue(value);
}

void PutChecked(QAbstractButton* box, bool checked)
{
    const QSignalBlocker quiet(box);
    box->setChecked(checked);
}
