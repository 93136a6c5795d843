#pragma once

// The main function of the GoogleTest executables that need a Qt application: on the offscreen
// platform, and under the C locale by default; with FORTEMA_TEST_LOCALE=it the C library runs
// under an Italian locale, whose decimal comma must not reach the number texts.

#include <gtest/gtest.h>

#include <QtGlobal>
#include <clocale>
#include <cstdlib>
#include <string_view>

namespace fortema::test {

template <typename Application>
int runGoogleTests(int argc, char** argv) {
    // Test discovery runs the program outside CTest's environment.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    Application app(argc, argv);
    const char* locale = std::getenv("FORTEMA_TEST_LOCALE");
    if (locale != nullptr && std::string_view(locale) == "it") {
        std::setlocale(LC_ALL, "it_IT.UTF-8");
    } else {
        std::setlocale(LC_ALL, "C");
    }
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

}  // namespace fortema::test
