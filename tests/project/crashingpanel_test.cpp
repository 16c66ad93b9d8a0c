// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "../support/randomproject.h"

#include "crashingpanel.h"
#include "durationspinbox.h"
#include "greedylog.h"
#include "leastcosttablemodel.h"

#include "leastcost.h"
#include "money.h"
#include "practiceset.h"
#include "schedule.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

#include <map>
#include <random>

// The crashing panel on practice set 1 and on random projects: the greedy run walked step
// by step and checked against its own log, the least cost, the range of targets and the
// difference between the two totals.

namespace {

using engine::Duration;
using engine::Satang;

// The longest path with the given durations, by relaxing the predecessors in the project's
// own order until nothing changes (independent of the engine's topological order).
Duration longestPath(const engine::Project &project, const std::vector<Duration> &durations)
{
    std::map<std::string, std::size_t> index;
    for (std::size_t i = 0; i < project.activities.size(); ++i)
        index[project.activities[i].id] = i;
    std::vector<Duration> finish(project.activities.size(), 0);
    for (bool changed = true; changed;) {
        changed = false;
        for (std::size_t i = 0; i < project.activities.size(); ++i) {
            Duration start = 0;
            for (const std::string &id : project.activities[i].predecessors)
                start = std::max(start, finish[index.at(id)]);
            if (start + durations[i] != finish[i]) {
                finish[i] = start + durations[i];
                changed = true;
            }
        }
    }
    Duration longest = 0;
    for (const Duration f : finish)
        longest = std::max(longest, f);
    return longest;
}

std::vector<Duration> normalOf(const engine::Project &project)
{
    std::vector<Duration> durations;
    for (const engine::Activity &activity : project.activities)
        durations.push_back(activity.normalDuration);
    return durations;
}

std::vector<Duration> crashOf(const engine::Project &project)
{
    std::vector<Duration> durations;
    for (const engine::Activity &activity : project.activities)
        durations.push_back(activity.crashDuration);
    return durations;
}

// A random project: every activity after up to three earlier ones.
engine::Project randomProject(int activities, unsigned seed)
{
    std::mt19937 random(seed);
    auto between
        = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    engine::Project project;
    project.title = "random";
    for (int i = 0; i < activities; ++i) {
        engine::Activity activity;
        activity.id = QStringLiteral("T%1").arg(i + 1).toStdString();
        const int predecessors = i == 0 ? 0 : between(0, std::min(3, i));
        for (int p = 0; p < predecessors; ++p) {
            const std::string id = QStringLiteral("T%1").arg(between(1, i)).toStdString();
            if (std::find(activity.predecessors.begin(), activity.predecessors.end(), id)
                == activity.predecessors.end())
                activity.predecessors.push_back(id);
        }
        const int normal = between(1, 20);
        activity.normalDuration = normal;
        activity.crashDuration = normal - between(0, normal - 1);
        activity.crashCostPerUnit = Satang {between(1, 500)} * 100 + between(0, 99);
        project.activities.push_back(activity);
    }
    return project;
}

Satang parseAmount(const QString &text)
{
    QString plain = text;
    plain.remove(u',');
    const std::optional<Satang> value = engine::parseBaht(plain.toStdString());
    if (!value)
        qFatal("not an amount: %s", qPrintable(text));
    return *value;
}

// Hundredths of a percent, halves up, for non-negative numbers.
QString percentText(Satang difference, Satang base)
{
    const Satang hundredths = (difference * 20000 + base) / (2 * base);
    return QStringLiteral("%1.%2")
        .arg(hundredths / 100)
        .arg(hundredths % 100, 2, 10, QLatin1Char('0'));
}

struct Loaded {
    engine::Project project;
    engine::Network network;
};

// What one step's new log lines say.
struct LoggedStep {
    std::vector<std::tuple<QString, Satang, Duration, Satang>> cuts; // id, per unit, units, cost
    Satang stepCost = -1;
    Satang runningTotal = -1;
};

LoggedStep readStep(const QString &block)
{
    static const QRegularExpression cutLine(QStringLiteral(
        "เลือกกิจกรรม (\\S+) ค่าใช้จ่าย ([\\d,]+\\.\\d\\d) บาทต่อวัน\\s+จำนวน (\\d+) วัน\\s+=\\s+"
        "([\\d,]+\\.\\d\\d) บาท"));
    static const QRegularExpression stepLine(QStringLiteral("ค่าเร่งครั้งนี้ ([\\d,]+\\.\\d\\d) บาท"));
    static const QRegularExpression totalLine(QStringLiteral("ค่าเร่งสะสม ([\\d,]+\\.\\d\\d) บาท"));
    LoggedStep step;
    for (auto match = cutLine.globalMatch(block); match.hasNext();) {
        const auto m = match.next();
        step.cuts.emplace_back(m.captured(1), parseAmount(m.captured(2)),
                               m.captured(3).toLongLong(), parseAmount(m.captured(4)));
    }
    if (const auto m = stepLine.match(block); m.hasMatch())
        step.stepCost = parseAmount(m.captured(1));
    if (const auto m = totalLine.match(block); m.hasMatch())
        step.runningTotal = parseAmount(m.captured(1));
    return step;
}

} // namespace

