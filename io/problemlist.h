// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "problem.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace io {

// The problems of one read or save, in the order found. Only the first kKept are kept, so
// that a file of a million bad rows cannot take gigabytes; the rest are only counted.
class ProblemList {
public:
    static constexpr std::size_t kKept = 200;

    void add(Problem problem);
    bool isEmpty() const { return m_count == 0; }
    // Every problem found, kept or not.
    std::int64_t count() const { return m_count; }
    const std::vector<Problem> &kept() const { return m_problems; }
    // Orders the kept problems by line, those without a line first; otherwise as found.
    void sortByLine();

    // The problems in English, one a line; at most `shown` (> 0) of them, then "and N more".
    QString message(int shown = 20) const;

private:
    std::vector<Problem> m_problems;
    std::int64_t m_count = 0;
};

} // namespace io
