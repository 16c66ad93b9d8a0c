// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

// Problems of files and saves in Thai: every kind placed and worded in Thai around the
// file's own words, the same sentence as a cell of the table has, real broken files read
// back problem by problem, and long lists cut with the count of the rest.

#include "engineproblems.h"
#include "projectanalysis.h"
#include "projectfile.h"
#include "thaifileproblems.h"
#include "thaiproblems.h"
#include "thaitext.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <set>

using io::FileProblemKind;

namespace {

bool isThai(const QString &text)
{
    return std::any_of(text.begin(), text.end(),
                       [](QChar c) { return c.unicode() >= 0x0E01 && c.unicode() <= 0x0E5B; });
}

// Latin words the sentences use on purpose: programs, file types and encodings, an example
// of how to write a value, and the formats' own column, key and element names that a
// sentence tells the student to use.
const QStringList kLatinWords {u"Microsoft Project"_qs,
                               u"GanttProject"_qs,
                               u"Crashkit"_qs,
                               u"CSV UTF-8"_qs,
                               u"Excel"_qs,
                               u"UTF-8"_qs,
                               u"UTF-16"_qs,
                               u"JSON"_qs,
                               u"XML"_qs,
                               u"DOCTYPE"_qs,
                               u"PT16H0M0S"_qs,
                               u".crashkit"_qs,
                               u".csv"_qs,
                               u".xml"_qs,
                               u".gan"_qs,
                               u"crash_cost_per_unit"_qs,
                               u"normal_cost"_qs,
                               u"crash_cost"_qs,
                               u"format"_qs,
                               u"crashkit-project"_qs,
                               u"LinkLag"_qs,
                               u"LagFormat"_qs};

// Whether the sentence words the value itself rather than quoting it: the readers describe
// a link's type and lag in English of their own, not in the file's words.
bool valueWorded(const io::Problem &p)
{
    return p.kind == FileProblemKind::LinkLagRefused || p.kind == FileProblemKind::LinkTypeRefused;
}

// The sentence without the problem's own data and the words above.
QString withoutData(QString text, const io::Problem &p)
{
    QStringList words = kLatinWords + p.names;
    words << p.place.file << p.place.field << p.place.activity;
    if (!valueWorded(p))
        words << p.value;
    std::sort(words.begin(), words.end(),
              [](const QString &a, const QString &b) { return a.size() > b.size(); });
    for (const QString &word : words) {
        if (!word.isEmpty())
            text.remove(word);
    }
    return text.remove(QRegularExpression(u"0x[0-9a-f]+"_qs));
}

// The properties every sentence has; `figures` are numbers it must give, worked by hand.
void checkSentence(const io::Problem &p, const QStringList &figures = {})
{
    const QString text = project::thaiFileProblem(p);
    const QByteArray shown = text.toUtf8();
    QVERIFY2(isThai(text) && !text.contains(u'\n'), shown);
    QVERIFY2(text.startsWith(p.place.file + u' ') || text.startsWith(p.place.file + u':'), shown);
    const io::Place &at = p.place;
    QStringList parts {p.place.field};
    if (at.line > 0)
        parts << u"บรรทัด %1"_qs.arg(at.line);
    if (at.column > 0)
        parts << u"ตำแหน่ง %1"_qs.arg(at.column);
    parts << (!at.activity.isEmpty() ? u"กิจกรรม "_qs + at.activity
                  : at.activityNumber > 0 ? u"กิจกรรมที่ %1"_qs.arg(at.activityNumber)
                                          : QString());
    if (!valueWorded(p))
        parts << p.value;
    for (const QString &part : parts + p.names + figures)
        QVERIFY2(text.contains(part), shown + " lacks " + part.toUtf8());
    const QString rest = withoutData(text, p);
    QVERIFY2(!rest.contains(QRegularExpression(u"[A-Za-z]"_qs)), shown + " | " + rest.toUtf8());
}

struct Sample {
    io::Problem problem;
    QStringList figures {};
};

io::Place csv(int line, const QString &field = {})
{
    return {.file = u"plan.csv"_qs, .line = line, .field = field};
}

io::Place kit(const QString &field, const QString &activity = {})
{
    return {.file = u"plan.crashkit"_qs,
            .field = field,
            .activity = activity,
            .activityNumber = activity.isEmpty() ? 0 : 2};
}

io::Place xml(int line, int column, const QString &field = {}, const QString &activity = {})
{
    return {.file = u"plan.xml"_qs,
            .line = line,
            .column = column,
            .field = field,
            .activity = activity};
}

// Problems with data as the readers give them, at least one of every kind.
std::vector<Sample> samples()
{
    using K = FileProblemKind;
    const QString unit = project::thaiUnitWord(engine::TimeUnit::Day);
    const QStringList columns {u"activity"_qs, u"predecessors"_qs, u"normal_duration"_qs};
    const QStringList ends {u"1 (Dig)"_qs, u"4 (Pour)"_qs};
    io::Place slopeAt = csv(4, u"crash_cost"_qs);
    slopeAt.activity = u"C"_qs;
    return {
        {{K::UnknownExtension, {.file = u"plan.txt"_qs}, u".txt"_qs}},
        {{K::FileMissing, {.file = u"gone.csv"_qs}}},
        {{K::NotRegularFile, {.file = u"plans.csv"_qs}}},
        {{.kind = K::FileTooLarge,
          .place = {.file = u"big.csv"_qs},
          .number = 70'000'000,
          .bound = 64 << 20},
         {u"70000000"_qs, u"67108864"_qs, u"64"_qs}},
        {{K::CannotRead, {.file = u"plan.csv"_qs}, u"Permission denied"_qs}},
        {{K::CannotSave, {.file = u"plan.csv"_qs}, u"No space left on device"_qs}},
        {{K::TextNotUtf8, kit(u"name"_qs, u"B"_qs)}},
        {{K::Utf16Text, csv(1)}},
        {{.kind = K::InvalidUtf8,
          .place = {.file = u"plan.csv"_qs, .line = 3, .column = 7},
          .number = 0xfe},
         {u"0xfe"_qs}},
        {{K::LoneSurrogate, {.file = u"plan.crashkit"_qs, .line = 4, .column = 12}, u"\\ud800"_qs}},
        {{K::EmptyFile, csv(1), {}, columns}},
        {{K::UnknownColumn, csv(1), u"durartion"_qs, columns}},
        {{K::DuplicateColumn, csv(1), u"name"_qs}},
        {{.kind = K::UnnamedColumn, .place = csv(1), .number = 4}, {u"4"_qs}},
        {{K::MissingColumn, csv(1), u"crash_duration"_qs}},
        {{K::BothCostForms, csv(1)}},
        {{K::NoCostForm, csv(1)}},
        {{K::UnterminatedQuote, csv(9)}},
        {{K::StrayQuote, csv(9)}},
        {{K::TextAfterQuote, csv(9)}},
        {{.kind = K::FieldCount, .place = csv(6), .number = 7, .bound = 6}, {u"7"_qs}},
        {{K::MissingValue, csv(5, u"normal_duration"_qs)}},
        {{K::NotWholeNumber, csv(5, u"normal_duration"_qs), u"x7"_qs}},
        {{K::DurationNotWhole, csv(5, u"crash_duration"_qs), u"2.5"_qs}},
        {{K::NegativeDuration, csv(5, u"crash_duration"_qs), u"-3"_qs}},
        {{.kind = K::NumberTooLarge,
          .place = csv(5, u"normal_duration"_qs),
          .value = u"2000000"_qs,
          .bound = 1'000'000},
         {u"1000000"_qs}},
        {{K::NotAmount, csv(5, u"crash_cost_per_unit"_qs), u"abc"_qs}},
        {{K::AmountGrouped, csv(5, u"crash_cost_per_unit"_qs), u"1,250.50"_qs}},
        {{K::AmountTooPrecise, kit(u"crash_cost_per_unit"_qs, u"B"_qs), u"33.333"_qs}},
        {{K::AmountExponent, csv(5, u"crash_cost_per_unit"_qs), u"1e3"_qs}},
        {{K::AmountCurrency, csv(5, u"crash_cost_per_unit"_qs), u"$100"_qs}},
        {{K::AmountTooLarge, csv(5, u"normal_cost"_qs), u"9e99.5"_qs}},
        {{K::NegativeAmount, csv(5, u"normal_cost"_qs), u"-5"_qs}},
        {{K::NotDecimal, csv(5, u"optimistic"_qs), u"4,5"_qs}},
        {{K::EstimatesIncomplete,
          csv(5, u"optimistic"_qs),
          {},
          {u"most_likely"_qs, u"pessimistic"_qs}}},
        {{K::LinkLagNotWhole, csv(5, u"predecessors"_qs), u"B FS+1.5"_qs}},
        {{.kind = K::LinkLagTooLarge,
          .place = csv(5, u"predecessors"_qs),
          .value = u"B SS-2000000"_qs,
          .bound = 1'000'000},
         {u"1000000"_qs}},
        {{K::LinkLagWithoutSign, csv(5, u"predecessors"_qs), u"Paint walls FF2"_qs}},
        {{K::UnknownTimeUnit, csv(2, u"unit"_qs), u"days"_qs, {u"minute"_qs, u"day"_qs}}},
        {{.kind = K::TimeUnitDiffers,
          .place = csv(6, u"unit"_qs),
          .value = u"week"_qs,
          .names = {u"Hour"_qs},
          .number = 3},
         {u"3"_qs}},
        {{.kind = K::CrashCostBelowNormal,
          .place = csv(5, u"crash_cost"_qs),
          .number = 90'000,
          .bound = 100'000},
         {u"900.00 บาท"_qs, u"1000.00 บาท"_qs}},
        {{.kind = K::CostsDifferWithoutShortening,
          .place = csv(5, u"crash_cost"_qs),
          .number = 120'000,
          .bound = 100'000},
         {u"1200.00 บาท"_qs, u"1000.00 บาท"_qs}},
        // 1100 - 1000 Baht over 3 units: 100/3 Baht, 33.33 to the satang.
        {{.kind = K::SlopeRounded, .place = slopeAt, .number = 10'000, .bound = 3, .rounded = 3'333},
         {u"100.00 บาท"_qs, u"100/3"_qs, u"33.33 บาท"_qs, u"3 "_qs + unit}},
        {{K::JsonSyntax,
          {.file = u"plan.crashkit"_qs, .line = 3, .column = 17},
          u"unterminated string"_qs}},
        {{K::NotProjectFile, kit(u"format"_qs), u"\"other\""_qs}},
        {{.kind = K::NewerVersion, .place = kit(u"version"_qs), .number = 3, .bound = 1},
         {u"3"_qs}},
        {{K::BadVersion, kit(u"version"_qs), u"\"one\""_qs}},
        {{K::MissingKey, kit(u"crash_duration"_qs, u"B"_qs)}},
        {{K::UnknownKey, kit(u"colour"_qs, u"B"_qs), {}, {u"id"_qs, u"name"_qs}}},
        {{.kind = K::WrongType,
          .place = kit(u"normal_duration"_qs, u"B"_qs),
          .value = u"\"5\""_qs,
          .expected = io::ValueType::WholeNumber,
          .found = io::ValueType::Text}},
        {{.kind = K::NeedsNewerVersion, .place = kit(u"time_unit"_qs), .number = 1, .bound = 2},
         {u"1"_qs, u"2"_qs}},
        {{K::Engine,
          {.file = u"plan.csv"_qs, .line = 7, .field = u"predecessors"_qs, .activity = u"F"_qs},
          u"X9"_qs,
          {},
          engine::ProblemKind::UnknownPredecessor}},
        {{K::XmlSyntax, xml(3, 21), u"Opening and ending tag mismatch."_qs}},
        {{K::XmlDoctype, xml(2, 9)}},
        {{.kind = K::XmlTooDeep, .place = xml(70, 3), .bound = 64}, {u"64"_qs}},
        {{K::NotPlanFile, xml(1, 0), u"html"_qs, {u"Project"_qs}}},
        {{.kind = K::TooManyTasks, .place = xml(0, 0), .bound = 1'000'000}, {u"1000000"_qs}},
        {{K::BadTaskDuration, xml(12, 0, u"Duration"_qs, u"3"_qs), u"P2W"_qs}},
        {{.kind = K::TaskDurationTooLong,
          .place = xml(12, 0, u"Duration"_qs, u"3"_qs),
          .value = u"PT8000008H"_qs,
          .bound = 1'000'000},
         {u"1000000"_qs, unit}},
        {{K::DuplicateTaskId, xml(14, 0, u"UID"_qs, u"5"_qs), u"5"_qs}},
        {{K::UnknownLinkTask, xml(20, 0, u"PredecessorUID"_qs, u"6"_qs), u"99"_qs}},
        {{K::LinkLagRefused,
          {.file = u"plan.gan"_qs, .line = 8, .activity = u"4"_qs},
          u"3 days"_qs,
          ends},
         {u"3 "_qs + unit}},
        {{.kind = K::UnknownLinkType,
          .place = {.file = u"plan.gan"_qs, .line = 8, .field = u"type"_qs, .activity = u"4"_qs},
          .value = u"0"_qs,
          .names = {u"2"_qs, u"1"_qs, u"3"_qs, u"4"_qs}},
         {u"2 (เสร็จ-เริ่ม)"_qs, u"1 (เริ่ม-เริ่ม)"_qs, u"3 (เสร็จ-เสร็จ)"_qs, u"4 (เริ่ม-เสร็จ)"_qs}},
        {{.kind = K::LinkTypeRefused,
          .place = xml(7, 0, {}, u"4"_qs),
          .names = ends,
          .linkType = io::LinkType::StartStart},
         {u"เริ่ม-เริ่ม"_qs}},
        {{K::SummaryLinkInexact, xml(7, 0, {}, u"4"_qs), {}, ends}},
        {{.kind = K::TooManyLinks, .place = xml(30, 0), .bound = 10'000'000}, {u"10000000"_qs}},
        {{K::ImportOnly, {.file = u"plan.xml"_qs}, u"Microsoft Project XML"_qs}},
        {{K::CrashDataMissing,
          {.file = u"plan.gan"_qs, .line = 5, .activity = u"1"_qs, .activityNumber = 1}}},
        {{K::DurationNotWholeMinutes, xml(12, 0, u"Duration"_qs, u"3"_qs), u"PT4H0M1S"_qs}},
        {{K::TaskSplit, xml(12, 0, {}, u"3"_qs)}},
        {{K::FixedDatesIgnored, xml(12, 0, {}, u"3"_qs), u"ConstraintType 4"_qs},
         {u"ConstraintType 4"_qs}},
        {{.kind = K::TimeUnitChosen,
          .place = {.file = u"plan.xml"_qs},
          .number = 480,
          .bound = 2400,
          .unit = engine::TimeUnit::Hour},
         {u"480"_qs, u"ชั่วโมง"_qs}},
        {{.kind = K::TimeUnitChosen,
          .place = {.file = u"plan.xml"_qs},
          .number = 480,
          .bound = 2400,
          .unit = engine::TimeUnit::Week},
         {u"2400"_qs, u"สัปดาห์"_qs}},
        {{K::NotAnswersFile, {.file = u"work.json"_qs, .line = 1}}},
        {{K::UnknownAnswerActivity,
          {.file = u"work.json"_qs, .field = u"critical_activities[2]"_qs},
          u"Q"_qs}},
        {{K::RepeatedAnswer,
          {.file = u"work.json"_qs,
           .field = u"activity"_qs,
           .activity = u"C"_qs,
           .activityNumber = 4},
          u"C"_qs}},
        {{K::AnswersWithoutProject, {.file = u"work.json"_qs}}},
    };
}

// The text of a file written into `dir`, opened as the window opens it.
io::ReadResult openWritten(const QTemporaryDir &dir, const QString &name, const QByteArray &text)
{
    QFile file(dir.filePath(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size())
        qFatal("cannot write %s", qPrintable(name));
    file.close();
    return io::openProject(file.fileName());
}

QString xmlTask(int uid, const char *duration, const QString &inside = {})
{
    return u"<Task><UID>%1</UID><ID>%1</ID><Name>T%1</Name><Duration>%2</Duration>%3</Task>\n"_qs
        .arg(uid)
        .arg(QLatin1String(duration), inside);
}

} // namespace

class ThaiFileProblemsTest : public QObject {
    Q_OBJECT

private slots:
    void everyKind();
    void sameSentenceAsTheTable();
    void brokenFiles();
    void warningsAndSaves();
    void longLists();
};

void ThaiFileProblemsTest::everyKind()
{
    // Every file kind, then every engine kind as a file has it, each its own sentence.
    std::set<QString> wordings;
    const std::vector<Sample> all = samples();
    for (int k = 0; k <= static_cast<int>(FileProblemKind::AnswersWithoutProject); ++k) {
        const auto sample = std::find_if(all.begin(), all.end(), [k](const Sample &s) {
            return s.problem.kind == static_cast<FileProblemKind>(k);
        });
        QVERIFY2(sample != all.end(), qPrintable(QString::number(k)));
        checkSentence(sample->problem, sample->figures);
        const QString wording
            = withoutData(project::thaiFileProblem(sample->problem), sample->problem);
        QVERIFY2(wordings.insert(wording).second, wording.toUtf8());
    }
    for (int k = 0; k <= static_cast<int>(engine::ProblemKind::EstimateOrder); ++k) {
        const auto kind = static_cast<engine::ProblemKind>(k);
        io::Problem p {.kind = FileProblemKind::Engine,
                       .place = kit(QString::fromLatin1(io::keyOf(io::fieldOf(kind))), u"B"_qs),
                       .engineKind = kind};
        QStringList figures;
        if (kind == engine::ProblemKind::UnknownPredecessor)
            p.value = u"X9"_qs;
        if (kind == engine::ProblemKind::Cycle) {
            p.names = QStringList {u"B"_qs, u"C"_qs, u"D"_qs};
            figures << u"B → C → D → B"_qs;
        }
        if (kind == engine::ProblemKind::TooManyActivities) {
            p.number = 1'000'001;
            figures << u"1000001"_qs;
        }
        checkSentence(p, figures);
        const QString wording = withoutData(project::thaiFileProblem(p), p);
        QVERIFY2(wordings.insert(wording).second, wording.toUtf8());
    }
}

void ThaiFileProblemsTest::sameSentenceAsTheTable()
{
    // A value as the CSV reader finds it reads as the same text typed in the table's cell.
    const struct {
        const char16_t *field;
        int column;
    } cells[] = {{u"normal_duration", project::NormalDurationColumn},
                 {u"crash_duration", project::CrashDurationColumn},
                 {u"crash_cost_per_unit", project::CostPerUnitColumn}};
    for (const auto &cell : cells) {
        for (int k = static_cast<int>(FileProblemKind::MissingValue);
             k <= static_cast<int>(FileProblemKind::NegativeAmount); ++k) {
            const auto kind = static_cast<FileProblemKind>(k);
            const QString typed = kind == FileProblemKind::MissingValue ? QString() : u"q7"_qs;
            const io::Problem p {.kind = kind,
                                 .place = csv(5, QString::fromUtf16(cell.field)),
                                 .value = typed,
                                 .bound = engine::kMaxDuration};
            const QString table = project::thaiValueProblem(kind, cell.column, typed);
            QVERIFY2(project::thaiFileProblem(p).endsWith(u": "_qs + table), table.toUtf8());
        }
    }
    const io::Problem estimate {FileProblemKind::NotDecimal, csv(5, u"most_likely"_qs), u"4,5"_qs};
    QVERIFY(project::thaiFileProblem(estimate).endsWith(project::thaiEstimateProblem(
        project::EstimateProblem::NotNumber, project::MostLikelyColumn, u"4,5"_qs)));

    // What the engine finds in one activity "A", but where the table shows its values or
    // says "in the table".
    engine::Project one;
    one.activities.push_back({"A", "", {}, 3, 2, 100});
    for (int k = 0; k <= static_cast<int>(engine::ProblemKind::EstimateOrder); ++k) {
        const auto kind = static_cast<engine::ProblemKind>(k);
        const io::Problem p {.kind = FileProblemKind::Engine,
                             .place = kit(u"id"_qs, u"A"_qs),
                             .value = u"X"_qs,
                             .names = {u"A"_qs},
                             .engineKind = kind,
                             .number = 1};
        const QString table = project::thaiEngineProblem({kind, 0, "X", {0}}, one);
        const bool differs = kind == engine::ProblemKind::UnknownPredecessor
            || kind == engine::ProblemKind::NegativeCost
            || kind == engine::ProblemKind::CrashAboveNormal;
        QVERIFY2(project::thaiFileProblem(p).endsWith(u": "_qs + table) != differs, table.toUtf8());
    }
}

void ThaiFileProblemsTest::brokenFiles()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QByteArray header = "activity,name,predecessors,normal_duration,crash_duration,"
                              "crash_cost_per_unit\n";
    const QByteArray gan
        = "<?xml version=\"1.0\"?>\n<project name=\"p\">\n<tasks>\n"
          "<task id=\"1\" name=\"Dig\" duration=\"2\">\n"
          "<depend id=\"2\" type=\"2\" difference=\"1.5\"/>\n</task>\n"
          "<task id=\"2\" name=\"Pour\" duration=\"abc\"/>\n</tasks>\n</project>\n";
    // A lag of elapsed days (LagFormat 8) cannot be read as working time.
    const QString link = u"<PredecessorLink><PredecessorUID>1</PredecessorUID><Type>%1</Type>"
                         "<LinkLag>%2</LinkLag><LagFormat>8</LagFormat></PredecessorLink>"_qs;
    const QString mspdi = u"<Project>\n<Tasks>\n"_qs + xmlTask(1, "PT8H0M0S")
        + xmlTask(2, "PT8H0M1S", link.arg(3).arg(0)) + xmlTask(3, "PT8H0M0S", link.arg(1).arg(4800))
        + u"</Tasks>\n</Project>\n"_qs;
    // Each file, then for each problem in order, what its line must say.
    const struct {
        QString name;
        QByteArray text;
        QList<QStringList> lines;
    } files[] = {
        {u"plan.csv"_qs,
         header
             + "A,Dig,-,5,3,1000\nB,Pour,A,4,2,500\nC,Walls,A,6,6,0\nD,Roof,\"B,C\",x7,2,100\n"
               "E,Paint,D,3,2,1.234\nF,Clean,X,2,1,100\n",
         {{u"บรรทัด 5 คอลัมน์ normal_duration:"_qs, u"'x7'"_qs},
          {u"บรรทัด 6 คอลัมน์ crash_cost_per_unit:"_qs, u"'1.234'"_qs},
          {u"บรรทัด 7 กิจกรรม F คอลัมน์ predecessors:"_qs, u"'X'"_qs}}},
        {u"plan.crashkit"_qs,
         R"({"format": "crashkit-project", "version": 1, "activities": [
             {"id": "A", "normal_duration": 2, "crash_duration": 1, "crash_cost_per_unit": 5},
             {"id": "B", "normal_duration": 2, "crash_duration": 1, "crash_cost_per_unit": 33.333},
             {"id": "C", "normal_duration": "5", "crash_duration": 1, "crash_cost_per_unit": 5,
              "colour": "red"}]})",
         {{u"กิจกรรม B ช่อง crash_cost_per_unit:"_qs, u"'33.333'"_qs},
          {u"กิจกรรม C ช่อง colour:"_qs},
          {u"กิจกรรม C ช่อง normal_duration:"_qs, u"\"5\""_qs}}},
        {u"syntax.crashkit"_qs,
         "{\n  \"format\": \"crashkit-project\",\n  \"version\": 1,,\n}\n",
         {{u"บรรทัด 3 ตำแหน่ง "_qs, u"JSON"_qs}}},
        {u"tags.xml"_qs,
         "<?xml version=\"1.0\"?>\n<Project>\n<Tasks><Task><UID>1</UID></Tsk>\n",
         {{u"บรรทัด 3 ตำแหน่ง "_qs, u"XML"_qs}}},
        {u"links.xml"_qs,
         mspdi.toUtf8(),
         {{u"บรรทัด 4 กิจกรรม 2 ช่อง Duration:"_qs, u"'PT8H0M1S'"_qs},
          {u"บรรทัด 5 กิจกรรม 3:"_qs, u"1 (T1)"_qs, u"480 นาที"_qs}}},
        {u"plan.gan"_qs,
         gan,
         {{u"บรรทัด 7 กิจกรรม 2 ช่อง duration:"_qs, u"'abc'"_qs},
          {u"บรรทัด 5 กิจกรรม 2:"_qs, u"1 (Dig)"_qs,
           u"1.5 "_qs + project::thaiUnitWord(engine::TimeUnit::Day)}}},
        // Characters that cannot be seen are shown by their codes.
        {u"invisible.csv"_qs,
         header + "A\xE2\x80\x8B,,B,1,1,0\nB,,A\xE2\x80\x8B,1,1,0\n",
         {{u"บรรทัด 2 กิจกรรม A<U+200B> คอลัมน์ predecessors:"_qs, u"A<U+200B> → B → A<U+200B>"_qs}}},
        {u"plan.txt"_qs, "", {{u"'.txt'"_qs}}},
    };
    for (const auto &f : files) {
        const io::ReadResult result = openWritten(dir, f.name, f.text);
        QVERIFY2(!result.isLoaded(), qPrintable(f.name));
        const QStringList lines = project::thaiProblemListText(result.problems()).split(u'\n');
        QCOMPARE(lines.size(), f.lines.size());
        for (qsizetype i = 0; i < lines.size(); ++i) {
            const io::Problem &p = result.problems().kept()[static_cast<std::size_t>(i)];
            QVERIFY2(lines[i].startsWith(dir.filePath(f.name)), lines[i].toUtf8());
            for (const QString &part : f.lines[i])
                QVERIFY2(lines[i].contains(part), lines[i].toUtf8() + " lacks " + part.toUtf8());
            checkSentence(p);
        }
    }
    const io::ReadResult missing = io::openProject(dir.filePath(u"none.csv"_qs));
    QVERIFY(project::thaiProblemListText(missing.problems()).endsWith(u"none.csv: ไม่พบไฟล์นี้"_qs));
    QVERIFY(QDir(dir.path()).mkdir(u"folder.csv"_qs));
    checkSentence(io::openProject(dir.filePath(u"folder.csv"_qs)).problems().kept().at(0));
}

