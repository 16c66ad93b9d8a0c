// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "setdefinition.h"

// The five practice sets' data.
const SetDefinition &set1Definition();
const SetDefinition &set2Definition();
const SetDefinition &set3Definition();
const SetDefinition &set4Definition();
const SetDefinition &set5Definition();

// Set n, n = 1..5.
const SetDefinition &setDefinition(int number);
