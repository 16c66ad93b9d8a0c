// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "referencemodel.h"
#include "sets.h"

#include <QString>

#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <functional>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace {

// What the source figures say about each set, independently of the set files.
struct SetFacts {
    int activityCount;
    int routeCount;
    std::string multiLineActivities; // activities drawn with converging lines
    int pathLabelLength; // characters of every "    สายงานที่ i : ... = " label
};

const std::map<int, SetFacts> facts = {
    {1, {9, 4, "H", 26}}, {2, {8, 4, "DH", 32}}, {3, {6, 2, "", 26}},
    {4, {6, 2, "F", 28}}, {5, {8, 3, "H", 32}},
};

char letterOf(const BuiltInRow &row)
{
    return row.activity[0];
}

// Every chain from an activity without predecessors to one that nothing waits for, by the
// reference model; a broken network is reported as a failure.
std::set<std::string> routesFromPredecessors(const SetDefinition &set)
{
    std::vector<testsupport::Precedence> network;
    for (const BuiltInRow &row : set.practice.rows)
        network.push_back({letterOf(row), row.predecessor});
    const testsupport::Routes routes = testsupport::routesFromPredecessors(network);
    if (!routes.error.empty())
        ADD_FAILURE() << routes.error;
    return {routes.routes.begin(), routes.routes.end()};
}

const NetworkLine *findLine(const NetworkGeometry &network, int from, int to)
{
    for (const NetworkLine &line : network.lines) {
        if (line.fromNode == from && line.toNode == to)
            return &line;
    }
    return nullptr;
}

// Every walk along the drawn lines from node 1 to the last node, spelled as activities.
std::set<std::string> routesThroughNetwork(const NetworkGeometry &network)
{
    const int lastNode = int(network.nodes.size());
    std::set<std::string> routes;
    std::function<void(int, std::string)> walk = [&](int node, std::string route) {
        if (node == lastNode) {
            routes.insert(route);
            return;
        }
        for (const NetworkLine &line : network.lines) {
            if (line.fromNode == node)
                walk(line.toNode, route + line.activity);
        }
    };
    walk(1, {});
    return routes;
}

bool isWholeNumber(const char *text, int *value)
{
    const std::string_view digits(text);
    if (digits.empty() || digits.find_first_not_of("0123456789") != std::string_view::npos)
        return false;
    const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), *value);
    return result.ec == std::errc();
}

class EverySet : public ::testing::TestWithParam<int> {
protected:
    const SetDefinition &set() const { return setDefinition(GetParam()); }
    const SetFacts &fact() const { return facts.at(GetParam()); }
};

TEST_P(EverySet, BuiltInRowsAreWellFormed)
{
    const SetDefinition &s = set();
    ASSERT_EQ(int(s.practice.rows.size()), fact().activityCount);
    EXPECT_LE(int(s.practice.rows.size()), s.practice.capacity);
    EXPECT_GE(s.gridRowCount - 1, int(s.practice.rows.size())) << "every activity needs a grid row";
    EXPECT_LE(s.gridRowCount - 1, s.practice.capacity);
    for (std::size_t k = 0; k < s.practice.rows.size(); ++k) {
        const BuiltInRow &row = s.practice.rows[k];
        SCOPED_TRACE(row.activity);
        EXPECT_EQ(letterOf(row), char('A' + k)) << "activities are in letter order";
        int normal = 0, crash = 0, cost = 0;
        ASSERT_TRUE(isWholeNumber(row.normalDuration, &normal));
        ASSERT_TRUE(isWholeNumber(row.crashDuration, &crash));
        ASSERT_TRUE(isWholeNumber(row.crashCostPerDay, &cost));
        EXPECT_LE(crash, normal);
        EXPECT_GT(cost, 0);
        EXPECT_LT(cost, 999999) << "the selection treats 999999 as no candidate";
    }
}

TEST_P(EverySet, PathListHoldsExactlyTheRoutesOfThePredecessors)
{
    const SetDefinition &s = set();
    const std::set<std::string> routes = routesFromPredecessors(s);
    std::set<std::string> listed;
    for (const PathDefinition &path : s.practice.paths)
        EXPECT_TRUE(listed.insert(std::string(path.activities)).second)
            << "path listed twice: " << path.activities;
    EXPECT_EQ(listed, routes);
    EXPECT_EQ(int(routes.size()), fact().routeCount);
    EXPECT_LE(s.practice.paths.size(), 4u) << "the analysis keeps four paths at most";
}

