// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

// Feeds Microsoft Project XML and GanttProject files to their readers: random sound plans
// with summary tasks (some with many links into and out of them), milestones, comments and
// processing instructions before the first element, durations written in any of their
// equivalent forms; the same with bytes flipped, cut short, elements repeated and deep
// nesting put in; and durations of every form, sound or not, huge numbers, units repeated
// or out of order. Every answer is checked: a refusal has problems in the file with words
// and tells no fault of an activity twice, an accepted project is sound with one crash-data
// warning an activity, an unchanged plan lasts as long as a schedule of its tasks worked out
// here directly, and a duration is read as its form's rules, applied here apart, say.

#include "fuzzsupport.h"
#include "watchdog.h"

#include "network.h"
#include "problemtext.h"
#include "projectfile.h"
#include "schedule.h"
#include "validation.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdio>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace {

struct Figures {
    long long inputs = 0;
    long long mspdi = 0;
    long long accepted = 0;
    long long rejected = 0;
    long long failures = 0;
    long long bytes = 0;
};

struct Task {
    int parent = -1;
    int end = 0; // one past its last descendant
    int days = 0;
    bool milestone = false;
    std::vector<int> predecessors; // tasks ending before it in the file
};

bool isSummary(const std::vector<Task> &tasks, int t)
{
    return tasks[static_cast<std::size_t>(t)].end > t + 1;
}

// A plan in file order: each task's children follow it; links only from a task whose
// subtree has ended to a later one, so there is no cycle and no link inside a summary.
std::vector<Task> randomPlan(fuzz::Random &random)
{
    const int count = 1 + random.below(random.percent(90) ? 20 : 200);
    std::vector<Task> tasks(static_cast<std::size_t>(count));
    std::vector<int> open;
    for (int i = 0; i < count; ++i) {
        Task &t = tasks[static_cast<std::size_t>(i)];
        while (!open.empty() && random.percent(40))
            open.pop_back();
        t.parent = open.empty() ? -1 : open.back();
        if (open.size() < 6 && random.percent(30))
            open.push_back(i);
        t.milestone = random.percent(10);
        t.days = t.milestone ? 0 : static_cast<int>(random.between(0, 12));
    }
    for (int i = count; i-- > 0;) {
        Task &t = tasks[static_cast<std::size_t>(i)];
        t.end = std::max(t.end, i + 1);
        if (t.parent >= 0) {
            Task &p = tasks[static_cast<std::size_t>(t.parent)];
            p.end = std::max(p.end, t.end);
        }
    }
    // Some plans link many tasks into and out of their summaries.
    const int linksEach = random.percent(20) ? 12 : 3;
    for (int i = 1; i < count; ++i) {
        for (int k = random.below(linksEach); k > 0; --k) {
            const int from = random.below(i);
            if (tasks[static_cast<std::size_t>(from)].end <= i)
                tasks[static_cast<std::size_t>(i)].predecessors.push_back(from);
        }
    }
    return tasks;
}

// The plan's length worked out on the tasks themselves: a task starts when everything linked
// to it, to a summary above it, has finished; a summary finishes with its last task.
long long directDuration(const std::vector<Task> &tasks)
{
    const auto n = tasks.size();
    std::vector<long long> start(n, 0);
    auto finish = [&](int t) {
        long long latest = 0;
        for (int l = t; l < tasks[static_cast<std::size_t>(t)].end; ++l) {
            if (!isSummary(tasks, l))
                latest = std::max(latest,
                                  start[static_cast<std::size_t>(l)]
                                      + tasks[static_cast<std::size_t>(l)].days);
        }
        return latest;
    };
    for (std::size_t round = 0; round <= n; ++round) {
        bool changed = false;
        for (std::size_t i = 0; i < n; ++i) {
            if (isSummary(tasks, static_cast<int>(i)))
                continue;
            long long earliest = 0;
            for (int a = static_cast<int>(i); a >= 0;
                 a = tasks[static_cast<std::size_t>(a)].parent) {
                for (const int p : tasks[static_cast<std::size_t>(a)].predecessors)
                    earliest = std::max(earliest, finish(p));
            }
            if (earliest != start[i]) {
                start[i] = earliest;
                changed = true;
            }
        }
        if (!changed)
            break;
    }
    long long total = 0;
    for (std::size_t i = 0; i < n; ++i) {
        if (!isSummary(tasks, static_cast<int>(i)))
            total = std::max(total, start[i] + tasks[i].days);
    }
    return total;
}

