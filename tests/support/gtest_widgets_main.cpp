// Widgets and printers.
#include <QApplication>

#include "tests/support/gtest_main.h"

int main(int argc, char** argv) { return fortema::test::runGoogleTests<QApplication>(argc, argv); }