TEST_P(EverySet, LineEndsSitOnTheirNodeBoxes)
{
    const NetworkGeometry &n = set().network;
    ASSERT_LE(n.nodes.size(), 9u) << "node numbers are drawn as one character";
    for (const NodeBox &box : n.nodes) {
        EXPECT_EQ(box.right - box.left, 50);
        EXPECT_EQ(box.bottom - box.top, 50);
        EXPECT_GT(box.left, 0);
        EXPECT_GT(box.top, 0);
        EXPECT_LT(box.right, n.frameWidth);
        EXPECT_LT(box.bottom, 330);
    }
    for (const NetworkLine &line : n.lines) {
        SCOPED_TRACE(testing::Message() << line.fromNode << "->" << line.toNode);
        ASSERT_GE(line.fromNode, 1);
        ASSERT_LE(line.toNode, int(n.nodes.size()));
        EXPECT_LT(line.fromNode, line.toNode);
        const NodeBox &from = n.nodes[line.fromNode - 1];
        const NodeBox &to = n.nodes[line.toNode - 1];
        EXPECT_EQ(line.start, QPoint(from.right, from.top + 25));
        // Set 3's C meets node 4 a little above the middle, as the original picture does.
        const int drop
            = set().practice.number == 3 && line.fromNode == 2 && line.toNode == 4 ? 20 : 25;
        EXPECT_EQ(line.end, QPoint(to.left, to.top + drop));
        EXPECT_LT(line.start.x(), line.end.x()) << "the network reads from left to right";
    }
}

TEST_P(EverySet, HighlightRowsRedrawTheirPath)
{
    const NetworkGeometry &n = set().network;
    const auto &paths = set().practice.paths;
    ASSERT_EQ(n.pathHighlights.size(), paths.size()) << "one highlight per path";
    for (std::size_t k = 0; k < paths.size(); ++k) {
        const PathDefinition &path = paths[k];
        SCOPED_TRACE(std::string(path.activities));
        const auto &nodes = n.pathHighlights[k].nodes;
        const auto &lines = n.pathHighlights[k].lines;
        ASSERT_GE(nodes.size(), 2u);
        EXPECT_EQ(nodes.front(), 1);
        EXPECT_EQ(nodes.back(), int(n.nodes.size()));
        ASSERT_EQ(lines.size(), nodes.size() - 1);
        std::string spelled;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            EXPECT_EQ(lines[i], std::make_pair(nodes[i], nodes[i + 1]));
            const NetworkLine *line = findLine(n, lines[i].first, lines[i].second);
            ASSERT_NE(line, nullptr) << lines[i].first << "->" << lines[i].second;
            spelled += line->activity;
        }
        EXPECT_EQ(spelled, path.activities);
    }
}

TEST_P(EverySet, DrawnRoutesAreThePathList)
{
    std::set<std::string> listed;
    for (const PathDefinition &path : set().practice.paths)
        listed.insert(std::string(path.activities));
    EXPECT_EQ(routesThroughNetwork(set().network), listed);
}

TEST_P(EverySet, EveryDrawnActivityHasOneLabel)
{
    const SetDefinition &s = set();
    const NetworkGeometry &n = s.network;
    std::map<char, int> lineCount;
    for (const NetworkLine &line : n.lines)
        ++lineCount[line.activity];
    std::string several, drawn;
    for (const auto &[activity, count] : lineCount) {
        drawn += activity;
        if (count > 1)
            several += activity;
    }
    EXPECT_EQ(several, fact().multiLineActivities);

    std::string rowLetters, labelLetters;
    for (const BuiltInRow &row : s.practice.rows)
        rowLetters += letterOf(row);
    for (const ActivityLabel &label : n.labels) {
        labelLetters += label.activity;
        EXPECT_GE(label.at.x(), 0);
        EXPECT_GE(label.at.y(), 0);
        EXPECT_LT(label.at.x(), n.frameWidth) << label.activity;
        EXPECT_LT(label.at.y(), 330) << label.activity;
    }
    EXPECT_EQ(drawn, rowLetters) << "every activity is drawn";
    EXPECT_EQ(labelLetters, rowLetters) << "one label per activity, in letter order";
}

