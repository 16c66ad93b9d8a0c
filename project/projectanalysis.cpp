// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "projectanalysis.h"

#include "linknotation.h"
#include "money.h"
#include "thaiproblems.h"
#include "thaitext.h"
#include "validation.h"
#include "values.h"

#include <QStringDecoder>

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

namespace project {

namespace {

bool isBlank(const ActivityRow &row)
{
    return std::all_of(row.begin(), row.end(),
                       [](const QString &cell) { return cell.trimmed().isEmpty(); });
}

bool isBlankChar(char c)
{
    return c == ' ' || c == '\t';
}

// "A B" where no activity is called "A B" but A and B both are: the student separated the
// ids by blanks. Any other item is kept whole (and reported if it names no activity), and so
// is an item with a link type ("A B SS" names "A B").
void splitByBlanks(engine::Activity &activity, const std::unordered_set<std::string_view> &ids)
{
    std::vector<std::string> result;
    std::vector<engine::LinkTiming> timings;
    result.reserve(activity.predecessors.size());
    for (std::size_t k = 0; k < activity.predecessors.size(); ++k) {
        std::string &item = activity.predecessors[k];
        const engine::LinkTiming timing = activity.linkTiming(k);
        std::vector<std::string> pieces;
        if (timing.plain() && !ids.contains(item)) {
            std::size_t at = 0;
            while (at < item.size()) {
                while (at < item.size() && isBlankChar(item[at]))
                    ++at;
                std::size_t end = at;
                while (end < item.size() && !isBlankChar(item[end]))
                    ++end;
                if (end > at)
                    pieces.push_back(item.substr(at, end - at));
                at = end;
            }
        }
        const bool allKnown = pieces.size() > 1
            && std::all_of(pieces.begin(), pieces.end(),
                           [&](const std::string &piece) { return ids.contains(piece); });
        if (allKnown) {
            for (std::string &piece : pieces) {
                result.push_back(std::move(piece));
                timings.push_back(timing);
            }
        } else {
            result.push_back(std::move(item));
            timings.push_back(timing);
        }
    }
    activity.predecessors = std::move(result);
    if (!activity.linkTimings.empty())
        activity.linkTimings = std::move(timings);
}

// The cell an engine problem is marked on.
int columnOf(engine::ProblemKind kind)
{
    switch (kind) {
    case engine::ProblemKind::EmptyId:
    case engine::ProblemKind::IdTooLong:
    case engine::ProblemKind::BadIdCharacter:
    case engine::ProblemKind::DuplicateId:
        return IdColumn;
    case engine::ProblemKind::NameTooLong:
        return NameColumn;
    case engine::ProblemKind::UnknownPredecessor:
    case engine::ProblemKind::OwnPredecessor:
    case engine::ProblemKind::LinkTimingCount:
    case engine::ProblemKind::LagTooLarge:
    case engine::ProblemKind::Cycle:
        return PredecessorsColumn;
    case engine::ProblemKind::NegativeNormalDuration:
    case engine::ProblemKind::NormalDurationTooLarge:
        return NormalDurationColumn;
    case engine::ProblemKind::NegativeCrashDuration:
    case engine::ProblemKind::CrashDurationTooLarge:
    case engine::ProblemKind::CrashAboveNormal:
        return CrashDurationColumn;
    case engine::ProblemKind::NegativeCost:
    case engine::ProblemKind::CostTooLarge:
        return CostPerUnitColumn;
    // Which estimate cell is at fault depends on the values: see estimateCellProblem.
    case engine::ProblemKind::EstimateNotFinite:
    case engine::ProblemKind::EstimateNegative:
    case engine::ProblemKind::EstimateTooLarge:
    case engine::ProblemKind::EstimateOrder:
    case engine::ProblemKind::TooManyActivities:
    case engine::ProblemKind::TotalCrashCostTooLarge:
    case engine::ProblemKind::NegativeTarget:
        break;
    }
    return -1;
}

// One non-blank row: its activity (a number that did not convert is 0 there, a stand-in
// the engine may check but whose problems are not shown) and which cells did not convert.
struct Entry {
    int row = 0;
    engine::Activity activity;
    std::array<bool, ColumnCount> unread {};

