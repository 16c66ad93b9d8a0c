// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "trainerentry.h"

#include "projectwindow.h"
#include "trainerwindow.h"

namespace {

QMainWindow *create()
{
    return new TrainerWindow;
}

bool openFile(QMainWindow *trainer, const QString &path)
{
    return static_cast<TrainerWindow *>(trainer)->openFile(path);
}

bool startProject(QMainWindow *trainer, const engine::Project &project)
{
    return static_cast<TrainerWindow *>(trainer)->startProject(project);
}

bool confirmClose(QMainWindow *trainer)
{
    return static_cast<TrainerWindow *>(trainer)->confirmClose();
}

void onPractise(QMainWindow *projectWindow, std::function<void(const engine::Project &)> practise)
{
    QObject::connect(static_cast<ProjectWindow *>(projectWindow), &ProjectWindow::practiseRequested,
                     projectWindow, std::move(practise));
}

} // namespace

TrainerEntryPoints linkedTrainerWindow()
{
    return {&create, &openFile, &startProject, &confirmClose, &onPractise};
}
