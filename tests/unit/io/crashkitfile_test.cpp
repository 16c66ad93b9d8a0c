// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

// The .crashkit file: a hand-written file, every refusal placed at its key and activity,
// and what the writer puts down.

#include "crashkitfile.h"
#include "iotestsupport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <optional>
#include <vector>

namespace {

using io::FileProblemKind;

std::string file(const std::string &activities, const std::string &more = {}, int version = 1)
{
    return "{\"format\": \"crashkit-project\", \"version\": " + std::to_string(version) + ", "
        + more + "\"activities\": [" + activities + "]}";
}

// The same in version 2, which has links with types and lags and the time unit.
std::string file2(const std::string &activities, const std::string &more = {})
{
    return file(activities, more, 2);
}

const std::string kA = R"({"id": "A", "normal_duration": 5, "crash_duration": 3, )"
                       R"("crash_cost_per_unit": 1000})";

TEST(CrashkitFile, ReadsAHandWrittenFile)
{
    const std::string text
        = "\xEF\xBB\xBF{\n"
          "  \"format\": \"crashkit-project\",\n"
          "  \"version\": 1,\n"
          "  \"title\": \"\xE0\xB8\x9A\xE0\xB9\x89\xE0\xB8\xB2\xE0\xB8\x99\",\n"
          "  \"target_duration\": 9,\n"
          "  \"activities\": [\n"
          "    {\"id\": \"A\", \"name\": \"Dig\", \"predecessors\": [],\n"
          "     \"normal_duration\": 5, \"crash_duration\": 3,\n"
          "     \"crash_cost_per_unit\": 1000},\n"
          "    {\"id\": \"B\", \"predecessors\": [\"A\"], \"normal_duration\": 4,\n"
          "     \"crash_duration\": 2, \"crash_cost_per_unit\": 33.33},\n"
          "    {\"id\": \"C\", \"normal_duration\": 1, \"crash_duration\": 1,\n"
          "     \"crash_cost_per_unit\": 0.1}\n"
          "  ]\n"
          "}\n";
    const io::ReadResult result = iotest::readText(text, io::FileFormat::Crashkit);
    ASSERT_TRUE(result.isLoaded()) << result.message().toStdString();
    const engine::Project expected {
        "\xE0\xB8\x9A\xE0\xB9\x89\xE0\xB8\xB2\xE0\xB8\x99",
        {{"A", "Dig", {}, 5, 3, 100000}, {"B", "", {"A"}, 4, 2, 3333}, {"C", "", {}, 1, 1, 10}},
        9};
    EXPECT_EQ(iotest::difference(result.project(), expected), "");

    const io::ReadResult noTarget
        = iotest::readText(file(kA, "\"target_duration\": null, "), io::FileFormat::Crashkit);
    ASSERT_TRUE(noTarget.isLoaded()) << noTarget.message().toStdString();
    EXPECT_FALSE(noTarget.project().target.has_value());
    EXPECT_EQ(noTarget.project().title, "");

    // Version 2: links as objects beside plain ids, defaults for a missing type and lag, and
    // the unit in either language and any case.
    // สัปดาห์, a week
    for (const char *unit : {"week", "Week",
                             "\xE0\xB8\xAA\xE0\xB8\xB1\xE0\xB8\x9B\xE0\xB8\x94\xE0\xB8\xB2"
                             "\xE0\xB8\xAB\xE0\xB9\x8C"}) {
        const io::ReadResult linked = iotest::readText(
            file2(
                kA
                    + R"(, {"id": "C", "normal_duration": 1, "crash_duration": 1, )"
                      R"("crash_cost_per_unit": 0, "predecessors": ["A", {"id": "A", "type": "ss"}, )"
                      R"({"id": "B", "lag": -2}, {"id": "B", "type": "FS", "lag": 0}]}, )"
                      R"({"id": "B", "normal_duration": 1, "crash_duration": 1, )"
                      R"("crash_cost_per_unit": 0, "predecessors": [{"id": "A", "type": "SF", )"
                      R"("lag": 3}]})",
                std::string("\"time_unit\": \"") + unit + "\", "),
            io::FileFormat::Crashkit);
        ASSERT_TRUE(linked.isLoaded()) << linked.message().toStdString();
        engine::Project expectedLinks {"",
                                       {{"A", "", {}, 5, 3, 100000},
                                        {"C", "", {"A", "A", "B", "B"}, 1, 1, 0},
                                        {"B", "", {"A"}, 1, 1, 0}},
                                       std::nullopt,
                                       engine::TimeUnit::Week};
        using engine::LinkType;
        expectedLinks.activities[1].linkTimings
            = {{}, {LinkType::StartToStart, 0}, {LinkType::FinishToStart, -2}, {}};
        expectedLinks.activities[2].linkTimings = {{LinkType::StartToFinish, 3}};
        EXPECT_EQ(iotest::difference(linked.project(), expectedLinks), "") << unit;
    }
}

struct Refused {
    const char *name;
    std::string text;
    FileProblemKind kind;
    const char *field = "";
    const char *activity = "";
    int activityNumber = 0;
    std::optional<engine::ProblemKind> engineKind = std::nullopt;
    int line = 0;
};

TEST(CrashkitFile, PlacesEveryRefusalAtItsActivityAndKey)
{
    const std::string noId = R"({"normal_duration": 5, "crash_duration": 3, )"
                             R"("crash_cost_per_unit": 1})";
    auto b = [](const std::string &keys) {
        return R"({"id": "B", "predecessors": ["A"], )" + keys + "}";
    };
    const std::string durations = R"("normal_duration": 4, "crash_duration": 2, )";
    // B linked by a link object; by one to A with the given keys besides its id.
    auto linkedBy = [&](const std::string &object) {
        return R"({"id": "B", "predecessors": [)" + object + "], " + durations
            + R"("crash_cost_per_unit": 1})";
    };
    auto link = [&](const std::string &keys) { return linkedBy(R"({"id": "A", )" + keys + "}"); };
    const Refused cases[] = {
        {"not JSON", "", FileProblemKind::JsonSyntax, "", "", 0, std::nullopt, 1},
        {"deep nesting", file(kA + ", " + std::string(3000, '[')), FileProblemKind::JsonSyntax, "",
         "", 0, std::nullopt, 1},
        {"not UTF-8", "{\n\"title\": \"caf\xE9\"}", FileProblemKind::InvalidUtf8, "", "", 0,
         std::nullopt, 2},
        {"a list", "[1, 2]", FileProblemKind::NotProjectFile, "", "", 0, std::nullopt, 1},
        {"no format", R"({"version": 1, "activities": []})", FileProblemKind::NotProjectFile,
         "format"},
        {"another format", R"({"format": "gantt", "version": 1, "activities": []})",
         FileProblemKind::NotProjectFile, "format"},
        {"newer version",
         R"({"format": "crashkit-project", "version": 3, "activities": [], )"
         R"("new_key": true})",
         FileProblemKind::NewerVersion, "version"},
        {"version as text", R"({"format": "crashkit-project", "version": "1"})",
         FileProblemKind::BadVersion, "version"},
        {"version 1.5", R"({"format": "crashkit-project", "version": 1.5})",
         FileProblemKind::BadVersion, "version"},
        {"no version", R"({"format": "crashkit-project", "activities": []})",
         FileProblemKind::MissingKey, "version"},
        {"no activities", R"({"format": "crashkit-project", "version": 1})",
         FileProblemKind::MissingKey, "activities"},
        {"activities not a list",
         R"({"format": "crashkit-project", "version": 1, )"
         R"("activities": {}})",
         FileProblemKind::WrongType, "activities"},
        {"misspelt key", file(kA, "\"titel\": \"x\", "), FileProblemKind::UnknownKey, "titel"},
        {"title a number", file(kA, "\"title\": 5, "), FileProblemKind::WrongType, "title"},
        {"target not whole", file(kA, "\"target_duration\": 2.5, "),
         FileProblemKind::NotWholeNumber, "target_duration"},
        {"negative target", file(kA, "\"target_duration\": -1, "), FileProblemKind::Engine,
         "target_duration", "", 0, engine::ProblemKind::NegativeTarget},
        {"activity not an object", file(kA + ", 5"), FileProblemKind::WrongType, "activities", "",
         2},
        {"missing duration",
         file(kA + R"(, {"id": "C", "crash_duration": 3, "crash_cost_per_unit": 1})"),
         FileProblemKind::MissingKey, "normal_duration", "C", 2},
        {"missing id", file(noId), FileProblemKind::MissingKey, "id", "", 1},
        {"misspelt activity key",
         file(kA + ", " + b(durations + R"("crash_cost_per_unit": 1, "nmae": "Pour")")),
         FileProblemKind::UnknownKey, "nmae", "B", 2},
        {"id a number",
         file(R"({"id": 7, "normal_duration": 5, "crash_duration": 3, )"
              R"("crash_cost_per_unit": 1})"),
         FileProblemKind::WrongType, "id", "", 1},
        {"duration as text",
         file(kA + ", "
              + b(R"("normal_duration": "4", "crash_duration": 2, "crash_cost_per_unit": 1)")),
         FileProblemKind::WrongType, "normal_duration", "B", 2},
        {"duration not whole",
         file(kA + ", "
              + b(R"("normal_duration": 4.5, "crash_duration": 2, "crash_cost_per_unit": 1)")),
         FileProblemKind::NotWholeNumber, "normal_duration", "B", 2},
        {"duration beyond 2^53",
         file(kA + ", "
              + b(R"("normal_duration": 1e20, "crash_duration": 2, "crash_cost_per_unit": 1)")),
         FileProblemKind::NumberTooLarge, "normal_duration", "B", 2},
        {"three decimals", file(kA + ", " + b(durations + R"("crash_cost_per_unit": 33.333)")),
         FileProblemKind::AmountTooPrecise, "crash_cost_per_unit", "B", 2},
        {"huge amount", file(kA + ", " + b(durations + R"("crash_cost_per_unit": 1e300)")),
         FileProblemKind::AmountTooLarge, "crash_cost_per_unit", "B", 2},
        {"amount as text", file(kA + ", " + b(durations + R"("crash_cost_per_unit": "1000")")),
         FileProblemKind::WrongType, "crash_cost_per_unit", "B", 2},
        {"predecessors a text",
         file(R"({"id": "B", "predecessors": "A", )" + durations + R"("crash_cost_per_unit": 1})"),
         FileProblemKind::WrongType, "predecessors", "B", 1},
        {"predecessor a number",
         file(R"({"id": "B", "predecessors": [1], )" + durations + R"("crash_cost_per_unit": 1})"),
         FileProblemKind::WrongType, "predecessors", "B", 1},
        {"unknown predecessor",
         file(R"({"id": "B", "predecessors": ["X"], )" + durations + R"("crash_cost_per_unit": 1})"),
         FileProblemKind::Engine, "predecessors", "B", 1, engine::ProblemKind::UnknownPredecessor},
        {"link object in version 1", file(kA + ", " + link(R"("type": "SS")")),
         FileProblemKind::NeedsNewerVersion, "predecessors", "B", 2},
        {"time unit in version 1", file(kA, R"("time_unit": "hour", )"),
         FileProblemKind::NeedsNewerVersion, "time_unit"},
        {"unknown time unit", file2(kA, R"("time_unit": "days", )"),
         FileProblemKind::UnknownTimeUnit, "time_unit"},
        {"time unit a number", file2(kA, R"("time_unit": 60, )"), FileProblemKind::WrongType,
         "time_unit"},
        {"predecessor neither text nor link",
         file2(R"({"id": "B", "predecessors": [[]], )" + durations + R"("crash_cost_per_unit": 1})"),
         FileProblemKind::WrongType, "predecessors", "B", 1},
        {"unknown link type", file2(kA + ", " + link(R"("type": "FX")")),
         FileProblemKind::UnknownLinkType, "predecessors.type", "B", 2},
        {"link type a number", file2(kA + ", " + link(R"("type": 1)")), FileProblemKind::WrongType,
         "predecessors.type", "B", 2},
        {"lag not whole", file2(kA + ", " + link(R"("lag": 1.5)")), FileProblemKind::NotWholeNumber,
         "predecessors.lag", "B", 2},
        {"lag as text", file2(kA + ", " + link(R"("lag": "+2")")), FileProblemKind::WrongType,
         "predecessors.lag", "B", 2},
        {"lag beyond the largest", file2(kA + ", " + link(R"("lag": -1e300)")),
         FileProblemKind::Engine, "predecessors.lag", "B", 2, engine::ProblemKind::LagTooLarge},
        {"link without id", file2(kA + ", " + linkedBy(R"({"type": "SS"})")),
         FileProblemKind::MissingKey, "predecessors.id", "B", 2},
        {"misspelt link key", file2(kA + ", " + link(R"("lga": 2)")), FileProblemKind::UnknownKey,
         "predecessors.lga", "B", 2},
        {"link to an unknown activity", file2(kA + ", " + linkedBy(R"({"id": "X", "type": "SS"})")),
         FileProblemKind::Engine, "predecessors", "B", 2, engine::ProblemKind::UnknownPredecessor},
        {"crash longer than normal",
         file(kA + ", "
              + b(R"("normal_duration": 1, "crash_duration": 2, "crash_cost_per_unit": 1)")),
         FileProblemKind::Engine, "crash_duration", "B", 2, engine::ProblemKind::CrashAboveNormal},
    };
    for (const Refused &c : cases) {
        SCOPED_TRACE(c.name);
        const io::ReadResult result = iotest::readText(c.text, io::FileFormat::Crashkit);
        ASSERT_FALSE(result.isLoaded());
        const io::Problem *problem = c.engineKind
            ? iotest::findEngineProblem(result.problems(), *c.engineKind)
            : iotest::findProblem(result.problems(), c.kind);
        ASSERT_NE(problem, nullptr) << result.message().toStdString();
        EXPECT_EQ(problem->place.file, u"plan.crashkit");
        EXPECT_EQ(problem->place.field, QString::fromUtf8(c.field));
        EXPECT_EQ(problem->place.activity, QString::fromUtf8(c.activity));
        EXPECT_EQ(problem->place.activityNumber, c.activityNumber);
        EXPECT_EQ(problem->place.line, c.line);
        EXPECT_EQ(result.problems().count(), 1) << result.message().toStdString();
    }
}

TEST(CrashkitFile, SyntaxErrorsAreGivenByLineAndColumn)
{
    // The closing brace in line 4 does not close the list opened just before it; the
    // parser's offset is just after it. The byte order mark is no column.
    const std::string text
        = "\xEF\xBB\xBF{\n  \"format\": \"crashkit-project\",\n"
          "  \"version\": 1,\n  \"title\": \"\xE0\xB8\x81\", \"activities\": [}\n";
    const io::ReadResult result = iotest::readText(text, io::FileFormat::Crashkit);
    ASSERT_EQ(result.problems().count(), 1);
    const io::Problem &problem = result.problems().kept()[0];
    EXPECT_EQ(problem.kind, FileProblemKind::JsonSyntax);
    EXPECT_EQ(problem.place.line, 4);
    EXPECT_EQ(problem.place.column, 33);
    EXPECT_TRUE(result.message().startsWith(u"plan.crashkit:4:33: not valid JSON: "))
        << result.message().toStdString();
}

// A \u escape of half a surrogate pair is not a character: Qt's parser turns it into a
// stand-in, after which two different ids could read as the same. Refused wherever it is,
// at its line and column.
TEST(CrashkitFile, LoneSurrogatesAreRefused)
{
    const auto activity = [](const std::string &id, const std::string &more = {}) {
        return "{\"id\": \"" + id + "\", " + more
            + "\"normal_duration\": 1, \"crash_duration\": 1, \"crash_cost_per_unit\": 0}";
    };
    // Appended rather than added to a literal, which GCC 12 misjudges at -O3.
    const auto onLine2 = [](const std::string &text) {
        std::string line = "\n";
        line += text;
        return line;
    };
    const struct {
        const char *name;
        std::string text; // the escapes on its second line
        std::vector<std::string> lone; // in order
    } cases[] = {
        {"two ids",
         file(onLine2(activity("\\ud800")) + ", "
              + activity("\\udc00", "\"predecessors\": [\"\\ud800\"], ")),
         {"\\ud800", "\\udc00", "\\ud800"}},
        {"name", file(onLine2(activity("A", "\"name\": \"x\\uDBFFy\", "))), {"\\uDBFF"}},
        {"reversed pair", file(onLine2(activity("A\\udc00\\ud800"))), {"\\udc00", "\\ud800"}},
        {"high, then another escape", file(onLine2(activity("A\\ud83d\\u0041"))), {"\\ud83d"}},
        {"high at the end", file(onLine2(activity("A\\ud83d"))), {"\\ud83d"}},
        {"title", file(kA, "\n\"title\": \"\\ud800\", "), {"\\ud800"}},
        {"key", file(kA, "\n\"\\ude00\": 1, "), {"\\ude00"}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const io::ReadResult result = iotest::readText(c.text, io::FileFormat::Crashkit);
        ASSERT_FALSE(result.isLoaded());
        ASSERT_EQ(result.problems().count(), static_cast<std::int64_t>(c.lone.size()))
            << result.message().toStdString();
        const std::string line = c.text.substr(c.text.find('\n') + 1);
        std::size_t from = 0;
        for (std::size_t i = 0; i < c.lone.size(); ++i) {
            from = line.find(c.lone[i], from) + 1;
            const io::Problem &p = result.problems().kept().at(i);
            EXPECT_EQ(p.kind, FileProblemKind::LoneSurrogate);
            EXPECT_EQ(p.value, QString::fromStdString(c.lone[i]));
            EXPECT_EQ(p.place.line, 2);
            EXPECT_EQ(p.place.column, static_cast<int>(from)); // all ASCII: bytes are columns
        }
    }

    // A whole pair is one character, the same as written in UTF-8; an escaped backslash
    // before "u" is no escape at all.
    const io::ReadResult pair = iotest::readText(
        file(activity("\\ud83d\\ude00") + ", "
             + activity("\\\\ud800", "\"predecessors\": [\"\xF0\x9F\x98\x80\"], ")),
        io::FileFormat::Crashkit);
    ASSERT_TRUE(pair.isLoaded()) << pair.message().toStdString();
    EXPECT_EQ(pair.project().activities.at(0).id, "\xF0\x9F\x98\x80");
    EXPECT_EQ(pair.project().activities.at(1).id, "\\ud800");
}

// A number too large for its key is told with that key's own limit.
TEST(CrashkitFile, NumbersBeyondTheirKeysLimit)
{
    const auto durations = [](const std::string &normal, const std::string &crash) {
        return file(R"({"id": "A", "normal_duration": )" + normal + R"(, "crash_duration": )"
                    + crash + R"(, "crash_cost_per_unit": 1})");
    };
    const struct {
        std::string text;
        const char *field;
        FileProblemKind kind;
        std::int64_t bound = 0;
    } cases[] = {
        {durations("1e308", "1"), "normal_duration", FileProblemKind::NumberTooLarge,
         engine::kMaxDuration},
        {durations("1000001", "1"), "normal_duration", FileProblemKind::NumberTooLarge,
         engine::kMaxDuration},
        {durations("1e16", "1"), "normal_duration", FileProblemKind::NumberTooLarge,
         engine::kMaxDuration},
        {durations("5", "1e308"), "crash_duration", FileProblemKind::NumberTooLarge,
         engine::kMaxDuration},
        {durations("-1e308", "1"), "normal_duration", FileProblemKind::NegativeDuration},
        {file(kA, R"("target_duration": 1e308, )"), "target_duration",
         FileProblemKind::NumberTooLarge, std::int64_t {1} << 53},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        const io::ReadResult result = iotest::readText(c.text, io::FileFormat::Crashkit);
        ASSERT_FALSE(result.isLoaded());
        ASSERT_EQ(result.problems().count(), 1) << result.message().toStdString();
        const io::Problem &p = result.problems().kept().at(0);
        EXPECT_EQ(p.kind, c.kind) << result.message().toStdString();
        EXPECT_EQ(p.place.field, QString::fromLatin1(c.field));
        EXPECT_EQ(p.bound, c.bound);
    }
    const io::ReadResult longest
        = iotest::readText(durations("1000000", "1000000"), io::FileFormat::Crashkit);
    EXPECT_TRUE(longest.isLoaded()) << longest.message().toStdString();
}

TEST(CrashkitFile, NewerVersionSaysSo)
{
    const io::ReadResult result = iotest::readText(
        R"({"format": "crashkit-project", "version": 3, "shapes": []})", io::FileFormat::Crashkit);
    EXPECT_TRUE(result.message().contains(u"newer Crashkit")) << result.message().toStdString();
    EXPECT_EQ(result.problems().kept().at(0).number, 3);
}

TEST(CrashkitFile, WritesWholeBahtAsIntegersAndTheRestWithTwoDecimals)
{
    const engine::Project project {"T",
                                   {{"A", "", {}, 5, 3, 100000}, {"B", "", {"A"}, 2, 1, 3333}},
                                   4};
    const QByteArray written = io::writeCrashkit(project);
    const QJsonObject root = QJsonDocument::fromJson(written).object();
    EXPECT_EQ(root.value(u"format").toString(), u"crashkit-project");
    EXPECT_EQ(root.value(u"version").toInt(), 1);
    EXPECT_TRUE(written.contains("\"crash_cost_per_unit\": 1000,\n")) << written.toStdString();
    EXPECT_TRUE(written.contains("\"crash_cost_per_unit\": 33.33,\n")) << written.toStdString();
    EXPECT_TRUE(written.contains("\n    \"activities\": [")) << "indented";
    EXPECT_EQ(io::writeCrashkit(project), written);
}

// Version 2 only where it is needed; objects only for links that are not plain.
TEST(CrashkitFile, WritesTheOldestVersionThatHoldsTheProject)
{
    engine::Project project {"", {{"A", "", {}, 5, 3, 0}, {"B", "", {"A"}, 2, 1, 0}}, std::nullopt};
    project.activities.push_back({"C", "", {"A", "B"}, 1, 1, 0});
    project.activities.back().linkTimings = {{}, {}};
    const QJsonObject plain = QJsonDocument::fromJson(io::writeCrashkit(project)).object();
    EXPECT_EQ(plain.value(u"version").toInt(), 1);
    EXPECT_FALSE(plain.contains(u"time_unit"));

    project.activities.back().linkTimings = {{engine::LinkType::FinishToFinish, -3}, {}};
    const QJsonObject linked = QJsonDocument::fromJson(io::writeCrashkit(project)).object();
    EXPECT_EQ(linked.value(u"version").toInt(), 2);
    EXPECT_FALSE(linked.contains(u"time_unit"));
    const QJsonArray links = linked.value(u"activities").toArray().at(2)[u"predecessors"].toArray();
    ASSERT_EQ(links.size(), 2);
    EXPECT_EQ(links.at(0).toObject(),
              (QJsonObject {{u"id"_qs, u"A"_qs}, {u"type"_qs, u"FF"_qs}, {u"lag"_qs, -3}}));
    EXPECT_EQ(links.at(1).toString(), u"B");

    project.activities.back().linkTimings.clear();
    project.timeUnit = engine::TimeUnit::Minute;
    const QJsonObject minutes = QJsonDocument::fromJson(io::writeCrashkit(project)).object();
    EXPECT_EQ(minutes.value(u"version").toInt(), 2);
    EXPECT_EQ(minutes.value(u"time_unit").toString(), u"minute");
}

} // namespace
