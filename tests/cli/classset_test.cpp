// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

// generate --out: a class set on disk, read back as a teacher and Moodle would read it, and
// checked against the engine run here on the projects read back.

#include "clitestsupport.h"
#include "exercisegenerator.h"
#include "greedy.h"
#include "leastcost.h"
#include "moodlexml.h"
#include "projectfile.h"
#include "schedule.h"

#include <QDir>
#include <QJsonArray>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <set>
#include <variant>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace {

using clitest::Cli;
using clitest::Outcome;
using clitest::runCli;

QStringList setArguments(const QString &folder, int seed, int count, const QStringList &options)
{
    return QStringList {QStringLiteral("generate"),
                        QStringLiteral("--seed"),
                        QString::number(seed),
                        QStringLiteral("--count"),
                        QString::number(count),
                        QStringLiteral("--out"),
                        folder}
    + options;
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll();
}

// The files of the set by their name.
QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

// Every critical path of the schedule, found from first principles: chains of critical
// activities, each starting when the one before finishes, from an activity without
// predecessors to one without successors.
std::set<QString> criticalPathsByHand(const engine::Project &project,
                                      const engine::Schedule &schedule)
{
    std::map<std::string, std::size_t> index;
    for (std::size_t k = 0; k < project.activities.size(); ++k)
        index[project.activities[k].id] = k;
    std::vector<std::vector<std::size_t>> successors(project.activities.size());
    for (std::size_t k = 0; k < project.activities.size(); ++k)
        for (const std::string &p : project.activities[k].predecessors)
            successors[index.at(p)].push_back(k);
    std::set<QString> paths;
    std::function<void(std::size_t, QString)> walk = [&](std::size_t k, QString path) {
        path += QString::fromStdString(project.activities[k].id);
        if (schedule.earliestFinish[k] == schedule.projectDuration && successors[k].empty())
            paths.insert(path);
        for (const std::size_t next : successors[k])
            if (schedule.isCritical(static_cast<int>(next))
                && schedule.earliestStart[next] == schedule.earliestFinish[k])
                walk(next, path + u'-');
    };
    for (std::size_t k = 0; k < project.activities.size(); ++k)
        if (project.activities[k].predecessors.empty() && schedule.isCritical(static_cast<int>(k)))
            walk(k, QString());
    return paths;
}

struct ClozeQuestion {
    QString name, text, fileName, fileEncoding;
    QByteArray file;
};

// The cloze questions of a Moodle XML bank, read the way its importer reads them; the
// category's path in `category`.
std::vector<ClozeQuestion> readBank(const QByteArray &xml, QString &category)
{
    std::vector<ClozeQuestion> questions;
    QXmlStreamReader reader(xml);
    EXPECT_TRUE(reader.readNextStartElement());
    EXPECT_EQ(reader.name(), QLatin1String("quiz"));
    while (reader.readNextStartElement()) {
        EXPECT_EQ(reader.name(), QLatin1String("question"));
        const QString type = reader.attributes().value(QLatin1String("type")).toString();
        ClozeQuestion question;
        while (reader.readNextStartElement()) {
            const QString element = reader.name().toString();
            if (element == QLatin1String("category") || element == QLatin1String("name")) {
                reader.readNextStartElement();
                EXPECT_EQ(reader.name(), QLatin1String("text"));
                (element == QLatin1String("name") ? question.name : category)
                    = reader.readElementText();
                reader.skipCurrentElement();
            } else if (element == QLatin1String("questiontext")) {
                EXPECT_EQ(reader.attributes().value(QLatin1String("format")),
                          QLatin1String("html"));
                while (reader.readNextStartElement()) {
                    if (reader.name() == QLatin1String("text")) {
                        question.text = reader.readElementText();
                    } else {
                        EXPECT_EQ(reader.name(), QLatin1String("file"));
                        question.fileName
                            = reader.attributes().value(QLatin1String("name")).toString();
                        question.fileEncoding
                            = reader.attributes().value(QLatin1String("encoding")).toString();
                        question.file = QByteArray::fromBase64(reader.readElementText().toLatin1());
                    }
                }
            } else {
                reader.skipCurrentElement();
            }
        }
        if (type == QLatin1String("cloze"))
            questions.push_back(question);
        else
            EXPECT_EQ(type, QLatin1String("category"));
    }
    EXPECT_FALSE(reader.hasError()) << reader.errorString().toStdString();
    return questions;
}

