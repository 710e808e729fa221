#include "exposure/PresetBox.h"

#include <QCompleter>
#include <QLineEdit>

PresetBox::PresetBox(QWidget* parent)
    : QComboBox(parent)
{
    // QComboBox::setEditable() would build the open list at once, and setLineEdit() gives any
    // line edit that arrives without a completer a new one over the list. This line edit
    // arrives with a stand-in, which is then taken away: the box is editable and has neither.
    auto* edit = new QLineEdit(this);
    QCompleter standIn;
    edit->setCompleter(&standIn);
    setLineEdit(edit);
    setCompleter(nullptr);
    setInsertPolicy(QComboBox::NoInsert);
}
