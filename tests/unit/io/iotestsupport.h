// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "problemtext.h"
#include "projectdifference.h"
#include "projectfile.h"

#include <gtest/gtest.h>

#include <string>

namespace io {
// Problems print as the user reads them.
inline void PrintTo(const Problem &problem, std::ostream *out)
{
    *out << englishText(problem).toStdString();
}
} // namespace io

namespace iotest {

inline io::ReadResult readText(const std::string &text, io::FileFormat format = io::FileFormat::Csv)
{
    const QString name = format == io::FileFormat::Csv ? QStringLiteral("plan.csv")
                                                       : QStringLiteral("plan.crashkit");
    return io::read(QByteArray(text.data(), static_cast<qsizetype>(text.size())), name, format);
}

// The kept problem of that kind, or nullptr.
inline const io::Problem *findProblem(const io::ProblemList &problems, io::FileProblemKind kind)
{
    for (const io::Problem &problem : problems.kept()) {
        if (problem.kind == kind)
            return &problem;
    }
    return nullptr;
}

inline const io::Problem *findEngineProblem(const io::ProblemList &problems,
                                            engine::ProblemKind kind)
{
    for (const io::Problem &problem : problems.kept()) {
        if (problem.kind == io::FileProblemKind::Engine && problem.engineKind == kind)
            return &problem;
    }
    return nullptr;
}

} // namespace iotest