// The file's minutes a day go to `minutesPerDay`.
std::string writeMspdi(const std::vector<Task> &tasks, fuzz::Random &random, int &minutesPerDay)
{
    minutesPerDay = random.percent(50) ? 480 : 60 * static_cast<int>(random.between(1, 12));
    std::string text = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Project "
                       "xmlns=\"http://schemas.microsoft.com/project\">\n<Title>Fuzz</Title>"
                       "<MinutesPerDay>"
        + std::to_string(minutesPerDay) + "</MinutesPerDay>\n<Tasks>\n";
    std::vector<int> level(tasks.size(), 1);
    for (std::size_t i = 0; i < tasks.size(); ++i) {
        const Task &t = tasks[i];
        if (t.parent >= 0)
            level[i] = level[static_cast<std::size_t>(t.parent)] + 1;
        const long long minutes = static_cast<long long>(t.days) * minutesPerDay;
        // The same length in another of its forms now and then.
        std::string duration
            = "PT" + std::to_string(minutes / 60) + "H" + std::to_string(minutes % 60) + "M0S";
        switch (random.below(8)) {
        case 0:
            duration = "P" + std::to_string(t.days) + "D";
            break;
        case 1:
            duration = "PT" + std::to_string(minutes) + "M";
            break;
        case 2:
            duration = "PT" + std::to_string(minutes * 60) + ".000S";
            break;
        case 3:
            duration = "P0DT00" + std::to_string(minutes / 60) + "H" + std::to_string(minutes % 60)
                + "M";
            break;
        default:
            break;
        }
        text += "<Task><UID>" + std::to_string(i + 10) + "</UID><ID>" + std::to_string(i + 1)
            + "</ID><Name>T" + std::to_string(i) + "</Name><OutlineLevel>"
            + std::to_string(level[i]) + "</OutlineLevel><Duration>" + duration
            + "</Duration><Milestone>" + (t.milestone ? "1" : "0") + "</Milestone>";
        for (const int p : t.predecessors)
            text += "<PredecessorLink><PredecessorUID>" + std::to_string(p + 10)
                + "</PredecessorUID><Type>1</Type><LinkLag>0</LinkLag></PredecessorLink>";
        text += "</Task>\n";
    }
    return text + "</Tasks>\n</Project>\n";
}

std::string writeGan(const std::vector<Task> &tasks)
{
    // depend elements sit in the predecessor.
    std::vector<std::vector<int>> successors(tasks.size());
    for (std::size_t i = 0; i < tasks.size(); ++i) {
        for (const int p : tasks[i].predecessors)
            successors[static_cast<std::size_t>(p)].push_back(static_cast<int>(i));
    }
    std::string text = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<project name=\"Fuzz\" "
                       "version=\"3.0\">\n<tasks>\n";
    std::vector<int> open;
    for (std::size_t i = 0; i < tasks.size(); ++i) {
        const Task &t = tasks[i];
        while (!open.empty() && open.back() != t.parent) {
            text += "</task>\n";
            open.pop_back();
        }
        text += "<task id=\"" + std::to_string(i) + "\" name=\"T" + std::to_string(i)
            + "\" meeting=\"" + (t.milestone ? "true" : "false") + "\" duration=\""
            + std::to_string(t.days) + "\">";
        for (const int s : successors[i])
            text += "<depend id=\"" + std::to_string(s) + "\" type=\"2\" difference=\"0\"/>";
        open.push_back(static_cast<int>(i));
    }
    while (!open.empty()) {
        text += "</task>\n";
        open.pop_back();
    }
    return text + "</tasks>\n</project>\n";
}

