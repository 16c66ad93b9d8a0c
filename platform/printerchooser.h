// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include <functional>

class QPrinter;
class QWidget;

namespace platform {

// Tests may answer the print dialog without running it: the chooser sets the printer up (a
// PDF file as its output, say) and returns whether to print. With no chooser installed the
// toolkit's print dialog runs.
using PrinterChooser = std::function<bool(QPrinter &)>;
void setPrinterChooser(PrinterChooser chooser);

// Runs the print dialog for the printer modally; true when the user chose to print.
bool choosePrinter(QWidget *parent, QPrinter &printer);

} // namespace platform