class CrashingPanelTest : public QObject {
    Q_OBJECT

private:
    static Loaded setOne()
    {
        Loaded loaded {practiceProject(practiceSet(1)), {}};
        loaded.network = engine::Network(loaded.project);
        return loaded;
    }

private slots:
    void moneyIsGroupedWithTwoDecimals_data()
    {
        QTest::addColumn<qlonglong>("satang");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << 0LL << QStringLiteral("0.00");
        QTest::newRow("satang") << 5LL << QStringLiteral("0.05");
        QTest::newRow("below a thousand") << 99999LL << QStringLiteral("999.99");
        QTest::newRow("a thousand") << 100000LL << QStringLiteral("1,000.00");
        QTest::newRow("millions") << 123456789LL << QStringLiteral("1,234,567.89");
        QTest::newRow("negative") << -100050LL << QStringLiteral("-1,000.50");
        QTest::newRow("negative small") << -50LL << QStringLiteral("-0.50");
    }
    void moneyIsGroupedWithTwoDecimals()
    {
        QFETCH(qlonglong, satang);
        QFETCH(QString, text);
        QCOMPARE(project::bahtText(satang), text);
    }

    // Practice set 1 to 28 days, one step at a time, every step checked against its log.
    void setOneWalkedStepByStep()
    {
        const Loaded set = setOne();
        project::CrashingPanel panel;
        QSignalSpy changes(&panel, &project::CrashingPanel::durationsChanged);
        panel.setProject(::project::analysisOf(set.project));
        panel.setTarget(28);
        QCOMPARE(panel.target(), std::optional<Duration>(28));
        QCOMPARE(panel.leastTotal(), std::optional<Satang>(72500));
        QCOMPARE(panel.currentDurations(), normalOf(set.project));
        QVERIFY(panel.findChild<QLabel *>(QStringLiteral("targetMessage"))->isHidden());

        const std::vector<Duration> crash = crashOf(set.project);
        const std::vector<Duration> normal = normalOf(set.project);
        std::vector<Duration> before = panel.currentDurations();
        Duration duration = longestPath(set.project, before);
        QCOMPARE(duration, 32);
        Satang total = 0;
        int steps = 0;
        changes.clear();
        while (true) {
            const QString logBefore = panel.logText();
            if (!panel.step())
                break;
            ++steps;
            QVERIFY(steps <= 4); // each step gains at least one day
            QCOMPARE(changes.size(), steps);
            QCOMPARE(changes.back().at(0).value<std::vector<Duration>>(), panel.currentDurations());

            const QString block = panel.logText().mid(logBefore.size());
            QVERIFY(block.contains(QStringLiteral("ตรวจสอบครั้งที่ ") + QString::number(steps)));
            const LoggedStep logged = readStep(block);
            QVERIFY(!logged.cuts.empty());

            // Each cut as logged: per unit x units = its cost, and the activity lost exactly
            // those units; no other activity changed.
            std::vector<Duration> expected = before;
            Satang cutSum = 0;
            for (const auto &[id, perUnit, units, cost] : logged.cuts) {
                QCOMPARE(perUnit * units, cost);
                cutSum += cost;
                const auto at
                    = std::find_if(set.project.activities.begin(), set.project.activities.end(),
                                   [&](const auto &a) { return a.id == id.toStdString(); });
                QVERIFY(at != set.project.activities.end());
                const auto i = static_cast<std::size_t>(at - set.project.activities.begin());
                QCOMPARE(perUnit, at->crashCostPerUnit);
                expected[i] -= units;
            }
            QCOMPARE(panel.currentDurations(), expected);
            for (std::size_t i = 0; i < expected.size(); ++i)
                QVERIFY(expected[i] >= crash[i] && expected[i] <= normal[i]);
            QCOMPARE(logged.stepCost, cutSum);
            total += cutSum;
            QCOMPARE(logged.runningTotal, total);
            QCOMPARE(panel.greedyTotal(), total);

            const Duration after = longestPath(set.project, panel.currentDurations());
            QVERIFY(after < duration);
            QVERIFY(after >= 28);
            QVERIFY(block.contains(QString::number(duration) + QStringLiteral(" -> ")
                                   + QString::number(after)));
            // Never cheaper than the exact least cost at the duration it reached.
            QVERIFY(engine::leastCost(set.network, after)->cost <= total);
            duration = after;
            before = panel.currentDurations();
        }
        QVERIFY(steps > 0);
        QCOMPARE(duration, 28);
        QVERIFY(total >= 72500);
        QCOMPARE(changes.size(), steps);
        QVERIFY(!panel.findChild<QPushButton *>(QStringLiteral("stepButton"))->isEnabled());
        QVERIFY(panel.findChild<QPushButton *>(QStringLiteral("resetButton"))->isEnabled());
        // The closing line names the final duration and the total.
        const QString lastLine = panel.logText().split(u'\n').back();
        QVERIFY(lastLine.contains(QStringLiteral("28")));
        QVERIFY(lastLine.contains(project::bahtText(total)));

        // Running to the target again does nothing; reset goes back to normal.
        const QString log = panel.logText();
        panel.runToTarget();
        QCOMPARE(panel.logText(), log);
        QCOMPARE(changes.size(), steps);
        panel.reset();
        QCOMPARE(panel.currentDurations(), normal);
        QVERIFY(panel.logText().isEmpty());
        QCOMPARE(panel.greedyTotal(), 0);
        QCOMPARE(changes.size(), steps + 1);
    }

