#pragma once

#include "optics/Configurations.h"

#include <initializer_list>

class QLineEdit;
class QWidget;
class TOpticReportForm;

//! The frame the six configuration detail windows share: 503 x 393, silver, bold 13-pixel
//! prompts, notes and boxes, bold 11-pixel buttons, on the 11-pixel base font that the window
//! takes before its setupUi(). A window then sets its own exceptions, which the fonts given at
//! the window's first showing leave alone.
void SetupDetailWindow(QWidget* window);

//! "Next >>" of a detail window: reads its boxes in their order, completes the optical job
//! or refuses with the window's own message (and stays); on success the window becomes the
//! way back from the report, the wizard's report is shown and the window hides.
void CompleteConfiguration(QWidget* window, TOpticReportForm* report, ConfigurationKind kind,
                           std::initializer_list<const QLineEdit*> boxes);
