// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "printerchooser.h"

#include <QPrintDialog>
#include <QPrinter>

namespace platform {
namespace {

PrinterChooser &installedChooser()
{
    static PrinterChooser instance;
    return instance;
}

} // namespace

void setPrinterChooser(PrinterChooser chooser)
{
    installedChooser() = std::move(chooser);
}

bool choosePrinter(QWidget *parent, QPrinter &printer)
{
    if (installedChooser())
        return installedChooser()(printer);
    QPrintDialog dialog(&printer, parent);
    dialog.setObjectName(QStringLiteral("printDialog"));
    return dialog.exec() == QDialog::Accepted;
}

} // namespace platform
