#pragma once

#include <QComboBox>

//! An editable drop-down box of presets. What the user types stays as typed: there is no
//! inline completion from the list, and Enter never adds the text to the list. The open list
//! is only built when it is first needed, so a box in a window that no one has opened yet
//! costs little at start-up.
class PresetBox : public QComboBox
{
public:
    explicit PresetBox(QWidget* parent = nullptr);
};
