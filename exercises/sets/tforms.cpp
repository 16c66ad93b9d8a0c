// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

// The window classes are header-only; this file gives them their meta-object code.
#include "tforms.h"
