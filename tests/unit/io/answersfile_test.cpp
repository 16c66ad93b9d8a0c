// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

// The answers file: a hand-written file read against practice set 1, every refusal placed at
// its key, the project kept inside the file, and written answers reading back the same.

#include "answersfile.h"
#include "crashkitfile.h"
#include "iotestsupport.h"
#include "practiceset.h"
#include "randomsoundproject.h"

#include <QTemporaryDir>

namespace {

using io::FileProblemKind;

enum { A, B, C, D, E, F, G, H, I };

const engine::Project &setOne()
{
    static const engine::Project project = practiceProject(practiceSet(1));
    return project;
}

io::AnswersRead readText(const std::string &text, const engine::Project *project = &setOne())
{
    return io::readAnswers(QByteArray(text.data(), static_cast<qsizetype>(text.size())),
                           QStringLiteral("work.json"), project);
}

std::string messageOf(const io::AnswersRead &read)
{
    return read.problems.message().toStdString();
}

} // namespace

TEST(AnswersFile, ReadsAHandWrittenFile)
{
    const io::AnswersRead read = readText(R"({
        "project_duration": 32,
        "schedule": [{"activity": "A", "es": 0, "ef": 7, "ls": 1, "lf": 8, "float": 1},
                     {"activity": "C", "es": 7, "lf": null}],
        "critical_activities": ["B", "F", "I"],
        "critical_paths": [["B", "F", "I"], []],
        "target": 28,
        "steps": [{"shorten": {"B": 1}, "cost": 75, "duration": 31},
                  {"shorten": {"H": 1, "B": 1}, "cost": 175.5},
                  {}],
        "scores": {"schedule": {"right": 40, "total": 46, "hints_used": 2}}
    })");
    ASSERT_TRUE(read.isLoaded()) << messageOf(read);
    const engine::Answers &answers = read.file->answers;
    EXPECT_EQ(answers.projectDuration, 32);
    ASSERT_EQ(answers.schedule.size(), 9u);
    EXPECT_EQ(answers.schedule[A], (engine::ScheduleAnswer {0, 7, 1, 8, 1}));
    EXPECT_EQ(answers.schedule[C], (engine::ScheduleAnswer {7, {}, {}, {}, {}}));
    EXPECT_EQ(answers.schedule[B], engine::ScheduleAnswer {});
    EXPECT_EQ(answers.criticalActivities, (std::vector<int> {B, F, I}));
    EXPECT_EQ(answers.criticalPaths, (std::vector<std::vector<int>> {{B, F, I}, {}}));
    EXPECT_EQ(answers.target, 28);
    ASSERT_EQ(answers.steps.size(), 3u);
    EXPECT_EQ(answers.steps[0], (engine::StepAnswer {{{B, 1}}, 7500, 31}));
    // A step's activities come in the project's order, whatever the file's.
    EXPECT_EQ(answers.steps[1], (engine::StepAnswer {{{B, 1}, {H, 1}}, 17550, {}}));
    EXPECT_EQ(answers.steps[2], engine::StepAnswer {});
    ASSERT_TRUE(read.file->scores);
    EXPECT_EQ(read.file->scores->schedule, (io::StageScore {40, 46, 2}));
    EXPECT_FALSE(read.file->scores->critical);
    EXPECT_FALSE(read.file->project);

    // Nothing answered is a file too.
    const io::AnswersRead empty = readText("{}");
    ASSERT_TRUE(empty.isLoaded());
    EXPECT_EQ(empty.file->answers, engine::Answers {});
}

