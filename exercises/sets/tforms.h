// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "exercisewindow.h"
#include "sets.h"

// The five practice-set windows: the shared window bound to each set's data.
class TForm3 : public ExerciseWindow {
    Q_OBJECT
public:
    TForm3() : ExerciseWindow(set1Definition()) { }
};

class TForm4 : public ExerciseWindow {
    Q_OBJECT
public:
    TForm4() : ExerciseWindow(set2Definition()) { }
};

class TForm5 : public ExerciseWindow {
    Q_OBJECT
public:
    TForm5() : ExerciseWindow(set3Definition()) { }
};

class TForm6 : public ExerciseWindow {
    Q_OBJECT
public:
    TForm6() : ExerciseWindow(set4Definition()) { }
};

class TForm7 : public ExerciseWindow {
    Q_OBJECT
public:
    TForm7() : ExerciseWindow(set5Definition()) { }
};