// A Cloze answer as typed: backslash escapes undone.
QString unescapeCloze(const QString &text)
{
    QString plain;
    for (qsizetype k = 0; k < text.size(); ++k)
        plain += text[k] == u'\\' && k + 1 < text.size() ? text[++k] : text[k];
    return plain;
}

// Satang from a number of Baht as the bank or a key writes it ("1250", "12.5").
engine::Satang satang(const QString &baht)
{
    return static_cast<engine::Satang>(std::llround(baht.toDouble() * 100));
}

class ClassSet : public Cli {
protected:
    QTemporaryDir m_dir;
    QString folder(const char *name) const { return m_dir.filePath(QLatin1String(name)); }
};

// Every file of every variant is there; the project reads back with its target; the key holds
// what cpm, crash (both methods) and curve print for that project; the Moodle question holds
// the same numbers as the engine run here, and its picture.
TEST_F(ClassSet, TheSetAgreesWithTheEngineAndTheCommands)
{
    struct Case {
        QStringList options;
        int seed;
        int count;
    };
    const Case cases[] = {
        {{}, 70, 3},
        {{QStringLiteral("--activities=12"), QStringLiteral("--critical-paths=2")}, 5, 2},
        {{QStringLiteral("--activities=10"), QStringLiteral("--critical-paths=3"),
          QStringLiteral("--joint-step"), QStringLiteral("--greedy-overpays")},
         900,
         2},
    };
    int caseNumber = 0;
    for (const Case &c : cases) {
        const QString out = m_dir.filePath(QStringLiteral("set%1").arg(++caseNumber));
        const QStringList arguments = setArguments(out, c.seed, c.count, c.options);
        SCOPED_TRACE(arguments.join(u' ').toStdString());
        const Outcome run = runCli(arguments);
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        EXPECT_TRUE(run.outBytes.isEmpty());

        QString category;
        const std::vector<ClozeQuestion> questions
            = readBank(readAll(QDir(out).filePath(QStringLiteral("moodle.xml"))), category);
        EXPECT_TRUE(category.startsWith(QLatin1String("$course$/top/"))) << category.toStdString();
        const QStringList files = filesIn(out);
        // Four files a variant and the bank; the seeds follow on from --seed.
        ASSERT_EQ(files.size(), 4 * c.count + 1) << files.join(u' ').toStdString();
        ASSERT_EQ(questions.size(), static_cast<std::size_t>(c.count));
        std::set<QString> pictureNames;
        for (int v = 0; v < c.count; ++v) {
            const QString stem = QStringLiteral("%1-seed%2").arg(v + 1).arg(c.seed + v);
            SCOPED_TRACE(stem.toStdString());
            const QString project = QDir(out).filePath(stem + QStringLiteral(".crashkit"));
            io::ReadResult read = io::openProject(project);
            ASSERT_TRUE(read.isLoaded()) << read.message().toStdString();
            const engine::Project p = read.takeProject();
            ASSERT_TRUE(p.target.has_value());
            const engine::Duration target = *p.target;
            for (const char *suffix : {"-worksheet.pdf", "-answers.pdf"})
                EXPECT_TRUE(
                    readAll(QDir(out).filePath(stem + QLatin1String(suffix))).startsWith("%PDF-"));

            // The key is what each command prints for the project.
            const QJsonObject key
                = QJsonDocument::fromJson(readAll(QDir(out).filePath(stem + "-key.json"))).object();
            ASSERT_FALSE(key.isEmpty());
            EXPECT_EQ(key[QLatin1String("target")].toInteger(), target);
            const QString t = QString::number(target);
            const std::pair<const char *, QStringList> commands[] = {
                {"cpm", {QStringLiteral("cpm"), project, QStringLiteral("--paths=20")}},
                {"crash_greedy", {QStringLiteral("crash"), project, QStringLiteral("--target"), t}},
                {"crash_optimal",
                 {QStringLiteral("crash"), project, QStringLiteral("--target"), t,
                  QStringLiteral("--method=optimal")}},
                {"curve", {QStringLiteral("curve"), project}},
            };
            for (const auto &[part, command] : commands) {
                const Outcome printed = runCli(command + QStringList {QStringLiteral("--json")});
                ASSERT_EQ(printed.exitCode, 0) << printed.err.toStdString();
                EXPECT_EQ(printed.json(), key[QLatin1String(part)].toObject()) << part;
            }

            // The engine on the project read back.
            const engine::Network network(p);
            const engine::Schedule schedule
                = engine::computeSchedule(network, network.normalDurations());
            const std::vector<engine::GreedyStep> steps = engine::crashGreedily(network, target);
            ASSERT_FALSE(steps.empty());
            const auto least = engine::leastCost(network, target);
            ASSERT_TRUE(least.has_value());
            EXPECT_EQ(satang(key[QLatin1String("crash_greedy")][QLatin1String("extra_cost")]
                                 .toVariant()
                                 .toString()),
                      steps.back().totalCost);

            const ClozeQuestion &question = questions[static_cast<std::size_t>(v)];
            EXPECT_TRUE(question.name.contains(stem)) << question.name.toStdString();
            EXPECT_EQ(question.fileEncoding, QLatin1String("base64"));
            EXPECT_TRUE(question.file.startsWith("\x89PNG\r\n\x1a\n"));
            EXPECT_TRUE(pictureNames.insert(question.fileName).second);
            EXPECT_TRUE(question.text.contains(
                QStringLiteral("src=\"@@PLUGINFILE@@/%1\"").arg(question.fileName)));
            // Every activity is a row of the table.
            for (const engine::Activity &a : p.activities)
                EXPECT_TRUE(question.text.contains(
                    QStringLiteral("<tr><td>%1</td>").arg(QString::fromStdString(a.id))))
                    << a.id;

            static const QRegularExpression blank(
                QStringLiteral(R"(\{1:(NUMERICAL|SHORTANSWER):((?:\\.|[^\\}])*)\})"));
            std::vector<QString> numbers;
            QStringList pathAnswers;
            for (const QRegularExpressionMatch &m : blank.globalMatch(question.text)) {
                if (m.captured(1) == QLatin1String("NUMERICAL")) {
                    ASSERT_TRUE(m.captured(2).startsWith(u'='));
                    numbers.push_back(m.captured(2).mid(1));
                } else {
                    pathAnswers = m.captured(2).split(u'~');
                }
            }
            // The duration, three blanks per asked activity, the greedy's total, the least.
            ASSERT_GE(numbers.size(), 6u);
            ASSERT_EQ((numbers.size() - 3) % 3, 0u);
            EXPECT_EQ(numbers.front().toLongLong(), schedule.projectDuration);
            EXPECT_EQ(satang(numbers[numbers.size() - 2]), steps.back().totalCost);
            EXPECT_EQ(satang(numbers.back()), least->cost);
            EXPECT_EQ(satang(numbers.back()),
                      satang(key[QLatin1String("crash_optimal")][QLatin1String("extra_cost")]
                                 .toVariant()
                                 .toString()));
            static const QRegularExpression row(QStringLiteral(
                R"(<tr><td>([^<]+)</td><td>\{1:NUMERICAL:=(\d+)\}</td><td>\{1:NUMERICAL:=(\d+)\}</td><td>\{1:NUMERICAL:=(\d+)\}</td></tr>)"));
            std::size_t rows = 0;
            bool askedFloat = false;
            for (const QRegularExpressionMatch &m : row.globalMatch(question.text)) {
                ++rows;
                const auto at = std::find_if(
                    p.activities.begin(), p.activities.end(), [&](const engine::Activity &a) {
                        return QString::fromStdString(a.id) == m.captured(1);
                    });
                ASSERT_NE(at, p.activities.end()) << m.captured(1).toStdString();
                const auto k = static_cast<std::size_t>(at - p.activities.begin());
                EXPECT_EQ(m.captured(2).toLongLong(), schedule.earliestStart[k]);
                EXPECT_EQ(m.captured(3).toLongLong(), schedule.latestStart[k]);
                EXPECT_EQ(m.captured(4).toLongLong(),
                          schedule.latestStart[k] - schedule.earliestStart[k]);
                askedFloat = askedFloat || m.captured(4).toLongLong() > 0;
            }
            EXPECT_EQ(rows * 3 + 3, numbers.size());
            bool anyFloat = false;
            for (int a = 0; a < network.size(); ++a)
                anyFloat = anyFloat || !schedule.isCritical(a);
            EXPECT_EQ(askedFloat, anyFloat) << "an activity with float is asked when there is one";

            // Each answer names every critical path once, in some order; every order is taken.
            const std::set<QString> expected = criticalPathsByHand(p, schedule);
            ASSERT_FALSE(pathAnswers.isEmpty());
            std::set<QString> orders;
            for (const QString &answer : pathAnswers) {
                ASSERT_TRUE(answer.startsWith(u'='));
                const QString typed = unescapeCloze(answer.mid(1));
                QStringList paths = typed.split(u',');
                for (QString &path : paths)
                    path = path.trimmed();
                EXPECT_EQ(std::set<QString>(paths.begin(), paths.end()), expected)
                    << typed.toStdString();
                EXPECT_EQ(static_cast<std::size_t>(paths.size()), expected.size());
                orders.insert(paths.join(u','));
            }
            std::size_t arrangements = 1;
            for (std::size_t k = 2; k <= expected.size(); ++k)
                arrangements *= k;
            EXPECT_EQ(orders.size(), arrangements);
        }
    }
}

