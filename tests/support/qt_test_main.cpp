// The main() of the widget tests: a QApplication on the offscreen platform unless another
// one is asked for, in the program's style with its font substitutes, and GoogleTest.
#include "platform/qt/font_substitutes.h"

#include <QApplication>
#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    QApplication::setStyle("Fusion");
    InstallFontSubstitutes();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
