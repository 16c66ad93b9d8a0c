// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "forms.h"

#include "messagebox.h"
#include "projectwindowentry.h"
#include "tform1.h"
#include "tform2.h"
#include "tforms.h"
#include "trainerentry.h"
#include "windowmanagement.h"

TForm1 *Form1 = nullptr;
TForm2 *Form2 = nullptr;
TForm3 *Form3 = nullptr;
TForm4 *Form4 = nullptr;
TForm5 *Form5 = nullptr;
TForm6 *Form6 = nullptr;
TForm7 *Form7 = nullptr;

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>
#include <QMainWindow>

#include <optional>

namespace {

QMainWindow *ownProjectWindow = nullptr;
QMainWindow *ownTrainerWindow = nullptr;
std::optional<ProjectWindowEntryPoints> projectWindowEntry;
std::optional<TrainerEntryPoints> trainerEntry;

// The module next to the program as the build and the installation place it.
QString projectWindowModulePath()
{
    return QDir(QCoreApplication::applicationDirPath())
        .absoluteFilePath(QStringLiteral(CRASHKIT_PROJECT_MODULE_DIR "/crashkit-projectwindow"));
}

// Loads the module of the windows once (the linked windows of tests and tools need none).
QLibrary *windowsModule()
{
    if (!CRASHKIT_PROJECT_WINDOW_BUILT) {
        platform::showApplicationError(
            QStringLiteral("This copy of crashkit was built without the window \"โครงการของฉัน\" "
                           "(it needs Qt Charts and Qt SVG); the practice sets are all here."));
        return nullptr;
    }
    // Loaded once and kept for the rest of the run; a failure is said, not hidden.
    static QLibrary module;
    if (module.fileName().isEmpty())
        module.setFileName(projectWindowModulePath());
    return &module;
}

const TrainerEntryPoints *trainerEntryPoints()
{
    if (trainerEntry)
        return &*trainerEntry;
    QLibrary *module = windowsModule();
    if (!module)
        return nullptr;
    using EntryFunction = const TrainerEntryPoints *(*)();
    auto entry = reinterpret_cast<EntryFunction>(module->resolve(kTrainerEntrySymbol));
    if (!entry) {
        platform::showApplicationError(
            QStringLiteral("The window \"ฝึกทำเอง\" could not be loaded: %1")
                .arg(module->errorString()));
        return nullptr;
    }
    trainerEntry = *entry();
    return &*trainerEntry;
}

const ProjectWindowEntryPoints *entryPoints()
{
    if (projectWindowEntry)
        return &*projectWindowEntry;
    QLibrary *module = windowsModule();
    if (!module)
        return nullptr;
    using EntryFunction = const ProjectWindowEntryPoints *(*)();
    auto entry = reinterpret_cast<EntryFunction>(module->resolve(kProjectWindowEntrySymbol));
    if (!entry) {
        platform::showApplicationError(
            QStringLiteral("The window \"โครงการของฉัน\" could not be loaded: %1")
                .arg(module->errorString()));
        return nullptr;
    }
    projectWindowEntry = *entry();
    return &*projectWindowEntry;
}

} // namespace

void useLinkedProjectWindow(const ProjectWindowEntryPoints &entry)
{
    projectWindowEntry = entry;
}

QMainWindow *projectWindow()
{
    if (!ownProjectWindow)
        if (const ProjectWindowEntryPoints *entry = entryPoints()) {
            ownProjectWindow = entry->create();
            // "ฝึกกับโครงการนี้" opens the trainer on the project.
            if (const TrainerEntryPoints *trainer = trainerEntryPoints())
                trainer->onPractise(ownProjectWindow, [](const engine::Project &project) {
                    if (QMainWindow *window = trainerWindow()) {
                        platform::showModeless(window);
                        trainerEntry->startProject(window, project);
                    }
                });
        }
    return ownProjectWindow;
}

void useLinkedTrainerWindow(const TrainerEntryPoints &entry)
{
    trainerEntry = entry;
}

QMainWindow *trainerWindow()
{
    if (!ownTrainerWindow)
        if (const TrainerEntryPoints *entry = trainerEntryPoints())
            ownTrainerWindow = entry->create();
    return ownTrainerWindow;
}

bool openInTrainerWindow(const QString &path)
{
    QMainWindow *window = trainerWindow();
    if (!window)
        return false;
    platform::showModeless(window);
    return trainerEntry->openFile(window, path);
}

bool trainerWindowMayClose()
{
    return !ownTrainerWindow || trainerEntry->confirmClose(ownTrainerWindow);
}

bool projectWindowMayClose()
{
    return !ownProjectWindow || projectWindowEntry->confirmClose(ownProjectWindow);
}

bool openInProjectWindow(const QString &path)
{
    QMainWindow *window = projectWindow();
    if (!window)
        return false;
    platform::showModeless(window);
    return projectWindowEntry->openFile(window, path);
}

void createForms()
{
    Form1 = new TForm1;
    Form2 = new TForm2;
    Form3 = new TForm3;
    Form4 = new TForm4;
    Form5 = new TForm5;
    Form6 = new TForm6;
    Form7 = new TForm7;
}

void destroyForms()
{
    delete ownTrainerWindow;
    ownTrainerWindow = nullptr;
    delete ownProjectWindow;
    ownProjectWindow = nullptr;
    delete Form7;
    delete Form6;
    delete Form5;
    delete Form4;
    delete Form3;
    delete Form2;
    delete Form1;
    Form1 = nullptr;
    Form2 = nullptr;
    Form3 = nullptr;
    Form4 = nullptr;
    Form5 = nullptr;
    Form6 = nullptr;
    Form7 = nullptr;
}
