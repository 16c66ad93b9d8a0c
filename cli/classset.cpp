// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "classset.h"

#include "commands.h"
#include "exercisegenerator.h"
#include "moodlexml.h"
#include "networkpicture.h"
#include "output.h"
#include "projectfile.h"
#include "sheets.h"
#include "solution.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <variant>
#include <vector>

namespace cli {

namespace {

constexpr int kWritten = 0;
constexpr int kRefused = 2;

struct Variant {
    engine::GeneratedExercise exercise;
    QString stem; // "07-seed1006"
    worksheets::WorkedSolution solution;
    QByteArray picture;
};

QString settingsText(const engine::ExerciseSettings &settings)
{
    QString text = QStringLiteral("%1 กิจกรรม, เส้นทางวิกฤต %2 เส้น")
                       .arg(settings.activities)
                       .arg(settings.criticalPaths);
    if (settings.jointStep)
        text += QStringLiteral(", เร่งพร้อมกันหลายกิจกรรม");
    if (settings.greedyOverpays)
        text += QStringLiteral(", วิธีในตำราจ่ายเกิน");
    return text;
}

bool writeFile(const QString &path, const QByteArray &bytes, QString &problem)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush()) {
        problem = QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), file.errorString());
        return false;
    }
    return true;
}

// Why the set cannot go to `folder`, or nothing when it can: the folder must be new or empty
// and its parent a folder we may write in.
QString folderProblem(const QString &folder)
{
    const QFileInfo info(folder);
    const QString shown = QDir::toNativeSeparators(folder);
    if (info.exists()) {
        if (!info.isDir())
            return QStringLiteral("--out: %1 exists and is not a folder").arg(shown);
        if (!QDir(folder).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden
                                  | QDir::System))
            return QStringLiteral("--out: %1 already holds files; name a new or empty folder")
                .arg(shown);
    }
    const QFileInfo parent(info.absolutePath());
    if (!parent.isDir())
        return QStringLiteral("--out: the folder %1 does not exist")
            .arg(QDir::toNativeSeparators(info.absolutePath()));
    if (!parent.isWritable())
        return QStringLiteral("--out: the folder %1 cannot be written in")
            .arg(QDir::toNativeSeparators(info.absolutePath()));
    return {};
}

} // namespace

QByteArray answerKey(const engine::GeneratedExercise &exercise)
{
    const engine::Project &project = exercise.project;
    const engine::Network network(project);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    Output output(&buffer);
    output.write("{\n\"seed\": ");
    output.write(QByteArray::number(static_cast<qulonglong>(exercise.seed)));
    output.write(",\n\"target\": ");
    output.writeNumber(exercise.target);
    output.write(",\n\"cpm\": ");
    writeCpm(output, project, network, static_cast<int>(worksheets::kMaxListedPaths), true);
    output.write(",\n\"crash_greedy\": ");
    writeCrash(output, project, network, exercise.target, Method::Greedy, true);
    output.write(",\n\"crash_optimal\": ");
    writeCrash(output, project, network, exercise.target, Method::Optimal, true);
    output.write(",\n\"curve\": ");
    writeCurve(output, project, network, std::nullopt, true);
    output.write("}\n");
    output.finish();
    return buffer.data();
}