    // Running to the target gives what the steps give, and signals once.
    void runToTargetEqualsSteps()
    {
        const Loaded set = setOne();
        project::CrashingPanel stepped, run;
        for (auto *panel : {&stepped, &run}) {
            panel->setProject(::project::analysisOf(set.project));
            panel->setTarget(27);
        }
        while (stepped.step()) { }
        QSignalSpy changes(&run, &project::CrashingPanel::durationsChanged);
        QTest::mouseClick(run.findChild<QPushButton *>(QStringLiteral("runButton")),
                          Qt::LeftButton);
        QCOMPARE(changes.size(), 1);
        QCOMPARE(run.currentDurations(), stepped.currentDurations());
        QCOMPARE(run.greedyTotal(), stepped.greedyTotal());
        QCOMPARE(run.logText(), stepped.logText());
        QCOMPARE(longestPath(set.project, run.currentDurations()), 27);
    }

    void targetOutOfRangeIsRefused_data()
    {
        QTest::addColumn<int>("target");
        QTest::newRow("one above normal") << 33;
        QTest::newRow("far above") << 1000;
        QTest::newRow("one below shortest") << 26;
        QTest::newRow("zero") << 0;
    }
    void targetOutOfRangeIsRefused()
    {
        QFETCH(int, target);
        const Loaded set = setOne();
        const Duration normal = longestPath(set.project, normalOf(set.project));
        const Duration shortest = longestPath(set.project, crashOf(set.project));
        QCOMPARE(shortest, 27);

        project::CrashingPanel panel;
        panel.setProject(::project::analysisOf(set.project));
        panel.setTarget(29);
        QVERIFY(panel.step()); // a run under way is dropped by the new target
        QSignalSpy changes(&panel, &project::CrashingPanel::durationsChanged);
        panel.setTarget(target);

        auto *message = panel.findChild<QLabel *>(QStringLiteral("targetMessage"));
        QVERIFY(!message->isHidden());
        QVERIFY(message->text().contains(QString::number(target)));
        QVERIFY(message->text().contains(QString::number(normal)));
        QVERIFY(message->text().contains(QString::number(shortest)));
        QCOMPARE(panel.currentDurations(), normalOf(set.project));
        QCOMPARE(changes.size(), 1);
        QVERIFY(!panel.step());
        panel.runToTarget();
        QCOMPARE(changes.size(), 1);
        QCOMPARE(panel.currentDurations(), normalOf(set.project));
        QVERIFY(panel.logText().isEmpty());
        QCOMPARE(panel.greedyTotal(), 0);
        QCOMPARE(panel.leastTotal(), std::nullopt);
        QVERIFY(panel.leastCostText().isEmpty());
        QCOMPARE(
            panel.findChild<QTableView *>(QStringLiteral("leastCostTable"))->model()->rowCount(),
            0);
        QVERIFY(!panel.findChild<QPushButton *>(QStringLiteral("stepButton"))->isEnabled());
        QVERIFY(!panel.findChild<QPushButton *>(QStringLiteral("runButton"))->isEnabled());

        // Back in range: the message goes and the run can start.
        panel.setTarget(shortest);
        QVERIFY(message->isHidden());
        QVERIFY(panel.step());
    }