void ThaiFileProblemsTest::warningsAndSaves()
{
    QTemporaryDir dir;
    // Totals 1000 and 1100 Baht over 5 - 2 units: 100/3 Baht a unit, rounded to 33.33.
    const io::ReadResult rounded = openWritten(
        dir, u"totals.csv"_qs,
        "activity,predecessors,normal_duration,crash_duration,normal_cost,crash_cost\n"
        "A,-,5,2,1000,1100\n");
    QVERIFY(rounded.isLoaded());
    const QString warning = project::thaiProblemListText(rounded.warnings());
    for (const QString &part : {u"บรรทัด 2 กิจกรรม A"_qs, u"100/3"_qs, u"33.33 บาท"_qs,
                                u"3 "_qs + project::thaiUnitWord(engine::TimeUnit::Day)})
        QVERIFY2(warning.contains(part), warning.toUtf8());
    const io::ReadResult imported
        = openWritten(dir, u"plan.xml"_qs,
                      (u"<Project>\n<Tasks>\n"_qs + xmlTask(1, "PT8H0M0S") + xmlTask(2, "PT16H0M0S")
                       + u"</Tasks>\n</Project>\n"_qs)
                          .toUtf8());
    QVERIFY(imported.isLoaded());
    const QStringList lines = project::thaiProblemListText(imported.warnings()).split(u'\n');
    QCOMPARE(lines.size(), 2);
    QVERIFY(lines[0].contains(u"บรรทัด 3 กิจกรรม 1:"_qs)
            && lines[1].contains(u"บรรทัด 4 กิจกรรม 2:"_qs));

    // Saves: a folder that is not there, a format that is only read, a cycle.
    engine::Project cycle;
    cycle.activities = {{"A", "", {"B"}, 3, 2, 100}, {"B", "", {"A"}, 2, 1, 100}};
    const io::ProblemList notThere
        = io::saveProject(imported.project(), dir.filePath(u"no/such/plan.csv"_qs));
    QCOMPARE(notThere.kept().at(0).kind, FileProblemKind::CannotSave);
    checkSentence(notThere.kept().at(0));
    checkSentence(io::saveProject(imported.project(), dir.filePath(u"out.gan"_qs)).kept().at(0));
    const QString cycleText
        = project::thaiProblemListText(io::saveProject(cycle, dir.filePath(u"c.csv"_qs)));
    QVERIFY2(cycleText.contains(u"คอลัมน์ predecessors: "_qs) && cycleText.contains(u"A → B → A"_qs),
             cycleText.toUtf8());
}