// The same seed and settings give the same projects, keys and bank, byte for byte.
TEST_F(ClassSet, SameSeedSameBytes)
{
    const QStringList options {QStringLiteral("--activities=9"), QStringLiteral("--joint-step")};
    ASSERT_EQ(runCli(setArguments(folder("one"), 321, 3, options)).exitCode, 0);
    ASSERT_EQ(runCli(setArguments(folder("two"), 321, 3, options)).exitCode, 0);
    const QStringList files = filesIn(folder("one"));
    ASSERT_EQ(files, filesIn(folder("two")));
    int compared = 0;
    for (const QString &name : files) {
        if (name.endsWith(QLatin1String(".pdf")))
            continue; // a PDF carries the time it was made
        EXPECT_EQ(readAll(QDir(folder("one")).filePath(name)),
                  readAll(QDir(folder("two")).filePath(name)))
            << name.toStdString();
        ++compared;
    }
    EXPECT_EQ(compared, 3 * 2 + 1);
}

// The sheets, read back as text: the worksheet holds the activity table and the target but no
// times; the answer sheet the CPM table, the greedy's total, the least cost and the curve.
TEST_F(ClassSet, SheetsHoldTheTablesAndTheAnswers)
{
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty())
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    const QString out = folder("sheets");
    ASSERT_EQ(runCli(setArguments(out, 44, 2, {QStringLiteral("--activities=10")})).exitCode, 0);
    auto text = [&](const QString &name) {
        QProcess process;
        process.start(pdftotext,
                      {QStringLiteral("-layout"), QDir(out).filePath(name), QStringLiteral("-")});
        EXPECT_TRUE(process.waitForFinished(60000));
        return QString::fromUtf8(process.readAllStandardOutput());
    };
    for (int v = 0; v < 2; ++v) {
        const QString stem = QStringLiteral("%1-seed%2").arg(v + 1).arg(44 + v);
        SCOPED_TRACE(stem.toStdString());
        io::ReadResult read = io::openProject(QDir(out).filePath(stem + ".crashkit"));
        ASSERT_TRUE(read.isLoaded());
        const engine::Project p = read.takeProject();
        const engine::Network network(p);
        const engine::Schedule schedule
            = engine::computeSchedule(network, network.normalDurations());
        const QString worksheet = text(stem + QStringLiteral("-worksheet.pdf"));
        const QString answers = text(stem + QStringLiteral("-answers.pdf"));
        // Pages are separated by form feeds; every page has text.
        for (const QString &sheet : {worksheet, answers}) {
            const QStringList pages = sheet.split(u'\f', Qt::SkipEmptyParts);
            EXPECT_GE(pages.size(), 2);
            for (const QString &page : pages)
                EXPECT_FALSE(page.trimmed().isEmpty());
        }
        auto hasRow = [](const QString &sheet, const QStringList &cells) {
            QStringList quoted;
            for (const QString &cell : cells)
                quoted << QRegularExpression::escape(cell);
            return QRegularExpression(QStringLiteral("(^|\\n)\\s*")
                                      + quoted.join(QStringLiteral("\\s+"))
                                      + QStringLiteral("\\s*(\\n|$)"))
                .match(sheet)
                .hasMatch();
        };
        EXPECT_TRUE(
            worksheet.contains(QRegularExpression(QStringLiteral("\\b%1\\b").arg(*p.target))));
        for (std::size_t k = 0; k < p.activities.size(); ++k) {
            const engine::Activity &a = p.activities[k];
            SCOPED_TRACE(a.id);
            QStringList predecessors;
            for (const std::string &id : a.predecessors)
                predecessors << QString::fromStdString(id);
            const QString cost = a.crashDuration < a.normalDuration
                ? QString::number(a.crashCostPerUnit / 100)
                : QString();
            QStringList cells {QString::fromStdString(a.id),
                               predecessors.isEmpty() ? QStringLiteral("–")
                                                      : predecessors.join(QStringLiteral(", ")),
                               QString::number(a.normalDuration), QString::number(a.crashDuration)};
            if (!cost.isEmpty())
                cells << cost;
            EXPECT_TRUE(cost.isEmpty() || hasRow(worksheet, cells)) << worksheet.toStdString();
            // The worksheet's schedule grid has the id and the duration only.
            EXPECT_TRUE(hasRow(worksheet,
                               {QString::fromStdString(a.id), QString::number(a.normalDuration)}));
            const int i = static_cast<int>(k);
            EXPECT_TRUE(hasRow(answers,
                               {QString::fromStdString(a.id), QString::number(a.normalDuration),
                                QString::number(schedule.earliestStart[k]),
                                QString::number(schedule.earliestFinish[k]),
                                QString::number(schedule.latestStart[k]),
                                QString::number(schedule.latestFinish[k]),
                                QString::number(schedule.totalFloat(i))})
                        || hasRow(answers,
                                  {QString::fromStdString(a.id), QString::number(a.normalDuration),
                                   QString::number(schedule.earliestStart[k]),
                                   QString::number(schedule.earliestFinish[k]),
                                   QString::number(schedule.latestStart[k]),
                                   QString::number(schedule.latestFinish[k]),
                                   QString::number(schedule.totalFloat(i)), QStringLiteral("✓")}))
                << answers.toStdString();
        }
        const std::vector<engine::GreedyStep> steps = engine::crashGreedily(network, *p.target);
        const auto least = engine::leastCost(network, *p.target);
        ASSERT_TRUE(least && !steps.empty());
        for (const engine::Satang amount : {steps.back().totalCost, least->cost})
            EXPECT_TRUE(answers.contains(
                QRegularExpression(QStringLiteral("\\b%1 บาท")
                                       .arg(QString::fromStdString(engine::formatBaht(amount))
                                                .remove(QStringLiteral(".00"))))))
                << amount;
        for (const std::vector<int> &path :
             engine::listCriticalPaths(network, schedule, 20).paths) {
            QStringList ids;
            for (const int a : path)
                ids << QString::fromStdString(p.activities[static_cast<std::size_t>(a)].id);
            EXPECT_TRUE(answers.contains(ids.join(u'-'))) << ids.join(u'-').toStdString();
        }
        // Each step's row: number, its cut, duration before → after and the running total.
        for (const engine::GreedyStep &step : steps)
            EXPECT_TRUE(answers.contains(QRegularExpression(
                QStringLiteral("%1\\s*→\\s*%2").arg(step.durationBefore).arg(step.durationAfter))));
    }
}

