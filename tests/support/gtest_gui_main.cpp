// Pictures and fonts without widgets.
#include <QGuiApplication>

#include "tests/support/gtest_main.h"

int main(int argc, char** argv) { return fortema::test::runGoogleTests<QGuiApplication>(argc, argv); }