int writeClassSet(const Arguments &parsed, const std::function<void(const QString &)> &say)
{
    const QString problem = folderProblem(parsed.outFolder);
    if (!problem.isEmpty()) {
        say(QStringLiteral("crashkit-cli: generate: %1").arg(problem));
        return kRefused;
    }

    // Every variant is made before anything is written, so a refused set leaves no trace.
    const engine::ExerciseSettings settings {parsed.activities, parsed.criticalPaths,
                                             parsed.jointStep, parsed.greedyOverpays};
    const int digits = static_cast<int>(QString::number(parsed.count).size());
    std::vector<Variant> variants;
    variants.reserve(static_cast<std::size_t>(parsed.count));
    qint64 seed = *parsed.seed;
    int refusedInARow = 0;
    while (static_cast<int>(variants.size()) < parsed.count) {
        engine::ExerciseResult result
            = engine::generateExercise(static_cast<std::uint64_t>(seed), settings);
        if (auto *refusal = std::get_if<engine::ExerciseRefusal>(&result)) {
            const QString why = QString::fromStdString(refusal->message);
            // Settings out of range refuse every seed alike: no use trying the next.
            if (refusal->reason != engine::ExerciseRefusalReason::NotFound) {
                say(QStringLiteral("crashkit-cli: generate: %1; nothing was written").arg(why));
                return kRefused;
            }
            if (++refusedInARow == kMaxRefusedSeedsInARow) {
                say(QStringLiteral("crashkit-cli: generate: seed %1: %2").arg(seed).arg(why));
                say(QStringLiteral("crashkit-cli: generate: the class set is refused (%1 seeds "
                                   "in a row gave no exercise); nothing was written")
                        .arg(refusedInARow));
                return kRefused;
            }
            say(QStringLiteral("crashkit-cli: generate: seed %1 skipped: %2").arg(seed).arg(why));
            ++seed;
            continue;
        }
        refusedInARow = 0;
        Variant variant;
        variant.exercise = std::move(std::get<engine::GeneratedExercise>(result));
        variant.stem = QStringLiteral("%1-seed%2")
                           .arg(static_cast<int>(variants.size()) + 1, digits, 10, QLatin1Char('0'))
                           .arg(seed);
        variants.push_back(std::move(variant));
        ++seed;
    }

    const QString setName = QStringLiteral("การเร่งโครงการ เลขชุด %1–%2 (%3)")
                                .arg(variants.front().exercise.seed)
                                .arg(variants.back().exercise.seed)
                                .arg(settingsText(settings));
    const QFileInfo out(parsed.outFolder);
    QTemporaryDir staging(out.absolutePath() + QStringLiteral("/.") + out.fileName()
                          + QStringLiteral("-XXXXXX"));
    if (!staging.isValid()) {
        say(QStringLiteral("crashkit-cli: generate: --out: %1").arg(staging.errorString()));
        return kRefused;
    }
    QString failure;
    auto put = [&](const QString &name, const QByteArray &bytes) {
        return failure.isEmpty() && writeFile(staging.filePath(name), bytes, failure);
    };
    std::vector<worksheets::QuizVariant> quiz;
    for (std::size_t k = 0; k < variants.size(); ++k) {
        Variant &variant = variants[k];
        const engine::Project &project = variant.exercise.project;
        variant.solution = worksheets::solve(project, variant.exercise.target);
        const worksheets::SheetHeading heading {
            setName, QStringLiteral("ชุดที่ %1 (เลขชุด %2)").arg(k + 1).arg(variant.exercise.seed)};
        put(variant.stem + QStringLiteral(".crashkit"),
            io::write(project, io::FileFormat::Crashkit));
        put(variant.stem + QStringLiteral("-key.json"), answerKey(variant.exercise));
        put(variant.stem + QStringLiteral("-worksheet.pdf"),
            worksheets::worksheetPdf(heading, project, variant.solution));
        put(variant.stem + QStringLiteral("-answers.pdf"),
            worksheets::answerSheetPdf(heading, project, variant.solution));
        variant.picture = worksheets::networkPng(
            project, worksheets::sheetLayout(variant.solution.network, variant.solution.schedule),
            variant.solution.schedule, worksheets::NodeTimes::None);
        quiz.push_back({QStringLiteral("%1 %2").arg(variant.stem, settingsText(settings)), &project,
                        &variant.solution, variant.picture,
                        QStringLiteral("network-%1.png").arg(variant.stem)});
    }
    put(QStringLiteral("moodle.xml"), worksheets::moodleQuestionBank(setName, quiz));
    if (!failure.isEmpty()) {
        say(QStringLiteral("crashkit-cli: generate: %1; nothing was written").arg(failure));
        return kRefused;
    }
    // An empty folder given as --out is replaced by the finished one.
    if (out.exists() && !QDir().rmdir(out.absoluteFilePath())) {
        say(QStringLiteral("crashkit-cli: generate: --out: %1 could not be replaced")
                .arg(QDir::toNativeSeparators(parsed.outFolder)));
        return kRefused;
    }
    if (!QDir().rename(staging.path(), out.absoluteFilePath())) {
        say(QStringLiteral("crashkit-cli: generate: --out: the set could not be moved to %1")
                .arg(QDir::toNativeSeparators(parsed.outFolder)));
        return kRefused;
    }
    staging.setAutoRemove(false);
    // A temporary folder is made for its owner only; the set is for the class.
    QFile::setPermissions(out.absoluteFilePath(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
                              | QFileDevice::ReadGroup | QFileDevice::ExeGroup
                              | QFileDevice::ReadOther | QFileDevice::ExeOther);
    say(QStringLiteral("%1 %2 (seeds %3 to %4) written to %5")
            .arg(variants.size())
            .arg(variants.size() == 1 ? QStringLiteral("variant") : QStringLiteral("variants"))
            .arg(variants.front().exercise.seed)
            .arg(variants.back().exercise.seed)
            .arg(QDir::toNativeSeparators(parsed.outFolder)));
    return kWritten;
}

} // namespace cli