// What the set cannot be written as is refused with exit status 2 and a message, and nothing
// is left behind: no folder, no half-written files, no staging folder beside it.
TEST_F(ClassSet, RefusalsLeaveNothingBehind)
{
    QDir(m_dir.path()).mkdir(QStringLiteral("full"));
    {
        QFile kept(QDir(folder("full")).filePath(QStringLiteral("notes.txt")));
        ASSERT_TRUE(kept.open(QIODevice::WriteOnly));
        kept.write("keep me");
    }
    {
        QFile file(folder("plain-file"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    const QString fresh = folder("fresh");
    struct Case {
        QStringList arguments;
        QString message;
    };
    const QString gen = QStringLiteral("generate");
    const QString seed = QStringLiteral("--seed=3");
    const Case cases[] = {
        {setArguments(fresh, 3, 0, {}), QStringLiteral("--count: 0 is outside 1 to 500")},
        {setArguments(fresh, 3, 501, {}), QStringLiteral("--count: 501 is outside 1 to 500")},
        {{gen, seed, QStringLiteral("--count=2")}, QStringLiteral("--count needs --out")},
        {{gen, seed, QStringLiteral("--out")}, QStringLiteral("--out needs a value")},
        {setArguments(fresh, 3, 2, {QStringLiteral("--format=csv")}),
         QStringLiteral("--format does not go with --out")},
        {{QStringLiteral("cpm"), QStringLiteral("x.csv"), QStringLiteral("--out=") + fresh},
         QStringLiteral("--out does not belong to the command 'cpm'")},
        {setArguments(folder("full"), 3, 2, {}), QStringLiteral("already holds files")},
        {setArguments(folder("plain-file"), 3, 2, {}), QStringLiteral("is not a folder")},
        {setArguments(folder("missing/set"), 3, 2, {}), QStringLiteral("does not exist")},
    };
    std::vector<Case> all(std::begin(cases), std::end(cases));
    // Settings the generator refuses for ten seeds in a row refuse the set. Which settings it
    // cannot meet is the generator's business: the first of these small ones that it refuses
    // for seeds 3 to 12 is asked of the engine here.
    const engine::ExerciseSettings unlikely[]
        = {{5, 3, false, true}, {5, 2, false, true}, {5, 3, true, true}, {6, 3, false, true}};
    bool found = false;
    for (const engine::ExerciseSettings &settings : unlikely) {
        bool tenRefused = true;
        for (std::uint64_t s = 3; s < 13 && tenRefused; ++s)
            tenRefused = std::holds_alternative<engine::ExerciseRefusal>(
                engine::generateExercise(s, settings));
        if (!tenRefused)
            continue;
        QStringList options {QStringLiteral("--activities=%1").arg(settings.activities),
                             QStringLiteral("--critical-paths=%1").arg(settings.criticalPaths),
                             QStringLiteral("--greedy-overpays")};
        if (settings.jointStep)
            options << QStringLiteral("--joint-step");
        all.push_back({setArguments(fresh, 3, 2, options),
                       QStringLiteral("10 seeds in a row gave no exercise")});
        found = true;
        break;
    }
    EXPECT_TRUE(found) << "no small settings refused for seeds 3 to 12; add some here";
    for (const Case &c : all) {
        SCOPED_TRACE(c.arguments.join(u' ').toStdString());
        const Outcome run = runCli(c.arguments);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_TRUE(run.err.contains(c.message)) << run.err.toStdString();
        EXPECT_FALSE(QFileInfo::exists(fresh));
        EXPECT_EQ(filesIn(folder("full")), QStringList {QStringLiteral("notes.txt")});
        EXPECT_EQ(
            QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
            (QStringList {QStringLiteral("full"), QStringLiteral("plain-file")}));
    }
    // A folder that cannot be written in (not testable as root, who may write anywhere, nor on
    // Windows, where a folder's read-only attribute does not stop new files).
#ifndef _WIN32
    if (geteuid() != 0) {
        QDir(m_dir.path()).mkdir(QStringLiteral("locked"));
        QFile::setPermissions(folder("locked"), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        const Outcome run = runCli(
            setArguments(QDir(folder("locked")).filePath(QStringLiteral("set")), 3, 1, {}));
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_TRUE(run.err.contains(QStringLiteral("cannot be written in")))
            << run.err.toStdString();
        QFile::setPermissions(folder("locked"),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                  | QFileDevice::ExeOwner);
    }
#endif
    // An empty folder is taken and filled.
    QDir(m_dir.path()).mkdir(QStringLiteral("empty"));
    const Outcome run = runCli(setArguments(folder("empty"), 3, 1, {}));
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(filesIn(folder("empty")).size(), 5);
}

// Seeds the generator refuses are skipped and named; the next variant takes the next seed it
// accepts. Such a run of refused seeds is looked for here with the engine, at settings where
// the generator meets only some seeds (three critical paths, a joint step and the greedy
// overpaying in seven activities, below the size its pattern needs) or where it misses a few.
TEST_F(ClassSet, RefusedSeedsAreSkipped)
{
    const engine::ExerciseSettings candidates[] = {{7, 3, true, true}, {12, 2, true, true}};
    for (const engine::ExerciseSettings &settings : candidates) {
        auto accepted = [&](int seed) {
            return std::holds_alternative<engine::GeneratedExercise>(
                engine::generateExercise(static_cast<std::uint64_t>(seed), settings));
        };
        // An accepted seed, one to nine refused ones, and the next accepted seed.
        int first = -1, next = -1;
        for (int seed = 1; seed < 300 && next < 0; ++seed) {
            if (!accepted(seed))
                continue;
            if (first >= 0 && seed - first >= 2 && seed - first <= 10)
                next = seed;
            else
                first = seed;
        }
        if (next < 0)
            continue;
        const QString out = folder("skipping");
        QStringList arguments {QStringLiteral("--activities=%1").arg(settings.activities),
                               QStringLiteral("--critical-paths=%1").arg(settings.criticalPaths),
                               QStringLiteral("--joint-step"), QStringLiteral("--greedy-overpays")};
        const Outcome run = runCli(setArguments(out, first, 2, arguments));
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        for (int refused = first + 1; refused < next; ++refused)
            EXPECT_TRUE(run.err.contains(QStringLiteral("seed %1 skipped").arg(refused)))
                << refused << ": " << run.err.toStdString();
        const QStringList files = filesIn(out);
        EXPECT_TRUE(files.contains(QStringLiteral("1-seed%1.crashkit").arg(first)));
        EXPECT_TRUE(files.contains(QStringLiteral("2-seed%1.crashkit").arg(next)));
        EXPECT_EQ(files.size(), 9);
        return;
    }
    FAIL() << "no accepted seed followed by refused ones below 300 at any candidate settings: "
              "add settings the generator meets only sometimes";
}

// Cloze reads \ } # ~ / " and * itself: each is escaped once, so the answer typed is the text.
TEST(ClozeEscape, EscapesWhatClozeReads)
{
    const struct {
        const char *text, *escaped;
    } cases[] = {
        {"B-F-I", "B-F-I"}, {"A}B", "A\\}B"}, {"#~/\"\\*", "\\#\\~\\/\\\"\\\\\\*"},
        {"ก-ข", "ก-ข"},     {"", ""},
    };
    for (const auto &c : cases) {
        const QString escaped = worksheets::clozeEscape(QString::fromUtf8(c.text));
        EXPECT_EQ(escaped, QString::fromUtf8(c.escaped)) << c.text;
        EXPECT_EQ(unescapeCloze(escaped), QString::fromUtf8(c.text));
    }
}

} // namespace