    bool converted() const
    {
        return std::none_of(unread.begin(), unread.end(), [](bool u) { return u; });
    }
};

// Whether the engine's problem came from a stand-in value rather than from what was typed.
bool fromStandIn(const engine::Problem &problem, const Entry &entry)
{
    switch (problem.kind) {
    case engine::ProblemKind::CrashAboveNormal:
        return entry.unread[NormalDurationColumn] || entry.unread[CrashDurationColumn];
    default: {
        const int column = columnOf(problem.kind);
        return column >= 0 && entry.unread[static_cast<std::size_t>(column)];
    }
    }
}

constexpr std::array<int, 3> kEstimateColumns
    = {OptimisticColumn, MostLikelyColumn, PessimisticColumn};

bool isEstimateProblem(engine::ProblemKind kind)
{
    return kind == engine::ProblemKind::EstimateNotFinite
        || kind == engine::ProblemKind::EstimateNegative
        || kind == engine::ProblemKind::EstimateTooLarge
        || kind == engine::ProblemKind::EstimateOrder;
}

// An estimate problem of the engine on the cell at fault, in the words the table uses for
// that cell. Precondition: the entry's activity has estimates.
CellProblem estimateCellProblem(engine::ProblemKind kind, const Entry &entry,
                                const ActivityRow &row)
{
    const std::size_t at = engine::estimateAtFault(*entry.activity.estimate);
    const int column = kEstimateColumns[at];
    EstimateProblem problem = EstimateProblem::NotNumber;
    if (kind == engine::ProblemKind::EstimateNegative)
        problem = EstimateProblem::Negative;
    else if (kind == engine::ProblemKind::EstimateTooLarge)
        problem = EstimateProblem::TooLarge;
    else if (kind == engine::ProblemKind::EstimateOrder)
        problem = at == 1 ? EstimateProblem::BelowOptimistic : EstimateProblem::BelowMostLikely;
    return {entry.row, column,
            thaiEstimateProblem(problem, column, row[static_cast<std::size_t>(column)].trimmed())};
}

Entry entryOf(const ActivityRow &row, int at, std::vector<CellProblem> &problems)
{
    Entry entry;
    entry.row = at;
    engine::Activity &a = entry.activity;
    a.id = std::string(io::trimmed(utf8Of(row[IdColumn])));
    a.name = utf8Of(row[NameColumn]);
    // "A, B FS+2, C SS-1": ids with the links' types and lags (io/linknotation.h).
    io::PredecessorCell cell;
    if (const std::optional<io::LinkNotationProblem> problem
        = io::parsePredecessorCell(utf8Of(row[PredecessorsColumn]), cell)) {
        entry.unread[PredecessorsColumn] = true;
        problems.push_back({at, PredecessorsColumn, thaiLinkNotationProblem(*problem)});
    } else {
        a.predecessors = std::move(cell.ids);
        a.linkTimings = std::move(cell.timings);
    }

    auto unread = [&](int column, io::FileProblemKind kind) {
        entry.unread[static_cast<std::size_t>(column)] = true;
        problems.push_back(
            {at, column,
             thaiValueProblem(kind, column, row[static_cast<std::size_t>(column)].trimmed())});
    };
    for (const int column : {NormalDurationColumn, CrashDurationColumn}) {
        engine::Duration &value
            = column == NormalDurationColumn ? a.normalDuration : a.crashDuration;
        const std::string text = utf8Of(withArabicDigits(row[static_cast<std::size_t>(column)]));
        if (const std::optional<io::FileProblemKind> kind = io::parseDuration(text, value))
            unread(column, *kind);
    }
    const std::string cost = utf8Of(withArabicDigits(row[CostPerUnitColumn]));
    if (const std::optional<io::FileProblemKind> kind = io::parseAmount(cost, a.crashCostPerUnit))
        unread(CostPerUnitColumn, *kind);

    // The three estimates: none, or all three.
    auto badEstimate = [&](int column, EstimateProblem problem) {
        const auto c = static_cast<std::size_t>(column);
        entry.unread[c] = true;
        problems.push_back({at, column, thaiEstimateProblem(problem, column, row[c].trimmed())});
    };
    const bool anyEstimate
        = std::any_of(kEstimateColumns.begin(), kEstimateColumns.end(), [&](int column) {
              return !row[static_cast<std::size_t>(column)].trimmed().isEmpty();
          });
    if (!anyEstimate)
        return entry;
    // Read as the project files read them; their range and order are the engine's to check.
    std::array<double, 3> values {};
    bool read = true;
    for (std::size_t i = 0; i < kEstimateColumns.size(); ++i) {
        const int column = kEstimateColumns[i];
        const QString text = withArabicDigits(row[static_cast<std::size_t>(column)].trimmed());
        if (text.isEmpty()) {
            badEstimate(column, EstimateProblem::Missing);
            read = false;
        } else if (const std::optional<io::FileProblemKind> kind
                   = io::parseEstimate(utf8Of(text), values[i])) {
            badEstimate(column,
                        *kind == io::FileProblemKind::NumberTooLarge ? EstimateProblem::TooLarge
                                                                     : EstimateProblem::NotNumber);
            read = false;
        }
    }
    if (read)
        a.estimate = engine::ThreeTimeEstimate {values[0], values[1], values[2]};
    return entry;
}

} // namespace

ProjectAnalysis analyseRows(const std::vector<ActivityRow> &rows, const QString &title)
{
    ProjectAnalysis analysis;
    analysis.project.title = utf8Of(title);

    std::vector<CellProblem> cellProblems, cycleProblems, projectProblems;
    std::vector<Entry> entries;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        if (!isBlank(rows[r]))
            entries.push_back(entryOf(rows[r], static_cast<int>(r), cellProblems));
    }
    if (entries.empty()) {
        analysis.problems.push_back({-1, -1, thaiNoActivities()});
        return analysis;
    }

