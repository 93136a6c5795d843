// The page-script tests: under the C locale by default; with FORTEMA_TEST_LOCALE=it the C
// library runs under an Italian locale, whose decimal comma must not reach the number texts.

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <clocale>
#include <cstdlib>
#include <string_view>

int main(int argc, char** argv) {
    // Test discovery runs the program outside CTest's environment.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const char* locale = std::getenv("FORTEMA_TEST_LOCALE");
    if (locale != nullptr && std::string_view(locale) == "it") {
        std::setlocale(LC_ALL, "it_IT.UTF-8");
    } else {
        std::setlocale(LC_ALL, "C");
    }
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