    // A target typed into the box is the student's: it resets the run and is announced.
    void typedTargetResetsTheRun()
    {
        const Loaded set = setOne();
        project::CrashingPanel panel;
        panel.setProject(::project::analysisOf(set.project));
        panel.setTarget(28);
        QVERIFY(panel.step());
        QSignalSpy edited(&panel, &project::CrashingPanel::targetEdited);
        auto *spin = panel.findChild<project::DurationSpinBox *>(QStringLiteral("targetSpinBox"));
        spin->setValue(30);
        QCOMPARE(edited.size(), 1);
        QCOMPARE(edited.front().at(0).value<Duration>(), 30);
        QCOMPARE(panel.target(), std::optional<Duration>(30));
        QVERIFY(panel.logText().isEmpty());
        QCOMPARE(panel.currentDurations(), normalOf(set.project));
        QCOMPARE(panel.leastTotal(), engine::leastCost(set.network, 30)->cost);
    }

    // The least-cost table shows durations that reach the target, and its cuts cost what the
    // total says.
    void leastCostTableAddsUp()
    {
        const Loaded set = setOne();
        project::CrashingPanel panel;
        panel.setProject(::project::analysisOf(set.project));
        for (const Duration target : {32, 31, 30, 29, 28, 27}) {
            panel.setTarget(target);
            const QAbstractItemModel *table
                = panel.findChild<QTableView *>(QStringLiteral("leastCostTable"))->model();
            using Columns = project::LeastCostTableModel;
            auto text = [table](int row, int column) {
                return table->index(row, column).data().toString();
            };
            const int activities = static_cast<int>(set.project.activities.size());
            QCOMPARE(table->rowCount(), activities + 1);
            std::vector<Duration> durations;
            Satang sum = 0;
            for (int row = 0; row < activities; ++row) {
                const auto &activity = set.project.activities[static_cast<std::size_t>(row)];
                QCOMPARE(text(row, Columns::ActivityColumn), QString::fromStdString(activity.id));
                QCOMPARE(text(row, Columns::NormalColumn).toLongLong(), activity.normalDuration);
                const Duration d = text(row, Columns::DurationColumn).toLongLong();
                QVERIFY(d >= activity.crashDuration && d <= activity.normalDuration);
                QCOMPARE(text(row, Columns::CutColumn).toLongLong(), activity.normalDuration - d);
                const Satang cost = parseAmount(text(row, Columns::CostColumn));
                QCOMPARE(cost, (activity.normalDuration - d) * activity.crashCostPerUnit);
                sum += cost;
                durations.push_back(d);
            }
            QVERIFY(longestPath(set.project, durations) <= target);
            QCOMPARE(sum, *panel.leastTotal());
            QCOMPARE(parseAmount(text(activities, Columns::CostColumn)), sum);
        }
    }

