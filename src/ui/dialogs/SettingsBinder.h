#pragma once

#include "settings/Settings.h"

class QWidget;

// Ties the settings dialog's controls to the settings record, key by key, using
// the control names of the settings table: the record is the one place a value
// lives, the controls only show and edit it.
namespace SettingsBinder {

// Shows the record in the controls without running any control's handlers.
void showValues(QWidget *dialog, const Settings &settings);

// From now on every edit of a control is written into the record at once.
// Connect these before the dialog's own handlers, so that those read the new value.
void connectControls(QWidget *dialog, Settings &settings);

// Gives the spin boxes and sliders the ranges and steps of their keys.
void applyRanges(QWidget *dialog);

} // namespace SettingsBinder
