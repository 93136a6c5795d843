#pragma once

// The program's current printer: the system's default printer at high resolution until the
// printer setup changes its settings. Printing code asks for it at the moment it prints.
// Users link Qt6::PrintSupport.

#include <QPrinter>

namespace fortema::drawing {

// Created on first use, at high resolution.
QPrinter& currentPrinter();

}  // namespace fortema::drawing