std::string mutated(fuzz::Random &random, std::string text)
{
    for (int changes = 1 + random.below(4); changes > 0; --changes) {
        const auto at = static_cast<std::size_t>(random.below(static_cast<int>(text.size()) + 1));
        switch (random.below(6)) {
        case 0: // byte flips
            for (int k = 1 + random.below(4); k > 0 && !text.empty(); --k)
                text[static_cast<std::size_t>(random.below(static_cast<int>(text.size())))]
                    ^= static_cast<char>(1 << random.below(8));
            break;
        case 1: // cut short
            text.resize(at);
            break;
        case 2: { // an element repeated: from one '<' to a later '>'
            const std::size_t open = text.find('<', at);
            const std::size_t close = open == std::string::npos
                ? std::string::npos
                : text.find('>', open + static_cast<std::size_t>(random.below(400)));
            if (close != std::string::npos)
                text.insert(open, text.substr(open, close + 1 - open));
            break;
        }
        case 3: { // deep nesting
            const int depth = random.percent(50) ? 50 + random.below(30) : random.below(5000);
            std::string nest;
            for (int d = 0; d < depth; ++d)
                nest += random.percent(50) ? "<Task>" : "<task id=\"1\">";
            text.insert(at, nest);
            break;
        }
        case 4: { // a piece of XML or planning text put in
            static const char *const kPieces[] = {"<!DOCTYPE x [<!ENTITY a \"b\">]>",
                                                  "&a;",
                                                  "&amp;",
                                                  "&#0;",
                                                  "&#xD800;",
                                                  "]]>",
                                                  "<![CDATA[x]]>",
                                                  "<Type>3</Type>",
                                                  "<LinkLag>10</LinkLag>",
                                                  "<Milestone>1</Milestone>",
                                                  "<PredecessorUID>10</PredecessorUID>",
                                                  "<OutlineLevel>9</OutlineLevel>",
                                                  "<Duration>PT7H</Duration>",
                                                  "<Duration>PT8H8H8H</Duration>",
                                                  "<Duration>PT8M8H</Duration>",
                                                  "<Duration>P1000001D</Duration>",
                                                  "<Duration>PT99999999999999999999H</Duration>",
                                                  "<Type>7</Type>",
                                                  " type=\"0\"",
                                                  " duration=\"1000001\"",
                                                  " duration=\"99999999999999999999\"",
                                                  "<!-- a comment -->",
                                                  "<?pi data?>",
                                                  "<UID>10</UID>",
                                                  "<IsNull>1</IsNull>",
                                                  " type=\"1\"",
                                                  " difference=\"3\"",
                                                  " meeting=\"true\"",
                                                  " duration=\"-1\"",
                                                  "<depend id=\"0\"/>",
                                                  "\xFF",
                                                  "\xC3",
                                                  "<",
                                                  ">",
                                                  "\"",
                                                  "</Task>",
                                                  "</task>"};
            text.insert(at, random.pick(kPieces));
            break;
        }
        default: // bytes removed
            text.erase(at, static_cast<std::size_t>(1 + random.below(20)));
            break;
        }
    }
    return text;
}

// What a duration of MSPDI comes to by its form's rules (XML Schema's duration: days before
// the T; hours, minutes, seconds after it; each once, in that order; decimals on seconds
// only, kept to the millisecond).
struct DurationCase {
    enum Outcome { Read, NotWholeMinutes, TooLong, Malformed };
    std::string text;
    int minutesPerDay = 480;
    Outcome outcome = Malformed;
    // What is read: so many of the unit, the largest the duration is whole in (a week of
    // 2400 minutes, a day of minutesPerDay, an hour, a minute; days for none).
    long long units = 0;
    engine::TimeUnit unit = engine::TimeUnit::Day;
    // GanttProject's whole days instead, and how they are refused (Engine: read).
    bool gan = false;
    io::FileProblemKind ganRefusal = io::FileProblemKind::Engine;
};

// A GanttProject duration: digits, maybe huge, negative, with decimals or a unit, or none.
DurationCase randomGanDuration(fuzz::Random &random)
{
    using Kind = io::FileProblemKind;
    DurationCase c;
    c.gan = true;
    const std::string digits = random.percent(50)
        ? std::to_string(random.between(0, 2'000'000))
        : std::string(static_cast<std::size_t>(random.below(12)), '0')
            + std::string(static_cast<std::size_t>(1 + random.below(25)), '9');
    const std::size_t significant = digits.find_first_not_of('0');
    const bool tooLarge = significant != std::string::npos
        && (digits.size() - significant > 7 || std::stoll(digits.substr(significant)) > 1'000'000);
    switch (random.below(6)) {
    case 0:
        c.text = "-" + digits;
        c.ganRefusal = Kind::NegativeDuration;
        break;
    case 1:
        c.text = digits + (random.percent(50) ? ".5" : ",25");
        c.ganRefusal = Kind::DurationNotWhole;
        break;
    case 2:
        c.text = digits + "d";
        c.ganRefusal = Kind::NotWholeNumber;
        break;
    case 3:
        c.text = random.percent(20) ? "" : " ";
        c.ganRefusal = Kind::MissingValue;
        break;
    default:
        c.text = (random.percent(20) ? " " : "") + digits;
        c.ganRefusal = tooLarge ? Kind::NumberTooLarge : Kind::Engine;
        c.units = tooLarge ? 0 : std::stoll(digits);
        break;
    }
    c.outcome = c.ganRefusal == Kind::Engine ? DurationCase::Read : DurationCase::Malformed;
    return c;
}