// Every refusal names the place and what is wrong; nothing is half read.
TEST(AnswersFile, RefusalsArePlaced)
{
    const struct {
        const char *text;
        FileProblemKind kind;
        const char *field;
        const char *value;
        int line;
    } cases[] = {
        {R"({"schedule": [{"activity": "Q", "es": 0}]})", FileProblemKind::UnknownAnswerActivity,
         "schedule[1].activity", "Q", 0},
        {R"({"schedule": [{"activity": "A"}, {"activity": "A", "es": 1}]})",
         FileProblemKind::RepeatedAnswer, "schedule[2].activity", "A", 0},
        {R"({"schedule": [{"es": 0}]})", FileProblemKind::MissingKey, "schedule[1].activity", "",
         0},
        {R"({"schedule": [{"activity": "A", "es": 1.5}]})", FileProblemKind::NotWholeNumber,
         "schedule[1].es", "1.5", 0},
        {R"({"schedule": [{"activity": "A", "es": "7"}]})", FileProblemKind::WrongType,
         "schedule[1].es", "\"7\"", 0},
        {R"({"schedule": [{"activity": "A", "start": 0}]})", FileProblemKind::UnknownKey,
         "schedule[1].start", "", 0},
        {R"({"schedule": [7]})", FileProblemKind::WrongType, "schedule[1]", "7", 0},
        {R"({"project_duration": 1e300})", FileProblemKind::NumberTooLarge, "project_duration",
         "1e+300", 0},
        {R"({"critical_activities": ["B", "X"]})", FileProblemKind::UnknownAnswerActivity,
         "critical_activities[2]", "X", 0},
        {R"({"critical_paths": [["B", 3]]})", FileProblemKind::WrongType, "critical_paths[1][2]",
         "3", 0},
        {R"({"critical_paths": ["B"]})", FileProblemKind::WrongType, "critical_paths[1]", "\"B\"",
         0},
        {R"({"steps": [{"shorten": {"Z": 1}}]})", FileProblemKind::UnknownAnswerActivity,
         "steps[1].shorten.Z", "Z", 0},
        {R"({"steps": [{"shorten": {"B": 0.5}}]})", FileProblemKind::NotWholeNumber,
         "steps[1].shorten.B", "0.5", 0},
        {R"({"steps": [{"shorten": {"B": 1}, "cost": 75.001}]})", FileProblemKind::AmountTooPrecise,
         "steps[1].cost", "75.001", 0},
        {R"({"steps": [{"shorten": {"B": 1}, "units": 1}]})", FileProblemKind::UnknownKey,
         "steps[1].units", "", 0},
        {R"({"scores": {"schedule": {"right": 1, "total": 2}}})", FileProblemKind::MissingKey,
         "scores.schedule.hints_used", "", 0},
        {R"({"scores": {"schedule": {"right": -1, "total": 2, "hints_used": 0}}})",
         FileProblemKind::NumberTooLarge, "scores.schedule.right", "-1", 0},
        {R"({"answers": 1})", FileProblemKind::UnknownKey, "answers", "", 0},
        {"[1, 2]", FileProblemKind::NotAnswersFile, "", "", 1},
        {"{\n  \"target\": 28,\n  \"steps\": [\n}", FileProblemKind::JsonSyntax, "", "", 4},
        {R"({"project": {"format": "crashkit-project", "version": 1, "activities": [{"id": "A"}]}})",
         FileProblemKind::MissingKey, "project.normal_duration", "", 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        const io::AnswersRead read = readText(c.text);
        EXPECT_FALSE(read.isLoaded());
        const io::Problem *problem = iotest::findProblem(read.problems, c.kind);
        ASSERT_NE(problem, nullptr) << messageOf(read);
        EXPECT_EQ(problem->place.file, QStringLiteral("work.json"));
        EXPECT_EQ(problem->place.field, QString::fromUtf8(c.field));
        EXPECT_EQ(problem->value.isEmpty() ? QString() : problem->value,
                  c.kind == FileProblemKind::JsonSyntax ? problem->value
                                                        : QString::fromUtf8(c.value));
        EXPECT_EQ(problem->place.line, c.line);
    }

    // Without a project to resolve the ids against, nothing can be read.
    const io::AnswersRead alone = readText(R"({"target": 28})", nullptr);
    ASSERT_FALSE(alone.isLoaded());
    EXPECT_NE(iotest::findProblem(alone.problems, FileProblemKind::AnswersWithoutProject), nullptr);
    EXPECT_NE(readText("\xFF{}").problems.count(), 0);
}

// A file that keeps its project reads alone, its ids resolved against that project; a project
// given beside it is the one the ids are taken from.
TEST(AnswersFile, KeepsItsProject)
{
    io::AnswersFile file;
    file.answers.criticalActivities = {B, F, I};
    file.answers.steps = {{{{B, 1}}, 7500, 31}};
    file.project = setOne();
    const QByteArray bytes = io::writeAnswers(file, setOne());
    const io::AnswersRead alone = io::readAnswers(bytes, QStringLiteral("work.json"));
    ASSERT_TRUE(alone.isLoaded()) << messageOf(alone);
    ASSERT_TRUE(alone.file->project);
    EXPECT_EQ(iotest::difference(*alone.file->project, setOne()), "");
    EXPECT_EQ(alone.file->answers, file.answers);

    // Against another project with the same ids in another order, the indices are its own.
    engine::Project reversed = setOne();
    std::reverse(reversed.activities.begin(), reversed.activities.end());
    const io::AnswersRead against = io::readAnswers(bytes, QStringLiteral("work.json"), &reversed);
    ASSERT_TRUE(against.isLoaded()) << messageOf(against);
    EXPECT_EQ(against.file->answers.criticalActivities, (std::vector<int> {8 - B, 8 - F, 8 - I}));
}

// Written answers of random projects, with awkward ids, read back the same; the file is
// indented with its keys in order.
TEST(AnswersFile, WrittenAnswersReadBackTheSame)
{
    iotest::RandomSource random(4242);
    for (int round = 0; round < 200; ++round) {
        SCOPED_TRACE(round);
        iotest::RandomProjectOptions options;
        options.activities = static_cast<int>(random.between(1, 20));
        const engine::Project project = iotest::randomSoundProject(random, options);
        const int n = static_cast<int>(project.activities.size());
        auto number = [&]() -> std::optional<engine::Duration> {
            if (random.percent(30))
                return std::nullopt;
            return random.percent(80)
                ? random.between(-5, 100)
                : random.between(-(std::int64_t {1} << 53), std::int64_t {1} << 53);
        };
        auto index = [&]() { return static_cast<int>(random.between(0, n - 1)); };
        io::AnswersFile file;
        engine::Answers &answers = file.answers;
        answers.projectDuration = number();
        answers.target = number();
        if (random.percent(70)) {
            for (int a = 0; a < n; ++a)
                answers.schedule.push_back({number(), number(), number(), number(), number()});
        }
        if (random.percent(70)) {
            answers.criticalActivities.emplace();
            for (auto k = random.between(0, n); k > 0; --k)
                answers.criticalActivities->push_back(index());
        }
        if (random.percent(70)) {
            answers.criticalPaths.emplace();
            for (auto k = random.between(0, 3); k > 0; --k) {
                std::vector<int> path;
                for (auto m = random.between(0, 5); m > 0; --m)
                    path.push_back(index());
                answers.criticalPaths->push_back(path);
            }
        }
        for (auto k = random.between(0, 4); k > 0; --k) {
            engine::StepAnswer step;
            for (int a = 0; a < n; ++a) {
                if (random.percent(20))
                    step.shorten.push_back({a, number().value_or(1)});
            }
            if (random.percent(70))
                step.cost = random.percent(50)
                    ? random.between(-100, 100'000)
                    : random.between(-(std::int64_t {1} << 50), std::int64_t {1} << 50);
            step.duration = number();
            answers.steps.push_back(step);
        }
        if (random.percent(50)) {
            file.scores.emplace();
            if (random.percent(60))
                file.scores->critical = io::StageScore {static_cast<int>(random.between(0, 9)),
                                                        static_cast<int>(random.between(0, 9)),
                                                        static_cast<int>(random.between(0, 9))};
        }
        if (random.percent(30))
            file.project = project;

        const QByteArray bytes = io::writeAnswers(file, project);
        const io::AnswersRead read = io::readAnswers(bytes, QStringLiteral("work.json"), &project);
        ASSERT_TRUE(read.isLoaded()) << messageOf(read) << bytes.toStdString();
        EXPECT_EQ(read.file->answers, answers);
        EXPECT_EQ(read.file->scores, file.scores);
        ASSERT_EQ(read.file->project.has_value(), file.project.has_value());
        if (file.project) {
            EXPECT_EQ(iotest::difference(*read.file->project, project), "");
        }
        // Indented like .crashkit files, and written the same again.
        EXPECT_EQ(io::writeAnswers(*read.file, project), bytes);
    }
}

TEST(AnswersFile, SavesWholeOrNotAtAll)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    io::AnswersFile file;
    file.answers.target = 28;
    const QString path = folder.filePath(QStringLiteral("work.json"));
    EXPECT_TRUE(io::saveAnswers(file, setOne(), path).isEmpty());
    const io::AnswersRead read = io::openAnswers(path, &setOne());
    ASSERT_TRUE(read.isLoaded()) << messageOf(read);
    EXPECT_EQ(read.file->answers.target, 28);

    const io::ProblemList refused
        = io::saveAnswers(file, setOne(), folder.filePath(QStringLiteral("no/such/work.json")));
    EXPECT_NE(iotest::findProblem(refused, FileProblemKind::CannotSave), nullptr);
    EXPECT_NE(iotest::findProblem(
                  io::openAnswers(folder.filePath(QStringLiteral("gone.json")), &setOne()).problems,
                  FileProblemKind::FileMissing),
              nullptr);
    EXPECT_NE(iotest::findProblem(io::openAnswers(folder.path(), &setOne()).problems,
                                  FileProblemKind::NotRegularFile),
              nullptr);
}
