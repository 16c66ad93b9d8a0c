// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "dialogrunner.h"

#include <QDialog>

namespace platform {
namespace {

DialogRunner &installedRunner()
{
    static DialogRunner instance;
    return instance;
}

} // namespace

void setDialogRunner(DialogRunner runner)
{
    installedRunner() = std::move(runner);
}

int runDialog(QDialog &dialog)
{
    if (installedRunner())
        return installedRunner()(dialog);
    return dialog.exec();
}

} // namespace platform
