// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

// Links into and out of summary tasks in large plans, in both planning tools' files: a link
// to a summary whose tasks form a chain is the same as a link to the chain's first (from its
// last) task, and costs no more time to read; links that would become too many links
// between activities are refused before any is made.

#include "iotestsupport.h"
#include "xmlreading.h"

#include <chrono>
#include <map>

namespace {

using io::FileFormat;
using io::FileProblemKind;

// A plan of `outside` tasks p0, p1, ... that each come before the summary S, S holding
// `inside` tasks c0, c1, ..., and `outside` tasks q0, q1, ... that each come after S. With
// `chained` each c waits for the one before it. With `direct` the links name c0 (into S)
// and the last c (out of S) instead of S.
struct PlanShape {
    int outside = 0;
    int inside = 0;
    bool chained = true;
    bool direct = false;
    int repeats = 1; // how often each link in and out is named (only in memory)
};

std::string id(char letter, int number)
{
    return letter + std::to_string(number);
}

std::string ganPlan(const PlanShape &shape)
{
    const std::string lastInside = id('c', shape.inside - 1);
    std::string successors; // depend elements sit in the predecessor
    for (int i = 0; i < shape.outside; ++i)
        successors += "<depend id=\"" + id('q', i) + "\"/>";
    std::string text = "<?xml version=\"1.0\"?>\n<project name=\"Large\">\n<tasks>\n";
    for (int i = 0; i < shape.outside; ++i)
        text += "<task id=\"" + id('p', i) + "\" duration=\"1\"><depend id=\""
            + (shape.direct ? "c0" : "S") + "\"/></task>\n";
    text += "<task id=\"S\" name=\"Summary\">" + (shape.direct ? std::string() : successors) + "\n";
    for (int i = 0; i < shape.inside; ++i) {
        std::string inside;
        if (shape.chained && i + 1 < shape.inside)
            inside = "<depend id=\"" + id('c', i + 1) + "\"/>";
        if (shape.direct && i + 1 == shape.inside)
            inside += successors;
        text += "<task id=\"" + id('c', i) + "\" duration=\"2\">" + inside + "</task>\n";
    }
    text += "</task>\n";
    for (int i = 0; i < shape.outside; ++i)
        text += "<task id=\"" + id('q', i) + "\" duration=\"1\"/>\n";
    return text + "</tasks>\n</project>\n";
}

std::string mspdiPlan(const PlanShape &shape)
{
    // UIDs: p i is 1 + i, S is 1 + outside, c i follows, then q i.
    const int summary = 1 + shape.outside;
    const auto uidOfInside = [&](int i) { return summary + 1 + i; };
    const auto link = [](int predecessor) {
        return "<PredecessorLink><PredecessorUID>" + std::to_string(predecessor)
            + "</PredecessorUID><Type>1</Type></PredecessorLink>";
    };
    const auto task = [](int uid, const std::string &name, int level, const char *duration,
                         const std::string &inside) {
        return "<Task><UID>" + std::to_string(uid) + "</UID><ID>" + name + "</ID><OutlineLevel>"
            + std::to_string(level) + "</OutlineLevel><Duration>" + duration + "</Duration>"
            + inside + "</Task>\n";
    };
    std::string predecessors;
    for (int i = 0; i < shape.outside; ++i)
        predecessors += link(1 + i);
    std::string text = "<?xml version=\"1.0\"?>\n<Project><Tasks>\n";
    for (int i = 0; i < shape.outside; ++i)
        text += task(1 + i, id('p', i), 1, "PT8H0M0S", {});
    text += task(summary, "S", 1, "PT0H0M0S", shape.direct ? std::string() : predecessors);
    for (int i = 0; i < shape.inside; ++i) {
        std::string inside;
        if (shape.chained && i > 0)
            inside = link(uidOfInside(i - 1));
        if (shape.direct && i == 0)
            inside += predecessors;
        text += task(uidOfInside(i), id('c', i), 2, "PT16H0M0S", inside);
    }
    const int after = shape.direct ? uidOfInside(shape.inside - 1) : summary;
    for (int i = 0; i < shape.outside; ++i)
        text += task(uidOfInside(shape.inside) + i, id('q', i), 1, "PT8H0M0S", link(after));
    return text + "</Tasks></Project>\n";
}

io::ReadResult readPlan(const PlanShape &shape, FileFormat format)
{
    const std::string text = format == FileFormat::Gantt ? ganPlan(shape) : mspdiPlan(shape);
    return io::read(QByteArray(text.data(), static_cast<qsizetype>(text.size())),
                    format == FileFormat::Gantt ? u"large.gan"_qs : u"large.xml"_qs, format);
}

std::map<std::string, std::vector<std::string>> predecessorsOf(const engine::Project &project)
{
    std::map<std::string, std::vector<std::string>> result;
    for (const engine::Activity &a : project.activities) {
        std::vector<std::string> list = a.predecessors;
        std::sort(list.begin(), list.end());
        result[a.id] = list;
    }
    return result;
}

// The same plan as a reader hands it to buildPlan, each task on a line of its own.
io::Plan planInMemory(const PlanShape &shape)
{
    io::Plan plan;
    const auto add = [&](std::string id, int parent, engine::Duration days) {
        const int index = static_cast<int>(plan.tasks.size());
        plan.tasks.push_back(
            {.id = std::move(id), .parent = parent, .line = index + 1, .minutes = days * 480});
        return index;
    };
    const auto link = [&](int from, int to) {
        plan.links.push_back(
            {.from = from, .to = to, .line = plan.tasks[static_cast<std::size_t>(to)].line});
    };
    std::vector<int> before, after;
    for (int i = 0; i < shape.outside; ++i)
        before.push_back(add(id('p', i), -1, 1));
    const int summary = add("S", -1, 0);
    const int first = summary + 1;
    for (int i = 0; i < shape.inside; ++i)
        add(id('c', i), summary, 2);
    const int last = first + shape.inside - 1;
    for (int i = 0; i < shape.outside; ++i)
        after.push_back(add(id('q', i), -1, 1));
    for (int r = 0; r < shape.repeats; ++r) {
        for (const int p : before)
            link(p, shape.direct ? first : summary);
    }
    for (int c = first; shape.chained && c < last; ++c)
        link(c, c + 1);
    for (int r = 0; r < shape.repeats; ++r) {
        for (const int q : after)
            link(shape.direct ? last : summary, q);
    }
    return plan;
}

// Builds the plan and says how long that took, in seconds.
double secondsToBuild(const PlanShape &shape, io::ReadResult &result)
{
    io::Plan plan = planInMemory(shape);
    const auto start = std::chrono::steady_clock::now();
    result = io::buildPlan(std::move(plan), u"large.gan"_qs, {});
    const std::chrono::duration<double> taken = std::chrono::steady_clock::now() - start;
    return taken.count();
}

const FileFormat kFormats[] = {FileFormat::Gantt, FileFormat::Mspdi};

TEST(SummaryLinks, ChainInsideASummaryIsLinkedAtItsEnds)
{
    for (const FileFormat format : kFormats) {
        SCOPED_TRACE(format == FileFormat::Gantt ? "GanttProject" : "Microsoft Project");
        const PlanShape shape {.outside = 300, .inside = 200};
        PlanShape direct = shape;
        direct.direct = true;
        const io::ReadResult viaSummary = readPlan(shape, format);
        const io::ReadResult viaEnds = readPlan(direct, format);
        ASSERT_TRUE(viaSummary.isLoaded()) << viaSummary.message().toStdString();
        ASSERT_TRUE(viaEnds.isLoaded()) << viaEnds.message().toStdString();
        const auto links = predecessorsOf(viaSummary.project());
        EXPECT_EQ(links, predecessorsOf(viaEnds.project()));
        ASSERT_EQ(links.size(), 800u);
        EXPECT_EQ(links.at("c0").size(), 300u);
        EXPECT_EQ(links.at("c1"), std::vector<std::string> {"c0"});
        EXPECT_EQ(links.at("q299"), std::vector<std::string> {"c199"});
    }
}

// Each link used to look at every task of its summary: 100,000 links into and as many out of
// a summary of 30,000 tasks (a file may name a link many times over) were 6 * 10^9 steps,
// 7 s without the sanitizers and 150 s with them, against 0.06 s and 1 s for the plan linked
// at the chain's ends. Now every summary is looked at once and each link costs the links
// between activities it makes, one here, so both plans take about as long.
TEST(SummaryLinks, ManyLinksThroughALargeSummaryTakeLinearTime)
{
    const PlanShape shape {.outside = 2'000, .inside = 30'000, .repeats = 50};
    PlanShape direct = shape;
    direct.direct = true;
    io::ReadResult viaSummary, viaEnds;
    double summarySeconds = secondsToBuild(shape, viaSummary);
    double endsSeconds = secondsToBuild(direct, viaEnds);
    ASSERT_TRUE(viaSummary.isLoaded()) << viaSummary.message().toStdString();
    ASSERT_TRUE(viaEnds.isLoaded()) << viaEnds.message().toStdString();
    const std::vector<engine::Activity> &activities = viaSummary.project().activities;
    ASSERT_EQ(activities.size(), 34'000u);
    // The same activities in the same order, each with the same predecessors.
    std::size_t links = 0, differ = 0;
    for (std::size_t i = 0; i < activities.size(); ++i) {
        links += activities[i].predecessors.size();
        differ += activities[i].predecessors != viaEnds.project().activities[i].predecessors;
    }
    EXPECT_EQ(differ, 0u);
    EXPECT_EQ(links, 2'000u + 29'999u + 2'000u);
    EXPECT_EQ(activities.at(2'000).predecessors.size(), 2'000u); // c0 after every p
    EXPECT_EQ(activities.back().predecessors, std::vector<std::string> {"c29999"});
    // Once more when the machine was busy at the wrong moment.
    if (summarySeconds > 2 * endsSeconds) {
        summarySeconds = std::min(summarySeconds, secondsToBuild(shape, viaSummary));
        endsSeconds = std::min(endsSeconds, secondsToBuild(direct, viaEnds));
    }
    EXPECT_LT(summarySeconds, 2 * endsSeconds)
        << summarySeconds << " s against " << endsSeconds << " s";
}

// Links from every outside task to every task of the summary: outside * inside links between
// activities, refused once they pass 10,000,000 whatever the sizes, from the counts alone.
TEST(SummaryLinks, TooManyLinksAreRefusedBeforeTheyAreMade)
{
    const struct {
        int outside, inside;
        bool refused;
    } cases[] = {
        {100, 100, false}, // 10,000 links into S, and as many out
        {2'237, 2'237, true}, // 5,004,169 into S and as many out: 10,008,338
    };
    for (const FileFormat format : kFormats) {
        for (const auto &c : cases) {
            SCOPED_TRACE(testing::Message() << (format == FileFormat::Gantt ? ".gan " : ".xml ")
                                            << c.outside << " x " << c.inside);
            const io::ReadResult result
                = readPlan({.outside = c.outside, .inside = c.inside, .chained = false}, format);
            if (!c.refused) {
                ASSERT_TRUE(result.isLoaded()) << result.message().toStdString();
                EXPECT_EQ(predecessorsOf(result.project()).at("c7").size(),
                          static_cast<std::size_t>(c.outside));
                EXPECT_EQ(predecessorsOf(result.project()).at("q7").size(),
                          static_cast<std::size_t>(c.inside));
                continue;
            }
            ASSERT_FALSE(result.isLoaded());
            ASSERT_EQ(result.problems().count(), 1) << result.message().toStdString();
            const io::Problem &p = result.problems().kept().at(0);
            EXPECT_EQ(p.kind, FileProblemKind::TooManyLinks);
            EXPECT_EQ(p.bound, 10'000'000);
            EXPECT_GT(p.place.line, 0);
        }
    }
    // 4 * 10^8 links into S, refused as soon as they are counted.
    io::ReadResult huge;
    secondsToBuild({.outside = 20'000, .inside = 20'000, .chained = false}, huge);
    ASSERT_EQ(huge.problems().count(), 1) << huge.message().toStdString();
    EXPECT_EQ(huge.problems().kept().at(0).kind, FileProblemKind::TooManyLinks);
}

} // namespace
