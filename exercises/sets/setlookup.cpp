// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "sets.h"

#include <stdexcept>
#include <string>

const SetDefinition &setDefinition(int number)
{
    switch (number) {
    case 1:
        return set1Definition();
    case 2:
        return set2Definition();
    case 3:
        return set3Definition();
    case 4:
        return set4Definition();
    case 5:
        return set5Definition();
    default:
        throw std::out_of_range("no practice set " + std::to_string(number)
                                + "; the sets are numbered 1 to 5");
    }
}