    // Links other than plain: no greedy (the engine's throws on them), the reason in the log and
    // on the buttons, and the exact least cost for every target as the engine solves it.
    void linksOtherThanPlainGetTheExactAnswerOnly()
    {
        testsupport::Random random(5);
        for (int k = 0; k < 6; ++k) {
            testsupport::ProjectShape shape;
            shape.activities = 3 + static_cast<int>(testsupport::below(random, 12));
            shape.linkPercent = 70;
            const engine::Project project = testsupport::randomProject(random, shape);
            const project::AnalysisSnapshot analysis = ::project::analysisOf(project);
            QVERIFY(analysis->sound());
            if (analysis->network.plainLinks())
                continue;
            project::CrashingPanel panel;
            panel.setProject(analysis);
            QVERIFY(!panel.greedyAvailable());
            auto *step = panel.findChild<QPushButton *>(QStringLiteral("stepButton"));
            auto *run = panel.findChild<QPushButton *>(QStringLiteral("runButton"));
            QVERIFY(!step->isEnabled() && !run->isEnabled());
            QCOMPARE(step->toolTip(), project::greedyUnavailableText());
            QCOMPARE(panel.logText(), project::greedyUnavailableText());
            QVERIFY(!panel.step());
            panel.runToTarget();
            QVERIFY(!panel.isBusy());
            const engine::Duration normal = analysis->schedule.projectDuration;
            for (Duration target = normal; target >= analysis->shortestDuration;
                 target -= 1 + (normal - analysis->shortestDuration) / 4) {
                panel.setTarget(target);
                QTRY_VERIFY(panel.leastTotal().has_value());
                QCOMPARE(*panel.leastTotal(), engine::leastCost(analysis->network, target)->cost);
                QCOMPARE(panel.currentDurations(),
                         std::vector<Duration>(analysis->network.normalDurations().begin(),
                                               analysis->network.normalDurations().end()));
            }
        }
    }

    void differenceInBahtAndPercent_data()
    {
        QTest::addColumn<int>("target");
        for (const int target : {32, 31, 30, 29, 28, 27})
            QTest::newRow(qPrintable(QString::number(target))) << target;
    }
    void differenceInBahtAndPercent()
    {
        QFETCH(int, target);
        const Loaded set = setOne();
        project::CrashingPanel panel;
        panel.setProject(::project::analysisOf(set.project));
        panel.setTarget(target);
        panel.runToTarget();
        const Satang greedy = panel.greedyTotal();
        const Satang least = engine::leastCost(set.network, target)->cost;
        QCOMPARE(panel.leastTotal(), std::optional<Satang>(least));
        const QString label = panel.findChild<QLabel *>(QStringLiteral("differenceLabel"))->text();
        QVERIFY2(label.contains(project::bahtText(greedy - least)), qPrintable(label));
        QVERIFY(!label.contains(QStringLiteral("nan"), Qt::CaseInsensitive));
        QVERIFY(!label.contains(QStringLiteral("inf"), Qt::CaseInsensitive));
        if (least == 0) {
            QCOMPARE(target, 32);
            QVERIFY(!label.contains(u'%'));
        } else {
            QVERIFY2(label.contains(percentText(greedy - least, least) + u'%'), qPrintable(label));
        }
        QVERIFY(panel.findChild<QLabel *>(QStringLiteral("greedyTotalLabel"))
                    ->text()
                    .contains(project::bahtText(greedy)));
        QVERIFY(panel.findChild<QLabel *>(QStringLiteral("leastTotalLabel"))
                    ->text()
                    .contains(project::bahtText(least)));
    }

    // Random projects crashed to their shortest: the run ends there, and at every duration it
    // passes it pays at least the least cost.
    void randomProjectsToTheirShortest()
    {
        for (unsigned seed = 1; seed <= 4; ++seed) {
            const engine::Project project = randomProject(40, seed);
            const engine::Network network(project);
            const Duration shortest = longestPath(project, crashOf(project));
            project::CrashingPanel panel;
            panel.setProject(::project::analysisOf(project));
            QCOMPARE(panel.target(), std::optional<Duration>(shortest)); // proposed
            Duration duration = longestPath(project, normalOf(project));
            while (panel.step()) {
                const Duration after = longestPath(project, panel.currentDurations());
                QVERIFY(after < duration);
                QVERIFY(engine::leastCost(network, after)->cost <= panel.greedyTotal());
                duration = after;
            }
            QCOMPARE(duration, shortest);
            QVERIFY(panel.greedyTotal() >= *panel.leastTotal());
        }
    }

