// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

class QString;

class TForm1;
class TForm2;
class TForm3;
class TForm4;
class TForm5;
class TForm6;
class TForm7;
class QMainWindow;
struct ProjectWindowEntryPoints;
struct TrainerEntryPoints;

// The program's seven windows, one instance each, alive from start-up to the end.
extern TForm1 *Form1; // main window
extern TForm2 *Form2; // primer
extern TForm3 *Form3; // practice set 1
extern TForm4 *Form4; // practice set 2
extern TForm5 *Form5; // practice set 3
extern TForm6 *Form6; // practice set 4
extern TForm7 *Form7; // practice set 5

// "โครงการของฉัน", the own-project window: built when it is first asked for, from a module
// loaded then (see projectwindowentry.h), so that it costs the program's start-up nothing;
// destroyForms() deletes it with the others. Null when the module cannot be loaded (the
// reason was shown).
QMainWindow *projectWindow();
// Programs that link the window (tests, tools) hand its entry points over instead of loading
// the module; before the window is first asked for.
void useLinkedProjectWindow(const ProjectWindowEntryPoints &entry);
// Shows the own-project window and opens the file in it (a file named on the command line
// or double-clicked on the desktop); false when it was not opened (the reason was shown).
bool openInProjectWindow(const QString &path);

// True when the program may end as far as the own-project window is concerned: it was never
// opened, has no unsaved changes, or the student saved or discarded them when asked.
bool projectWindowMayClose();

// "ฝึกทำเอง", in the same module as the own-project window.
QMainWindow *trainerWindow();
void useLinkedTrainerWindow(const TrainerEntryPoints &entry);
bool openInTrainerWindow(const QString &path);
bool trainerWindowMayClose();

// Creates the windows in the order Form1 ... Form7, all hidden; Form1 is the main window.
void createForms();
// Deletes them again (tests that build the forms more than once).
void destroyForms();
