// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

// PERT's estimates under one rule: what the project files accept opens in the activity table
// unchanged, and the table and the CSV reader take and refuse the same cells, placing each
// refusal on the same cell.

#include "projectanalysis.h"
#include "projectfile.h"
#include "validation.h"
#include "values.h"

#include "../unit/io/projectdifference.h"
#include "../unit/io/randomsoundproject.h"

#include <QtTest>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <set>

using project::ActivityRow;

namespace {

// Values that catch a rule narrower than "the nearest double": more than two decimals,
// tiny ones, 17 significant digits, the ends of the range.
const std::array<double, 14> kAwkward = {
    2.125,
    0.1,
    1e-7,
    999999.999,
    0.30000000000000004,
    123456.78901234567,
    1.0 / 3.0,
    2e6 / 3.0,
    std::nextafter(1e6, 0.0),
    std::numeric_limits<double>::denorm_min(),
    0,
    1e6,
    4,
    2.5,
};

double estimateValue(iotest::RandomSource &random)
{
    switch (random.between(0, 3)) {
    case 0:
        return random.pick(kAwkward);
    case 1: // whole thousandths
        return static_cast<double>(random.between(0, 1'000'000'000)) / 1000.0;
    case 2: // any double of the range, most of them with 16 or 17 digits
        return static_cast<double>(random.between(0, std::int64_t {1} << 52))
            / static_cast<double>(std::int64_t {1} << 52) * 1e6;
    default: // small ones with many decimals
        return static_cast<double>(random.between(0, 1'000'000)) * 1e-9;
    }
}

std::set<int> problemColumns(const project::ProjectAnalysis &analysis)
{
    std::set<int> columns;
    for (const project::CellProblem &p : analysis.problems)
        columns.insert(p.column);
    return columns;
}

std::set<int> problemColumns(const io::ReadResult &read)
{
    std::set<int> columns;
    for (const io::Problem &p : read.problems().kept()) {
        const QString &field = p.place.field;
        columns.insert(field == u"optimistic"_qs        ? project::OptimisticColumn
                           : field == u"most_likely"_qs ? project::MostLikelyColumn
                           : field == u"pessimistic"_qs ? project::PessimisticColumn
                                                        : -1);
    }
    return columns;
}

// Another way to write the same number: blanks around it, a plus sign, zeros before or after.
QString respelled(iotest::RandomSource &random, QString text)
{
    switch (random.between(0, 4)) {
    case 0:
        return QStringLiteral(" \t") + text + u' ';
    case 1:
        return u'+' + text;
    case 2:
        return QStringLiteral("000") + text;
    case 3:
        return text.contains(u'.') ? text + QStringLiteral("00") : text + QStringLiteral(".0");
    default:
        return text;
    }
}

QString withThaiDigits(QString text)
{
    for (QChar &c : text) {
        if (c >= u'0' && c <= u'9')
            c = QChar(0x0E50 + (c.unicode() - u'0'));
    }
    return text;
}

// A cell as a user or a spreadsheet might leave it: pieces of numbers and of mistakes.
QString randomCell(iotest::RandomSource &random)
{
    if (random.percent(8))
        return random.percent(50) ? QString() : QStringLiteral(" \t");
    if (random.percent(60)) {
        // A value written as the writers write it, in range or a little outside.
        double value = estimateValue(random);
        if (random.percent(15))
            value = -value - 0.5;
        else if (random.percent(10))
            value += 1e6;
        return QString::fromStdString(io::formatEstimate(value));
    }
    static const std::array<const char *, 22> pieces
        = {"0", "1", "2", "5", "9", "00", "125", "999999", "1000000", "1000001", "12345678",
           ".", ".", "-", "+", "e", "E",  ",",   " ",      "\t",      "x",       "0.1"};
    QString text;
    for (auto k = random.between(1, 5); k > 0; --k)
        text += QString::fromLatin1(random.pick(pieces));
    return text;
}

} // namespace

class EstimatesTest : public QObject {
    Q_OBJECT

private slots:
    // Every project a file gives, with estimates the table's old two decimals could not
    // hold, opens in the table with no problem and comes back the same, to the bit.
    void whatTheFilesAcceptOpensInTheTable()
    {
        int manyDecimals = 0;
        for (std::uint64_t seed = 1; seed <= 200; ++seed) {
            iotest::RandomSource random(seed);
            iotest::RandomProjectOptions options;
            options.activities = static_cast<int>(random.between(1, 25));
            options.largeValues = random.percent(30);
            engine::Project p = iotest::randomSoundProject(random, options);
            for (engine::Activity &a : p.activities) {
                if (random.percent(20))
                    continue;
                std::array<double, 3> abm {estimateValue(random), estimateValue(random),
                                           estimateValue(random)};
                if (random.percent(15))
                    abm.fill(abm[0]);
                std::sort(abm.begin(), abm.end());
                a.estimate = engine::ThreeTimeEstimate {abm[0], abm[1], abm[2]};
                for (const double v : abm)
                    manyDecimals += std::round(v * 100) / 100 != v;
            }
            QVERIFY(engine::validate(p).empty());

            for (const io::FileFormat format : {io::FileFormat::Csv, io::FileFormat::Crashkit}) {
                const QString where
                    = QStringLiteral("seed %1, %2")
                          .arg(seed)
                          .arg(format == io::FileFormat::Csv ? QLatin1String("CSV")
                                                             : QLatin1String(".crashkit"));
                const io::ReadResult read
                    = io::read(io::write(p, format), QStringLiteral("x"), format);
                QVERIFY2(read.isLoaded(),
                         qPrintable(where + QStringLiteral(": ") + read.message()));
                const engine::Project &opened = read.project();
                const project::ProjectAnalysis analysis = project::analyseRows(
                    project::rowsOfProject(opened), project::textOf(opened.title));
                // The message is built whether or not the check fails.
                const QString problem
                    = analysis.sound() ? QString() : analysis.problems.front().reason;
                QVERIFY2(analysis.sound(), qPrintable(where + QStringLiteral(": ") + problem));
                const std::string difference = iotest::difference(opened, analysis.project, false);
                QVERIFY2(
                    difference.empty(),
                    qPrintable(where + QStringLiteral(": ") + QString::fromStdString(difference)));
                QVERIFY2(iotest::difference(p, opened, false).empty(), qPrintable(where));
            }
        }
        QVERIFY(manyDecimals > 1000);
    }

    // The table and the CSV reader on the same three cells: both take them or both refuse
    // them, with the same estimate, and a refusal on the same cells (when none is blank; a
    // blank one the table marks where the reader names the row). Thai digits read as digits.
    void tableAndCsvReaderAgreeOnEveryCell()
    {
        iotest::RandomSource random(2125);
        int taken = 0, refusedByValue = 0, refusedAsText = 0;
        for (int k = 0; k < 4000; ++k) {
            std::array<QString, 3> cells {randomCell(random), randomCell(random),
                                          randomCell(random)};
            if (random.percent(35)) {
                // A sound estimate, written in any of the ways a number may be.
                std::array<double, 3> abm {estimateValue(random), estimateValue(random),
                                           estimateValue(random)};
                std::sort(abm.begin(), abm.end());
                for (std::size_t i = 0; i < cells.size(); ++i)
                    cells[i]
                        = respelled(random, QString::fromStdString(io::formatEstimate(abm[i])));
            }
            ActivityRow row {QStringLiteral("A"), QString(),           QStringLiteral("-"),
                             QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("0")};
            QByteArray csv = "activity,name,predecessors,normal_duration,crash_duration,"
                             "crash_cost_per_unit,optimistic,most_likely,pessimistic\nA,,-,1,1,0";
            for (std::size_t i = 0; i < cells.size(); ++i) {
                row[project::OptimisticColumn + i] = cells[i];
                csv += ",\"" + cells[i].toUtf8() + '"';
            }
            const QString where
                = QStringLiteral("'%1' '%2' '%3'").arg(cells[0], cells[1], cells[2]);
            const project::ProjectAnalysis table = project::analyseRows({row}, QString());
            const io::ReadResult read = io::read(csv, QStringLiteral("x.csv"), io::FileFormat::Csv);

            QVERIFY2(table.sound() == read.isLoaded(), qPrintable(where));
            if (read.isLoaded()) {
                QVERIFY2(table.project.activities[0].estimate
                             == read.project().activities[0].estimate,
                         qPrintable(where));
                ++taken;
            } else {
                const bool blank = std::any_of(cells.begin(), cells.end(), [](const QString &c) {
                    return c.trimmed().isEmpty();
                });
                if (!blank)
                    QVERIFY2(problemColumns(table) == problemColumns(read), qPrintable(where));
                for (const int column : problemColumns(table))
                    QVERIFY2(column >= project::OptimisticColumn, qPrintable(where));
                const bool byValue = std::any_of(
                    read.problems().kept().begin(), read.problems().kept().end(),
                    [](const io::Problem &p) { return p.kind == io::FileProblemKind::Engine; });
                ++(byValue ? refusedByValue : refusedAsText);
            }

            for (std::size_t i = 0; i < cells.size(); ++i)
                row[project::OptimisticColumn + i] = withThaiDigits(cells[i]);
            const project::ProjectAnalysis thai = project::analyseRows({row}, QString());
            QVERIFY2(problemColumns(thai) == problemColumns(table), qPrintable(where));
            QVERIFY2(iotest::difference(thai.project, table.project).empty(), qPrintable(where));
        }
        // Each way of ending must be well represented.
        QVERIFY2(taken > 300 && refusedByValue > 300 && refusedAsText > 300,
                 qPrintable(QStringLiteral("%1 taken, %2 refused by value, %3 as text")
                                .arg(taken)
                                .arg(refusedByValue)
                                .arg(refusedAsText)));
    }
};

QTEST_MAIN(EstimatesTest)
#include "estimates_test.moc"
