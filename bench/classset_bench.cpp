// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

// Class sets: how long a teacher waits per variant. For each row of settings, crashkit-cli
// generate --count N --out DIR is run as a child process (wall time per variant, start-up
// included), and the same variants are made in this process part by part: the exercise,
// its worked solution, the worksheet PDF, the answer sheet PDF, the network picture and the
// Moodle question bank.
//
// Usage: classset_bench [--count N] (default 100)

#include "exercisegenerator.h"
#include "moodlexml.h"
#include "networkpicture.h"
#include "sheets.h"
#include "solution.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>
#include <cstring>
#include <string>
#include <variant>
#include <vector>

namespace {

struct Row {
    const char *label;
    engine::ExerciseSettings settings;
    QStringList options;
};

double milliseconds(const QElapsedTimer &timer)
{
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char *argv[])
{
    int count = 100;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--count") == 0)
            count = std::atoi(argv[i + 1]);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);

    const Row rows[] = {
        {"8 activities, 1 path", {8, 1, false, false}, {}},
        {"14 activities, 2 paths",
         {14, 2, false, false},
         {QStringLiteral("--activities=14"), QStringLiteral("--critical-paths=2")}},
        {"20 activities, 3 paths, joint step",
         {20, 3, true, false},
         {QStringLiteral("--activities=20"), QStringLiteral("--critical-paths=3"),
          QStringLiteral("--joint-step")}},
    };
    std::printf("%d variants a row; milliseconds per variant\n", count);
    std::printf("%-36s %9s | %9s %9s %9s %9s %9s %9s\n", "settings", "cli", "exercise", "solution",
                "worksheet", "answers", "picture", "bank");
    for (const Row &row : rows) {
        QTemporaryDir dir;
        const QString out = dir.filePath(QStringLiteral("set"));
        QElapsedTimer timer;
        timer.start();
        QProcess cli;
        cli.start(QStringLiteral(CRASHKIT_CLI),
                  QStringList {QStringLiteral("generate"), QStringLiteral("--seed=1"),
                               QStringLiteral("--count"), QString::number(count),
                               QStringLiteral("--out"), out}
                      + row.options);
        cli.waitForFinished(-1);
        const double cliMs = milliseconds(timer);
        if (cli.exitCode() != 0) {
            std::fprintf(stderr, "%s", cli.readAllStandardError().constData());
            return 1;
        }

        double parts[6] = {};
        std::vector<engine::GeneratedExercise> exercises;
        std::vector<worksheets::WorkedSolution> solutions;
        std::vector<QByteArray> pictures;
        std::uint64_t seed = 1;
        while (static_cast<int>(exercises.size()) < count) {
            timer.restart();
            engine::ExerciseResult result = engine::generateExercise(seed++, row.settings);
            parts[0] += milliseconds(timer);
            if (auto *exercise = std::get_if<engine::GeneratedExercise>(&result))
                exercises.push_back(std::move(*exercise));
        }
        std::size_t bytes = 0;
        solutions.reserve(exercises.size());
        for (const engine::GeneratedExercise &exercise : exercises) {
            timer.restart();
            solutions.push_back(worksheets::solve(exercise.project, exercise.target));
            parts[1] += milliseconds(timer);
            const worksheets::SheetHeading heading {QStringLiteral("bench"), QStringLiteral("1")};
            timer.restart();
            bytes += worksheets::worksheetPdf(heading, exercise.project, solutions.back()).size();
            parts[2] += milliseconds(timer);
            timer.restart();
            bytes += worksheets::answerSheetPdf(heading, exercise.project, solutions.back()).size();
            parts[3] += milliseconds(timer);
            timer.restart();
            pictures.push_back(worksheets::networkPng(
                exercise.project,
                worksheets::sheetLayout(solutions.back().network, solutions.back().schedule),
                solutions.back().schedule, worksheets::NodeTimes::None));
            parts[4] += milliseconds(timer);
        }
        std::vector<worksheets::QuizVariant> quiz;
        for (std::size_t k = 0; k < exercises.size(); ++k)
            quiz.push_back({QString::number(k), &exercises[k].project, &solutions[k], pictures[k],
                            QStringLiteral("n%1.png").arg(k)});
        timer.restart();
        bytes += worksheets::moodleQuestionBank(QStringLiteral("bench"), quiz).size();
        parts[5] += milliseconds(timer);
        std::printf("%-36s %9.2f | %9.2f %9.2f %9.2f %9.2f %9.2f %9.2f   (%zu bytes)\n", row.label,
                    cliMs / count, parts[0] / count, parts[1] / count, parts[2] / count,
                    parts[3] / count, parts[4] / count, parts[5] / count, bytes);
    }
    return 0;
}