// A duration built from random parts, its outcome worked out from the parts, not the text.
DurationCase randomDuration(fuzz::Random &random)
{
    static const int kMinutesPerDay[] = {480, 450, 60, 1, 1440, 600};
    DurationCase c;
    c.minutesPerDay = random.pick(kMinutesPerDay);
    struct Part {
        int unit; // 0 D, 1 H, 2 M, 3 S
        std::string digits;
        std::string decimals; // after the point; "-" for none
    };
    std::vector<Part> parts;
    const bool sound = random.percent(60);
    for (int unit = 0; unit < 4; ++unit) {
        for (int times = sound ? random.below(2) : random.below(3); times > 0; --times) {
            Part part {.unit = sound ? unit : random.below(4), .digits = {}, .decimals = "-"};
            const int kind = random.below(10);
            part.digits = kind < 6 ? std::to_string(random.below(60))
                : kind < 8         ? std::to_string(random.between(0, 10'000'000))
                : kind < 9 ? std::string(static_cast<std::size_t>(1 + random.below(30)), '9')
                           : std::string(static_cast<std::size_t>(random.below(25)), '0')
                    + std::to_string(random.below(9));
            if (random.percent(part.unit == 3 ? 30 : 5)) {
                part.decimals = random.percent(50)
                    ? std::to_string(random.below(1000))
                    : random.pick(std::array<std::string, 4> {"", "5", "0001", "1000000"});
            }
            parts.push_back(part);
        }
    }
    // Where the T goes: before the first time part, nowhere, or anywhere.
    std::size_t firstTime = parts.size();
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (parts[i].unit > 0) {
            firstTime = i;
            break;
        }
    }
    std::vector<std::size_t> ts;
    if (firstTime < parts.size() || random.percent(10))
        ts.push_back(firstTime);
    if (random.percent(10))
        ts = {};
    if (random.percent(10))
        ts.push_back(static_cast<std::size_t>(random.below(static_cast<int>(parts.size()) + 1)));
    std::sort(ts.begin(), ts.end());

    c.text = random.percent(3) ? "-P" : "P";
    bool wellFormed = c.text == "P" && !parts.empty() && ts.size() <= 1;
    int last = -1;
    std::size_t nextT = 0;
    bool afterT = false, timePart = false;
    // Sums of parts each at most the longest duration: no overflow.
    // The reader's bound: the most units an activity lasts in the largest unit.
    const long long longest = 60'000LL * std::max(c.minutesPerDay, 2400) * engine::kMaxDuration;
    long long milliseconds = 0;
    bool huge = false;
    for (std::size_t i = 0; i <= parts.size(); ++i) {
        while (nextT < ts.size() && ts[nextT] == i) {
            c.text += 'T';
            afterT = true;
            ++nextT;
        }
        if (i == parts.size())
            break;
        const Part &part = parts[i];
        c.text += part.digits;
        if (part.decimals != "-")
            c.text += "." + part.decimals;
        c.text += "DHMS"[part.unit];
        wellFormed = wellFormed && part.unit > last && (part.unit > 0) == afterT;
        wellFormed = wellFormed
            && (part.decimals == "-"
                || (part.unit == 3 && !part.decimals.empty()
                    && part.decimals.find_first_not_of('0', 3) == std::string::npos));
        last = part.unit;
        timePart = timePart || afterT;
        const std::size_t significant = part.digits.find_first_not_of('0');
        const long long unitMs = part.unit == 0 ? 60'000LL * c.minutesPerDay
            : part.unit == 1                    ? 3'600'000
            : part.unit == 2                    ? 60'000
                                                : 1'000;
        if (significant != std::string::npos
            && (part.digits.size() - significant > 15
                || std::stoll(part.digits) > longest / unitMs)) {
            huge = true;
            continue;
        }
        milliseconds += std::stoll(part.digits) * unitMs;
        if (part.decimals != "-" && !part.decimals.empty())
            milliseconds += std::stoll((part.decimals + "000").substr(0, 3));
    }
    wellFormed = wellFormed && (afterT ? timePart : true);
    if (!wellFormed) {
        c.outcome = DurationCase::Malformed;
    } else if (huge || milliseconds > longest) {
        c.outcome = DurationCase::TooLong;
    } else if (milliseconds % 60'000 != 0) {
        c.outcome = DurationCase::NotWholeMinutes;
    } else {
        const long long minutes = milliseconds / 60'000;
        const std::pair<engine::TimeUnit, long long> units[]
            = {{engine::TimeUnit::Day, c.minutesPerDay},
               {engine::TimeUnit::Hour, 60},
               {engine::TimeUnit::Minute, 1}};
        std::size_t u = 0;
        while (minutes % units[u].second != 0)
            ++u;
        c.unit = units[u].first;
        c.units = minutes / units[u].second;
        c.outcome = c.units > engine::kMaxDuration ? DurationCase::TooLong : DurationCase::Read;
    }
    return c;
}

