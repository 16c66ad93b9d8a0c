// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "filechooser.h"

#include <QFileDialog>

namespace platform {
namespace {

FileChooser &installedChooser()
{
    static FileChooser instance;
    return instance;
}

} // namespace

void setFileChooser(FileChooser chooser)
{
    installedChooser() = std::move(chooser);
}

QString chooseFile(QWidget *parent, const FileRequest &request)
{
    if (installedChooser())
        return installedChooser()(request);
    if (request.kind == FileRequest::Kind::Open)
        return QFileDialog::getOpenFileName(parent, request.caption, request.suggestedPath,
                                            request.filter);
    return QFileDialog::getSaveFileName(parent, request.caption, request.suggestedPath,
                                        request.filter);
}

} // namespace platform
