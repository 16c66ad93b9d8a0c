// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

// Feeds random and broken answers files to their reader, against random sound projects:
// written files of random answers, the same with bytes changed, deep nesting, text that is
// not UTF-8 and byte soup. Every answer is checked: a refusal has placed problems, accepted
// answers name only the project's activities, write and read back the same, and go through
// every check of the trainer; an unchanged written file reads back as the answers it was.

#include "fuzzsupport.h"
#include "watchdog.h"

#include "answercheck.h"
#include "answersfile.h"
#include "problemtext.h"
#include "randomsoundproject.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace {

struct Figures {
    long long inputs = 0;
    long long accepted = 0;
    long long rejected = 0;
    long long failures = 0;
};

const char *const kPieces[] = {
    "\"",
    ",",
    ":",
    "{",
    "}",
    "[",
    "]",
    "null",
    "true",
    "0",
    "-1",
    "2.5",
    "75.001",
    "1e300",
    "9007199254740993",
    "\"A0\"",
    "\"Q\"",
    "\"es\"",
    "\"shorten\"",
    "\"steps\"",
    "\"schedule\"",
    "\"activity\"",
    "\"project\"",
    "\"scores\"",
    "\"critical_paths\"",
    "\xEF\xBB\xBF",
    "\xFF",
    "\xC3",
    "\\u0000",
    "\\ud800",
    "\xE0\xB8\x81",
};

struct Input {
    std::string bytes;
    engine::Project project;
    std::optional<io::AnswersFile> expected; // an unchanged written file reads back as this
};

std::optional<engine::Duration> number(fuzz::Random &random)
{
    if (random.percent(25))
        return std::nullopt;
    return random.percent(85) ? random.between(-3, 60)
                              : random.between(-(std::int64_t {1} << 53), std::int64_t {1} << 53);
}

io::AnswersFile randomAnswers(fuzz::Random &random, const engine::Project &project)
{
    const int n = static_cast<int>(project.activities.size());
    auto index = [&]() { return n == 0 ? 0 : random.below(n); };
    io::AnswersFile file;
    engine::Answers &answers = file.answers;
    answers.projectDuration = number(random);
    answers.target = number(random);
    if (random.percent(70)) {
        for (int a = 0; a < n; ++a)
            answers.schedule.push_back(
                {number(random), number(random), number(random), number(random), number(random)});
    }
    if (n > 0 && random.percent(70)) {
        answers.criticalActivities.emplace();
        for (int k = random.below(n + 1); k > 0; --k)
            answers.criticalActivities->push_back(index());
        answers.criticalPaths.emplace();
        for (int k = random.below(4); k > 0; --k) {
            std::vector<int> path;
            for (int m = random.below(6); m > 0; --m)
                path.push_back(index());
            answers.criticalPaths->push_back(path);
        }
    }
    for (int k = random.below(5); k > 0; --k) {
        engine::StepAnswer step;
        for (int a = 0; a < n; ++a) {
            if (random.percent(15))
                step.shorten.push_back({a, number(random).value_or(1)});
        }
        if (random.percent(60))
            step.cost = random.between(-1000, 10'000'000);
        step.duration = number(random);
        answers.steps.push_back(step);
    }
    if (random.percent(30))
        file.scores
            = io::Scores {io::StageScore {random.below(50), random.below(50), random.below(9)},
                          std::nullopt, std::nullopt};
    if (random.percent(30))
        file.project = project;
    return file;
}

std::string mutated(fuzz::Random &random, std::string text)
{
    for (int changes = 1 + random.below(6); changes > 0; --changes) {
        const auto at = static_cast<std::size_t>(random.below(static_cast<int>(text.size()) + 1));
        switch (random.below(4)) {
        case 0:
            text.insert(at, random.pick(kPieces));
            break;
        case 1:
            text.erase(at, static_cast<std::size_t>(1 + random.below(6)));
            break;
        case 2:
            if (at < text.size())
                text[at] = static_cast<char>(random.below(256));
            break;
        default:
            text.insert(at, text.substr(at, static_cast<std::size_t>(random.below(40))));
            break;
        }
    }
    return text;
}

