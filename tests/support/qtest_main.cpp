// Runs every registered window test under a fixed locale: C by default, Italian when
// FORTEMA_TEST_LOCALE is "it", so that the number texts are checked with both separators.

#include <QApplication>
#include <QLocale>
#include <QTest>

#include "tests/support/test_registry.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (qgetenv("FORTEMA_TEST_LOCALE") == "it") {
        QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    } else {
        QLocale::setDefault(QLocale::c());
    }
    int failures = 0;
    for (const auto& factory : fortema::ui::test::testFactories()) {
        const auto test = factory();
        failures += QTest::qExec(test.get(), argc, argv);
    }
    return failures == 0 ? 0 : 1;
}