TEST_P(EverySet, PathLabelsLineUp)
{
    const auto &paths = set().practice.paths;
    for (std::size_t i = 0; i < paths.size(); ++i) {
        const PathDefinition &path = paths[i];
        SCOPED_TRACE(std::string(path.activities));
        ASSERT_GE(path.labelFill, 0);
        QString joined;
        for (char letter : path.activities)
            joined += (joined.isEmpty() ? QString() : QStringLiteral("+")) + QChar(letter);
        const QString label = QStringLiteral("    สายงานที่ %1 : ").arg(i + 1) + joined
            + QString(path.labelFill, QLatin1Char(' ')) + QStringLiteral(" = ");
        EXPECT_EQ(label.size(), fact().pathLabelLength) << label.toStdString();
    }
}

TEST_P(EverySet, ControlsLieInsideTheirParents)
{
    const SetDefinition &s = set();
    const ExerciseLayout &l = s.layout;
    const QRect panel1(QPoint(0, 0), l.panel1.size());
    for (const QRect &r : {l.paintBox1, l.bitBtn5, l.label47, l.stringGrid1, l.bitBtn1, l.bitBtn2,
                           l.bitBtn3, l.bitBtn6})
        EXPECT_TRUE(panel1.contains(r))
            << "Panel1 " << l.panel1.width() << "x" << l.panel1.height() << " lacks " << r.x()
            << "," << r.y() << " " << r.width() << "x" << r.height();
    const QRect panel2(QPoint(0, 0), l.panel2.size());
    for (const QRect &r : {l.label48, l.edit29, l.label49, l.edit28, l.label53, l.bitBtn4,
                           l.listBox1, l.listBox2, l.label50, l.label51, l.label52})
        EXPECT_TRUE(panel2.contains(r))
            << "Panel2 " << l.panel2.width() << "x" << l.panel2.height() << " lacks " << r.x()
            << "," << r.y() << " " << r.width() << "x" << r.height();
    EXPECT_LT(l.panel1.right(), l.panel2.left()) << "the two panels sit side by side";

    EXPECT_TRUE(l.paintBox1.contains(l.bitBtn5)) << "the build button lies on the drawing area";
    EXPECT_LT(s.network.frameWidth, l.paintBox1.width());
    EXPECT_LT(330, l.paintBox1.height());

    EXPECT_LE(s.gridRowCount * s.gridRowHeight, l.stringGrid1.height());
    int columns = 0;
    for (int width : s.columnWidths)
        columns += width;
    EXPECT_LE(columns, l.stringGrid1.width());

    // The edit panel covers the grid but none of the buttons below it.
    const QRect grid = l.stringGrid1.translated(l.panel1.topLeft());
    EXPECT_TRUE(l.panel3.contains(grid));
    for (const QRect &button : {l.bitBtn1, l.bitBtn2, l.bitBtn3, l.bitBtn6})
        EXPECT_FALSE(l.panel3.intersects(button.translated(l.panel1.topLeft())));
}

TEST_P(EverySet, EditPanelLinesFitThePanel)
{
    const SetDefinition &s = set();
    const EditPanelLayout &e = s.editPanel;
    const QSize panel = s.layout.panel3.size();
    const int lastEditBottom = e.firstEditTop + 29 * (int(s.practice.rows.size()) - 1) + 31;
    EXPECT_LE(lastEditBottom, panel.height());
    EXPECT_LT(e.headingAt.y(), e.firstEditTop);

    // Left to right, each item ends before the next begins (sizes from the designer).
    const int nameWidth = 61, normalCaptionWidth = 75, crashCaptionWidth = 40,
              costCaptionWidth = 64, durationEditWidth = 41;
    const std::vector<std::pair<int, int>> items = {
        {e.nameLeft, nameWidth},           {e.normalCaptionLeft, normalCaptionWidth},
        {224, durationEditWidth},          {e.crashCaptionLeft, crashCaptionWidth},
        {328, durationEditWidth},          {e.costCaptionLeft, costCaptionWidth},
        {e.costEditLeft, e.costEditWidth}, {e.unitLeft, e.unitWidth},
    };
    for (std::size_t i = 0; i + 1 < items.size(); ++i)
        EXPECT_LE(items[i].first + items[i].second, items[i + 1].first) << "item " << i;
    EXPECT_LE(items.back().first + items.back().second, panel.width());
}

