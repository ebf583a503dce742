#pragma once
// The windows' templates ask for the Windows dialog fonts "MS Shell Dlg" and "MS Sans
// Serif", which are aliases rather than typefaces. This maps them to Tahoma where it is
// installed and otherwise to sans-serif faces of similar width, so that dialog texts keep
// the proportions the layouts were made for. Call once after the QApplication exists.
void InstallFontSubstitutes();
