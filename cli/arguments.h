// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "projectfile.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <optional>
#include <stdexcept>

namespace cli {

// A command line the tool cannot act on; its message says which argument and why.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A class set (generate --out): at most this many variants; a set stops, refused, after this
// many seeds in a row that the generator refuses; and the seeds it may use after --seed.
inline constexpr int kMaxClassSetCount = 500;
inline constexpr int kMaxRefusedSeedsInARow = 10;
inline constexpr qint64 kMaxClassSetSeeds = qint64 {kMaxClassSetCount} * kMaxRefusedSeedsInARow;

enum class Command {
    Help,
    Version,
    Cpm,
    Crash,
    Curve,
    Export,
    ExportSet,
    Generate,
    Pert,
    Grade,
    Aoa
};
enum class Method { Greedy, Optimal };

struct Arguments {
    Command command = Command::Help;
    QString file; // "-" for standard input
    QString answersFile; // grade: the student's answers
    // --format: the form of standard input; for generate, the form written (CSV or .crashkit)
    std::optional<io::FileFormat> format;
    bool json = false;
    std::optional<qint64> target; // crash, grade, export: --target N (whole time units)
    Method method = Method::Greedy;
    bool methodGiven = false; // --method was given (else optimal for links other than plain)
    std::optional<qint64> indirectCostPerUnit; // curve: --indirect-cost C (satang)
    int setNumber = 0; // export-set N
    bool toMspdi = false; // export: --to mspdi, the only form written so far
    std::optional<QDate> start; // export: --start YYYY-MM-DD; without it, today
    int pathLimit = 100; // cpm: --paths N, critical paths listed at most
    std::optional<double> byDay; // pert: --by DAY, time units from the start (0 or more)
    std::optional<double> probability; // pert: --probability P, 0 < P < 1
    std::optional<qint64> seed; // generate: --seed S (0 or more)
    int activities = 8; // generate: --activities N
    int criticalPaths = 1; // generate: --critical-paths K
    bool jointStep = false; // generate: --joint-step
    bool greedyOverpays = false; // generate: --greedy-overpays
    // generate --out DIR [--count C]: a class set of C variants (seeds S, S+1, ...) in DIR
    QString outFolder;
    int count = 1;
};

// Reads the arguments after the program's name. Throws UsageError naming the argument.
Arguments parseArguments(const QStringList &arguments);

// The text --help prints.
QString helpText();

} // namespace cli