    // Where each id is first: for "A B" lists and the row a duplicate repeats.
    std::unordered_set<std::string_view> ids;
    std::unordered_map<std::string_view, int> firstRow;
    ids.reserve(entries.size());
    for (const Entry &entry : entries) {
        ids.insert(entry.activity.id);
        firstRow.emplace(entry.activity.id, entry.row);
    }
    engine::Project checked;
    checked.activities.reserve(entries.size());
    for (Entry &entry : entries) {
        splitByBlanks(entry.activity, ids);
        checked.activities.push_back(entry.activity);
    }

    for (const engine::Problem &problem : engine::validate(checked)) {
        if (problem.kind == engine::ProblemKind::Cycle) {
            const QString text = thaiEngineProblem(problem, checked);
            for (const int a : problem.cycle)
                cycleProblems.push_back(
                    {entries[static_cast<std::size_t>(a)].row, PredecessorsColumn, text});
            continue;
        }
        if (problem.activity < 0) {
            projectProblems.push_back({-1, -1, thaiEngineProblem(problem, checked)});
            continue;
        }
        const Entry &entry = entries[static_cast<std::size_t>(problem.activity)];
        if (isEstimateProblem(problem.kind)) {
            cellProblems.push_back(estimateCellProblem(problem.kind, entry,
                                                       rows[static_cast<std::size_t>(entry.row)]));
            continue;
        }
        if (fromStandIn(problem, entry))
            continue;
        int otherRow = 0;
        if (problem.kind == engine::ProblemKind::DuplicateId)
            otherRow = firstRow.at(entry.activity.id) + 1;
        cellProblems.push_back(
            {entry.row, columnOf(problem.kind), thaiEngineProblem(problem, checked, otherRow)});
    }

    std::stable_sort(cellProblems.begin(), cellProblems.end(),
                     [](const CellProblem &a, const CellProblem &b) {
                         return a.row != b.row ? a.row < b.row : a.column < b.column;
                     });
    analysis.problems = std::move(cellProblems);
    analysis.problems.insert(analysis.problems.end(), cycleProblems.begin(), cycleProblems.end());
    analysis.problems.insert(analysis.problems.end(), projectProblems.begin(),
                             projectProblems.end());

    for (Entry &entry : entries) {
        if (entry.converted())
            analysis.project.activities.push_back(std::move(entry.activity));
    }
    if (analysis.sound()) {
        analysis.network = engine::Network(analysis.project);
        analysis.schedule
            = engine::computeSchedule(analysis.network, analysis.network.normalDurations());
        analysis.shortestDuration = engine::shortestDuration(analysis.network);
    }
    return analysis;
}

AnalysisSnapshot analysisOf(const engine::Project &project)
{
    auto analysis = std::make_shared<ProjectAnalysis>(
        analyseRows(rowsOfProject(project), textOf(project.title)));
    analysis->project.target = project.target;
    analysis->project.timeUnit = project.timeUnit;
    return analysis;
}

