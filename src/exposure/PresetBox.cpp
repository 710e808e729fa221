#include "exposure/PresetBox.h"

#include <QCompleter>
#include <QLineEdit>

PresetBox::PresetBox(QWidget* parent)
    : QComboBox(parent)
{
    // QComboBox::setEditable() builds the open list at once, and setLineEdit() gives a line
    // edit that comes without a completer one of its own, over the whole list. Handing over
    // a line edit that holds a stand-in completer, and taking that away again, leaves the box
    // editable with neither.
    auto* edit = new QLineEdit(this);
    QCompleter standIn;
    edit->setCompleter(&standIn);
    setLineEdit(edit);
    setCompleter(nullptr);
    setInsertPolicy(QComboBox::NoInsert);
}