    void projectReplacedOrCleared()
    {
        const Loaded set = setOne();
        project::CrashingPanel panel;
        panel.setProject(::project::analysisOf(set.project));
        panel.setTarget(29);
        panel.setProject(::project::analysisOf(set.project));
        QCOMPARE(panel.target(), std::optional<Duration>(29)); // still in range: kept
        panel.setTarget(5);
        panel.setProject(::project::analysisOf(set.project));
        QCOMPARE(panel.target(), std::optional<Duration>(27)); // out of range: the shortest

        panel.clearProject(QStringLiteral("ตารางยังมีข้อผิดพลาด"));
        QCOMPARE(panel.target(), std::nullopt);
        QVERIFY(!panel.step());
        QVERIFY(panel.currentDurations().empty());
        QCOMPARE(panel.leastTotal(), std::nullopt);
        auto *message = panel.findChild<QLabel *>(QStringLiteral("targetMessage"));
        QVERIFY(!message->isHidden());
        QCOMPARE(message->text(), QStringLiteral("ตารางยังมีข้อผิดพลาด"));
        QVERIFY(!panel.findChild<project::DurationSpinBox *>(QStringLiteral("targetSpinBox"))
                     ->isEnabled());
    }

    void leastCostTextNamesTheCuts()
    {
        const Loaded set = setOne();
        project::CrashingPanel panel;
        panel.setProject(::project::analysisOf(set.project));
        panel.setTarget(28);
        const engine::LeastCost least = *engine::leastCost(set.network, 28);
        const QString text = panel.leastCostText();
        for (std::size_t i = 0; i < least.durations.size(); ++i) {
            const auto &activity = set.project.activities[i];
            const QString line = QString::fromStdString(activity.id) + QStringLiteral("  ")
                + QString::number(activity.normalDuration) + QStringLiteral(" -> ")
                + QString::number(least.durations[i]);
            QCOMPARE(text.contains(line), least.durations[i] != activity.normalDuration);
        }
    }

    // The target box holds any project duration, beyond a QSpinBox's int too; Thai digits
    // read as Arabic ones; what is not a duration in range leaves the value as it was.
    void targetBoxHoldsEveryDuration_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<Duration>("value");
        QTest::newRow("beyond 32 bits") << QStringLiteral("3000000000") << Duration {3'000'000'000};
        QTest::newRow("Thai digits") << QStringLiteral("๔๒") << Duration {42};
        QTest::newRow("blanks around") << QStringLiteral(" 7 ") << Duration {7};
        QTest::newRow("above the range") << QStringLiteral("5000000001") << Duration {12};
        QTest::newRow("letters") << QStringLiteral("abc") << Duration {12};
        QTest::newRow("negative") << QStringLiteral("-3") << Duration {12};
        QTest::newRow("empty") << QString() << Duration {12};
    }
    void targetBoxHoldsEveryDuration()
    {
        QFETCH(QString, typed);
        QFETCH(Duration, value);
        project::DurationSpinBox box;
        box.setRange(0, 5'000'000'000);
        box.setValue(12);
        QSignalSpy changed(&box, &project::DurationSpinBox::valueChanged);
        auto *line = box.findChild<QLineEdit *>();
        QVERIFY(line);
        line->setText(typed);
        emit box.editingFinished();
        QCOMPARE(box.value(), value);
        QCOMPARE(changed.size(), value == 12 ? 0 : 1);
        QCOMPARE(line->text(), QString::number(value));
        // The arrows stop at the ends of the range.
        box.setValue(5'000'000'000);
        box.stepBy(3);
        QCOMPARE(box.value(), Duration {5'000'000'000});
        box.setValue(1);
        box.stepBy(-5);
        QCOMPARE(box.value(), Duration {0});
    }

    void everyControlIsNamed()
    {
        project::CrashingPanel panel;
        for (const char *name : {"targetSpinBox", "stepButton", "runButton", "resetButton",
                                 "targetMessage", "greedyLog", "leastCostTable", "greedyTotalLabel",
                                 "leastTotalLabel", "differenceLabel"}) {
            auto *widget = panel.findChild<QWidget *>(QString::fromLatin1(name));
            QVERIFY2(widget, name);
            QVERIFY2(!widget->accessibleName().isEmpty(), name);
        }
    }
};

QTEST_MAIN(CrashingPanelTest)
#include "crashingpanel_test.moc"