void ThaiFileProblemsTest::longLists()
{
    // count, shown: shown lines (or all kept), then a line with the rest when there is one.
    const struct {
        int count, shown;
    } cases[] = {{250, 20}, {250, 5}, {250, 250}, {20, 20}, {3, 20}};
    for (const auto &c : cases) {
        io::ProblemList list;
        for (int i = 1; i <= c.count; ++i)
            list.add({FileProblemKind::NotWholeNumber, csv(i + 1, u"normal_duration"_qs), u"x"_qs});
        const QStringList lines = project::thaiProblemListText(list, c.shown).split(u'\n');
        const int listed = std::min({c.count, c.shown, static_cast<int>(io::ProblemList::kKept)});
        const int rest = c.count - listed;
        QCOMPARE(lines.size(), listed + (rest > 0 ? 1 : 0));
        QVERIFY(lines[listed - 1].contains(u"บรรทัด %1 "_qs.arg(listed + 1)));
        if (rest > 0)
            QVERIFY2(isThai(lines.last()) && lines.last().contains(QString::number(rest))
                         && !lines.last().contains(u"บรรทัด"_qs),
                     lines.last().toUtf8());
    }
    // A real file of 250 bad rows: 20 lines, then the other 230.
    QTemporaryDir dir;
    QByteArray text = "activity,predecessors,normal_duration,crash_duration,crash_cost_per_unit\n";
    for (int i = 0; i < 250; ++i)
        text += "A" + QByteArray::number(i) + ",-,x,1,0\n";
    const io::ReadResult result = openWritten(dir, u"many.csv"_qs, text);
    QCOMPARE(result.problems().count(), 250);
    const QStringList lines = project::thaiProblemListText(result.problems()).split(u'\n');
    QCOMPARE(lines.size(), 21);
    QVERIFY(lines[19].contains(u"บรรทัด 21 "_qs) && lines[20].contains(u"230"_qs));
}

QTEST_MAIN(ThaiFileProblemsTest)
#include "thaifileproblems_test.moc"