INSTANTIATE_TEST_SUITE_P(SetData, EverySet, ::testing::Range(1, 6),
                         [](const ::testing::TestParamInfo<int> &setNumber) {
                             return "set" + std::to_string(setNumber.param);
                         });

TEST(SetDataLookup, NumbersOneToFiveOnly)
{
    const std::vector<const SetDefinition *> direct
        = {&set1Definition(), &set2Definition(), &set3Definition(), &set4Definition(),
           &set5Definition()};
    for (int number = 1; number <= 5; ++number) {
        EXPECT_EQ(&setDefinition(number), direct[number - 1]);
        EXPECT_EQ(setDefinition(number).practice.number, number);
    }
    EXPECT_THROW(setDefinition(0), std::out_of_range);
    EXPECT_THROW(setDefinition(6), std::out_of_range);
}

TEST(SetDataTexts, TextsThatTheLogsAndGridShow)
{
    struct Expected {
        int set;
        std::string_view header, unitPiece, unit, headingEnd;
        bool prefix;
    };
    const std::string_view perWeek = " (ต่อสัปดาห์)";
    const Expected expected[] = {
        {1, "     กิจกรรม", " วัน  = ", "บาท", "โครงการ", true},
        {2, "           กิจกรรม", " สัปดาห์  = ", "บาท/วัน", perWeek, false},
        {3, "     กิจกรรม", " วัน  = ", "บาท", "โครงการ", true},
        {4, "     กิจกรรม", " วัน  = ", "บาท", "โครงการ", true},
        {5, "           กิจกรรม", " สัปดาห์  = ", "บาท/วัน", perWeek, false},
    };
    for (const Expected &x : expected) {
        SCOPED_TRACE(x.set);
        const SetDefinition &s = setDefinition(x.set);
        EXPECT_EQ(std::string_view(s.activityHeader), x.header);
        EXPECT_EQ(std::string_view(s.practice.unitPiece), x.unitPiece);
        EXPECT_EQ(std::string_view(s.editPanel.unit), x.unit);
        EXPECT_TRUE(std::string_view(s.editPanel.heading).ends_with(x.headingEnd));
        EXPECT_TRUE(std::string_view(s.editPanel.heading).starts_with("ข้อมูลตารางงาน"));
        EXPECT_EQ(s.gridCellPrefix, x.prefix);
    }

    EXPECT_STREQ(set1Definition().practice.rows[7].predecessor, "D , E");
    EXPECT_STREQ(set2Definition().practice.rows[0].activity, "A-รวบรวมความต้องการ");
    EXPECT_STREQ(set2Definition().practice.rows[3].predecessor, "B,C");
    EXPECT_STREQ(set2Definition().practice.rows[7].predecessor, "E, G");
    EXPECT_STREQ(set4Definition().practice.rows[5].predecessor, "D,E");
    EXPECT_STREQ(set5Definition().practice.rows[7].predecessor, "E, F, G");
    for (std::size_t k = 0; k < set2Definition().practice.rows.size(); ++k)
        EXPECT_STREQ(set5Definition().practice.rows[k].activity,
                     set2Definition().practice.rows[k].activity);
}

TEST(SetDataTexts, WindowPlacementAndColours)
{
    for (int number = 1; number <= 5; ++number) {
        const SetDefinition &s = setDefinition(number);
        SCOPED_TRACE(number);
        EXPECT_TRUE(QString::fromUtf8(s.caption).endsWith(QString::number(number)));
        const bool designed = number == 5;
        EXPECT_EQ(s.placement == WindowPlacement::AtDesignedPosition, designed);
        EXPECT_EQ(s.windowColor.has_value(), number == 1 || number == 5)
            << "sets 2 to 4 keep the button face";
    }
    EXPECT_EQ(set5Definition().designedPosition, QPoint(-4, -4));
    EXPECT_EQ(set5Definition().label51TextColor, QColor(Qt::white));
}

} // namespace