QString longerAfterShortening(const ProjectAnalysis &before, const ProjectAnalysis &after)
{
    if (!before.sound() || !after.sound()
        || after.schedule.projectDuration <= before.schedule.projectDuration
        || before.project.activities.size() != after.project.activities.size())
        return {};
    // The one activity shortened, all else as it was.
    int shortened = -1;
    for (std::size_t i = 0; i < after.project.activities.size(); ++i) {
        const engine::Activity &was = before.project.activities[i];
        const engine::Activity &now = after.project.activities[i];
        if (was.id != now.id || was.predecessors != now.predecessors
            || was.linkTimings != now.linkTimings)
            return {};
        if (was.normalDuration == now.normalDuration)
            continue;
        if (shortened >= 0 || now.normalDuration > was.normalDuration)
            return {};
        shortened = static_cast<int>(i);
    }
    if (shortened < 0)
        return {};
    // Its finish is held by a link that ends at it (finish-to-finish, start-to-finish), so a
    // shorter activity starts later; a link from its start passes that on.
    const engine::Network &network = after.network;
    const engine::Schedule &s = after.schedule;
    const auto x = static_cast<std::size_t>(shortened);
    const engine::Duration length = s.earliestFinish[x] - s.earliestStart[x];
    QString holder, follower;
    engine::LinkType holdingType = engine::LinkType::FinishToFinish;
    engine::LinkType followingType = engine::LinkType::StartToStart;
    const std::span<const int> predecessors = network.predecessors(shortened);
    const std::span<const engine::LinkTiming> inTimings = network.predecessorTimings(shortened);
    for (std::size_t k = 0; k < predecessors.size() && k < inTimings.size(); ++k) {
        const auto p = static_cast<std::size_t>(predecessors[k]);
        if (!engine::toStart(inTimings[k].type)
            && engine::startAllowedAfter(inTimings[k], s.earliestStart[p], s.earliestFinish[p],
                                         length)
                == s.earliestStart[x]) {
            holder = textOf(after.project.activities[p].id);
            holdingType = inTimings[k].type;
            break;
        }
    }
    const std::span<const int> successors = network.successors(shortened);
    const std::span<const engine::LinkTiming> outTimings = network.successorTimings(shortened);
    for (std::size_t k = 0; k < successors.size() && k < outTimings.size(); ++k) {
        if (!engine::fromFinish(outTimings[k].type)) {
            follower = textOf(after.project.activities[static_cast<std::size_t>(successors[k])].id);
            followingType = outTimings[k].type;
            break;
        }
    }
    const QString id = textOf(after.project.activities[x].id);
    QString text = QStringLiteral("ลดเวลา %1 แล้วโครงการยาวขึ้น %2 %3")
                       .arg(id)
                       .arg(after.schedule.projectDuration - before.schedule.projectDuration)
                       .arg(thaiUnitWord(after.project.timeUnit));
    if (holder.isEmpty() || follower.isEmpty())
        return text;
    return text
        + QStringLiteral(" เพราะ %1 ผูกกับงานก่อนหน้า (%2) ด้วยความสัมพันธ์แบบ%3 "
                         "และงานต่อไป (%4) %5ตามการเริ่มของ %1")
              .arg(id, holder, io::thaiLinkTypeName(holdingType), follower,
                   followingType == engine::LinkType::StartToStart ? QStringLiteral("เริ่ม")
                                                                   : QStringLiteral("เสร็จ"));
}

QString textOf(const std::string &utf8)
{
    QStringDecoder decoder(QStringDecoder::Utf8,
                           QStringDecoder::Flag::Stateless
                               | QStringDecoder::Flag::ConvertInitialBom);
    return decoder.decode(QByteArrayView(utf8.data(), static_cast<qsizetype>(utf8.size())));
}

std::string utf8Of(const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

std::vector<ActivityRow> rowsOfProject(const engine::Project &project)
{
    std::vector<ActivityRow> rows;
    rows.reserve(project.activities.size());
    for (const engine::Activity &a : project.activities) {
        ActivityRow row;
        row[IdColumn] = textOf(a.id);
        row[NameColumn] = textOf(a.name);
        QString predecessors = textOf(io::predecessorCell(a));
        // A lone "-" means none; an activity called "-" gets a trailing comma.
        if (predecessors == QStringLiteral("-"))
            predecessors += u',';
        else if (predecessors.isEmpty())
            predecessors = QStringLiteral("-");
        row[PredecessorsColumn] = predecessors;
        row[NormalDurationColumn] = QString::number(a.normalDuration);
        row[CrashDurationColumn] = QString::number(a.crashDuration);
        QString cost = textOf(engine::formatBaht(a.crashCostPerUnit));
        if (cost.endsWith(QStringLiteral(".00")))
            cost.chop(3);
        row[CostPerUnitColumn] = cost;
        if (a.estimate) {
            row[OptimisticColumn] = textOf(io::formatEstimate(a.estimate->optimistic));
            row[MostLikelyColumn] = textOf(io::formatEstimate(a.estimate->mostLikely));
            row[PessimisticColumn] = textOf(io::formatEstimate(a.estimate->pessimistic));
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

} // namespace project
