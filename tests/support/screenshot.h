#pragma once
// Saves a picture of a widget as <build folder>/screenshots/<name>.png, so that a person
// can look at the windows the tests drove.
#include <string>

class QWidget;

// Returns the file written, or an empty text when it could not be written.
std::string SaveScreenshot(QWidget& widget, const std::string& strName);