Input makeInput(fuzz::Random &random)
{
    Input input;
    iotest::RandomSource source(random.bits());
    iotest::RandomProjectOptions options;
    options.activities = random.below(20);
    options.awkwardTexts = random.percent(60);
    input.project = iotest::randomSoundProject(source, options);
    const io::AnswersFile answers = randomAnswers(random, input.project);
    const QByteArray written = io::writeAnswers(answers, input.project);
    const std::string text(written.constData(), static_cast<std::size_t>(written.size()));
    switch (random.below(8)) {
    case 0:
    case 1:
        input.bytes = text;
        input.expected = answers;
        break;
    case 2: {
        const std::string open = random.percent(50) ? "[" : "{\"steps\":";
        for (int depth = 1 + random.below(50'000); depth > 0; --depth)
            input.bytes += open;
        break;
    }
    case 3:
        input.bytes = text;
        for (int i = 1 + random.below(4); i > 0; --i)
            input.bytes.insert(
                static_cast<std::size_t>(random.below(static_cast<int>(input.bytes.size()) + 1)), 1,
                random.percent(50) ? '\0' : static_cast<char>(0x80 + random.below(128)));
        break;
    case 4:
        for (int i = random.below(60); i > 0; --i)
            input.bytes += random.pick(kPieces);
        break;
    default:
        input.bytes = mutated(random, text);
        break;
    }
    return input;
}

std::string said(const char *what, const std::string &detail)
{
    std::string text = what;
    text += detail;
    return text;
}

// Empty when the reader's answer is right, else what is wrong.
std::string check(const Input &input, bool &accepted)
{
    const QByteArray bytes(input.bytes.data(), static_cast<qsizetype>(input.bytes.size()));
    const io::AnswersRead read = io::readAnswers(bytes, QStringLiteral("fuzz"), &input.project);
    accepted = read.isLoaded();
    if (!accepted) {
        if (input.expected)
            return said("an unchanged written file was refused: ",
                        read.problems.message().toStdString());
        if (read.problems.kept().empty())
            return "refused without a problem";
        for (const io::Problem &problem : read.problems.kept()) {
            if (problem.place.file != u"fuzz" || io::englishText(problem).isEmpty())
                return "a problem without words or file";
        }
        return {};
    }
    const engine::Answers &answers = read.file->answers;
    const int n = static_cast<int>(input.project.activities.size());
    auto known = [n](int a) { return a >= 0 && a < n; };
    if (!answers.schedule.empty() && answers.schedule.size() != static_cast<std::size_t>(n))
        return "a schedule that is not one row per activity";
    if (answers.criticalActivities
        && !std::all_of(answers.criticalActivities->begin(), answers.criticalActivities->end(),
                        known))
        return "a ticked activity outside the project";
    for (const engine::StepAnswer &step : answers.steps) {
        for (std::size_t k = 0; k < step.shorten.size(); ++k) {
            if (!known(step.shorten[k].first)
                || (k > 0 && step.shorten[k - 1].first >= step.shorten[k].first))
                return "a step's activities out of the project or order";
        }
    }
    if (input.expected && !(answers == input.expected->answers))
        return "an unchanged written file read back differently";
    const QByteArray again = io::writeAnswers(*read.file, input.project);
    const io::AnswersRead back = io::readAnswers(again, QStringLiteral("again"), &input.project);
    if (!back.isLoaded())
        return said("written again, it was refused: ", back.problems.message().toStdString());
    if (!(back.file->answers == answers) || !(back.file->scores == read.file->scores))
        return "written again, it read back differently";

    // Whatever a file holds, the trainer's checks take it.
    const engine::Network network(input.project);
    const engine::ScheduleCheck schedule = engine::checkSchedule(network, answers);
    const engine::CriticalCheck critical = engine::checkCriticalPaths(network, answers, 20);
    const engine::CrashingCheck crashing = engine::checkCrashing(network, answers);
    if (schedule.right > schedule.total || critical.right > critical.total
        || crashing.right > crashing.total)
        return "more right than there is";
    return {};
}

} // namespace

int main(int argc, char **argv)
{
    const fuzz::Options options = fuzz::parseOptions(argc, argv);
    fuzz::Random random(options.seed);
    const fuzz::Deadline deadline(options.seconds);
    Figures figures;
    // A reader that never returns is caught here: no input may take a minute.
    fuzz::Watchdog watchdog(options.seed);

    while (figures.failures < 10 && (figures.inputs % 16 != 0 || !deadline.passed())) {
        const Input input = makeInput(random);
        ++figures.inputs;
        watchdog.starting(input.bytes.substr(0, 400));
        bool accepted = false;
        const std::string problem = check(input, accepted);
        (accepted ? figures.accepted : figures.rejected) += 1;
        if (!problem.empty()) {
            ++figures.failures;
            std::printf("FAIL seed %llu input %lld: %s\n",
                        static_cast<unsigned long long>(options.seed), figures.inputs,
                        problem.c_str());
        }
    }
    std::printf("fuzz_answersfile seed %llu: %lld inputs, %lld accepted, %lld refused, %lld "
                "failures\n",
                static_cast<unsigned long long>(options.seed), figures.inputs, figures.accepted,
                figures.rejected, figures.failures);
    return figures.failures == 0 ? 0 : 1;
}
