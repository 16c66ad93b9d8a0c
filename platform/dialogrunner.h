// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include <functional>

class QDialog;

namespace platform {

// Tests may answer a dialog of the program's own (its controls filled in, accepted or
// rejected) without running its event loop; the runner returns QDialog::Accepted or
// QDialog::Rejected. With no runner installed the dialog runs modally.
using DialogRunner = std::function<int(QDialog &)>;
void setDialogRunner(DialogRunner runner);

// Runs the dialog modally (or through the installed runner); its result.
int runDialog(QDialog &dialog);

} // namespace platform
