#pragma once
// Reading and writing the settings line in "dorrat.txt" for the main window.
#include "organiser/main/frm_start.h"

namespace dorrin::organiser {

QString settingsPath();
// Reads the first line of the file into the window's state; a missing or
// unreadable file keeps the defaults.
void Frm_load(FrmStart &form);
// Records the current page's window and splitter sizes and replaces the file.
// Returns false when the file could not be written (the old one stays).
bool Frm_Save(FrmStart &form);

} // namespace dorrin::organiser
