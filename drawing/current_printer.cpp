#include "drawing/current_printer.h"

#include <QCoreApplication>
#include <memory>

namespace fortema::drawing {

namespace {

std::unique_ptr<QPrinter>& slot() {
    static std::unique_ptr<QPrinter> printer;
    return printer;
}

// A printer must go before the application object does, not at static destruction.
void dropPrinter() { slot().reset(); }

void watchApplicationEnd() {
    static bool registered = false;
    if (registered) return;
    registered = true;
    qAddPostRoutine(dropPrinter);
}

}  // namespace

QPrinter& currentPrinter() {
    if (!slot()) {
        watchApplicationEnd();
        slot() = std::make_unique<QPrinter>(QPrinter::HighResolution);
    }
    return *slot();
}

}  // namespace fortema::drawing