struct Input {
    std::string bytes;
    io::FileFormat format = io::FileFormat::Mspdi;
    long long expectedDuration = -1; // for an unchanged plan, in days
    int minutesPerDay = 480; // the plan's
    std::size_t activities = 0;
    std::optional<DurationCase> duration; // a plan of one task that lasts this
};

Input makeInput(fuzz::Random &random)
{
    Input input;
    if (random.percent(10)) {
        const DurationCase duration = randomDuration(random);
        input.bytes = "<Project><MinutesPerDay>" + std::to_string(duration.minutesPerDay)
            + "</MinutesPerDay><Tasks>\n<Task><UID>1</UID><ID>1</ID><Duration>" + duration.text
            + "</Duration></Task>\n</Tasks></Project>\n";
        input.duration = duration;
        return input;
    }
    if (random.percent(5)) {
        const DurationCase duration = randomGanDuration(random);
        input.format = io::FileFormat::Gantt;
        input.bytes = "<project><tasks>\n<task id=\"1\" duration=\"" + duration.text
            + "\"/>\n</tasks></project>\n";
        input.duration = duration;
        return input;
    }
    input.format = random.percent(50) ? io::FileFormat::Mspdi : io::FileFormat::Gantt;
    const std::vector<Task> tasks = randomPlan(random);
    input.bytes = input.format == io::FileFormat::Mspdi
        ? writeMspdi(tasks, random, input.minutesPerDay)
        : writeGan(tasks);
    if (random.percent(25)) {
        input.expectedDuration = directDuration(tasks);
        for (std::size_t i = 0; i < tasks.size(); ++i)
            input.activities += isSummary(tasks, static_cast<int>(i)) ? 0 : 1;
        // Comments and processing instructions before the first element change nothing.
        if (random.percent(30)) {
            const std::size_t root = input.bytes.find('\n') + 1;
            input.bytes.insert(root,
                               random.percent(50)
                                   ? "<!-- saved by a planning tool -->\n<?tool x=\"1\"?>\n"
                                   : "<?xml-stylesheet href=\"plan.css\"?>\n<!---->\n");
        }
    } else {
        input.bytes = mutated(random, input.bytes);
    }
    return input;
}

// Empty when a duration was read as its rules say, else what is wrong.
std::string checkDuration(const DurationCase &c, const io::ReadResult &result)
{
    using Kind = io::FileProblemKind;
    static const Kind kTold[] = {Kind::Engine, Kind::DurationNotWholeMinutes,
                                 Kind::TaskDurationTooLong, Kind::BadTaskDuration};
    const std::string said = " for " + c.text + " at " + std::to_string(c.minutesPerDay)
        + " minutes a day: " + result.message().toStdString();
    if (c.outcome == DurationCase::Read) {
        if (!result.isLoaded())
            return "a sound duration was refused" + said;
        if (result.project().activities.at(0).normalDuration != c.units
            || result.project().timeUnit != c.unit)
            return "a duration was read as "
                + std::to_string(result.project().activities.at(0).normalDuration)
                + " units of another size than " + std::to_string(c.units) + said;
        return {};
    }
    // Told once: an imported activity has its duration as its crash duration too.
    if (result.isLoaded() || result.problems().count() != 1
        || result.problems().kept().at(0).kind != (c.gan ? c.ganRefusal : kTold[c.outcome]))
        return "a duration was not told as its rules say" + said;
    return {};
}

std::string said(const char *what, const std::string &detail)
{
    std::string text = what;
    text += detail;
    return text;
}

