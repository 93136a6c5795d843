#pragma once

// The program's current printer: the system's default printer at high resolution until the
// printer setup chooses another. Printing code asks for it at the moment it prints.
// Users link Qt6::PrintSupport.

#include <QPrinter>
#include <memory>

namespace fortema::drawing {

// Created on first use.
QPrinter& currentPrinter();
// Replaces the current printer (a PDF printer in tests, say); nullptr goes back to the
// system's default on the next use. References from currentPrinter() die with the old one.
void setCurrentPrinter(std::unique_ptr<QPrinter> printer);

}  // namespace fortema::drawing
