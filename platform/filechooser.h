// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace platform {

// What a file dialog was asked; handed to an installed chooser instead of running the dialog.
struct FileRequest {
    enum class Kind { Open, Save } kind = Kind::Open;
    QString caption;
    QString suggestedPath; // the folder or the file name proposed
    QString filter; // "โครงการ (*.crashkit *.csv)"
};

// Tests may choose files without running a dialog; the chooser returns the path, or an empty
// string for a cancelled dialog. With no chooser installed the toolkit's dialog runs.
using FileChooser = std::function<QString(const FileRequest &)>;
void setFileChooser(FileChooser chooser);

// Runs the request as a modal file dialog; the chosen path, empty when cancelled.
QString chooseFile(QWidget *parent, const FileRequest &request);

} // namespace platform