std::string check(const Input &input, bool &accepted)
{
    const QByteArray bytes(input.bytes.data(), static_cast<qsizetype>(input.bytes.size()));
    const io::ReadResult result = io::read(bytes, QStringLiteral("fuzz"), input.format);
    accepted = result.isLoaded();
    if (input.duration)
        return checkDuration(*input.duration, result);
    if (!result.isLoaded()) {
        if (input.expectedDuration >= 0)
            return said("an unchanged plan was refused: ", result.message().toStdString());
        if (result.problems().kept().empty())
            return "refused without a problem";
        // What the engine finds is about activities, which the readers keep apart by line:
        // one sentence twice is one fault told twice.
        QStringList engineTexts;
        for (const io::Problem &problem : result.problems().kept()) {
            const QString text = io::englishText(problem);
            if (text.isEmpty() || problem.place.file != u"fuzz")
                return "a problem without words or file";
            if (problem.kind != io::FileProblemKind::Engine)
                continue;
            if (engineTexts.contains(text))
                return said("a problem told twice: ", text.toStdString());
            engineTexts << text;
        }
        return {};
    }
    const engine::Project &project = result.project();
    const std::vector<engine::Problem> problems = engine::validate(project);
    if (!problems.empty())
        return said("accepted an unsound project: ", engine::describe(problems.front(), project));
    // One crash-data warning an activity, after the time unit's when it is not days.
    const bool unitTold = project.timeUnit != engine::TimeUnit::Day;
    if (result.warnings().count()
        != static_cast<std::int64_t>(project.activities.size()) + (unitTold ? 1 : 0))
        return "not one crash-data warning an activity";
    for (const io::Problem &warning : result.warnings().kept()) {
        const bool isUnit = warning.kind == io::FileProblemKind::TimeUnitChosen;
        if (isUnit != (unitTold && &warning == &result.warnings().kept().front()))
            return "the time unit told where it is days, or not first";
        if (!isUnit
            && (warning.kind != io::FileProblemKind::CrashDataMissing
                || warning.place.activity.isEmpty()))
            return "a warning that is not about crash data of an activity";
    }
    for (const engine::Activity &a : project.activities) {
        if (a.crashDuration != a.normalDuration || a.crashCostPerUnit != 0)
            return "an activity that can be crashed";
    }
    if (input.expectedDuration >= 0) {
        if (project.activities.size() != input.activities)
            return "an unchanged plan has other activities";
        const engine::Network network(project);
        std::vector<engine::Duration> durations;
        for (const engine::Activity &a : project.activities)
            durations.push_back(a.normalDuration);
        // Compared in minutes: a plan with part days counts in hours or minutes.
        const std::map<engine::TimeUnit, long long> minutesIn {
            {engine::TimeUnit::Week, 2400},
            {engine::TimeUnit::Day, input.minutesPerDay},
            {engine::TimeUnit::Hour, 60},
            {engine::TimeUnit::Minute, 1}};
        const engine::Duration length = engine::computeSchedule(network, durations).projectDuration;
        if (length * minutesIn.at(project.timeUnit) != input.expectedDuration * input.minutesPerDay)
            return said("the plan's length differs: ",
                        std::to_string(length) + " against "
                            + std::to_string(input.expectedDuration));
    }
    return {};
}

std::string printable(const std::string &text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size() && i < 2000; ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if ((c >= 0x20 && c < 0x7f) || c == '\n') {
            out += static_cast<char>(c);
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
            out += escaped;
        }
    }
    return out;
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
        figures.mspdi += input.format == io::FileFormat::Mspdi ? 1 : 0;
        figures.bytes += static_cast<long long>(input.bytes.size());
        watchdog.starting(printable(input.bytes));
        bool accepted = false;
        const std::string problem = check(input, accepted);
        (accepted ? figures.accepted : figures.rejected) += 1;
        if (!problem.empty()) {
            ++figures.failures;
            std::printf("FAIL seed %llu input %lld (%s): %s\n  input: %s\n",
                        static_cast<unsigned long long>(options.seed), figures.inputs,
                        input.format == io::FileFormat::Mspdi ? "MSPDI" : ".gan", problem.c_str(),
                        printable(input.bytes).c_str());
        }
    }

    std::printf("fuzz_xmlimport seed %llu: %lld inputs (%lld MSPDI, %lld .gan; %.1f MB), "
                "%lld accepted, %lld refused, %lld failures\n",
                static_cast<unsigned long long>(options.seed), figures.inputs, figures.mspdi,
                figures.inputs - figures.mspdi, static_cast<double>(figures.bytes) / 1e6,
                figures.accepted, figures.rejected, figures.failures);
    return figures.failures == 0 ? 0 : 1;
}
