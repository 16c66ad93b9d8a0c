// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

// Feeds random and broken project files to the CSV and .crashkit readers: written files
// of random sound projects, the same with bytes changed, huge fields and very long lines,
// deep JSON nesting, text that is not UTF-8, UTF-16 without a byte order mark, \u escapes
// of surrogates (pairs and lone halves) in JSON strings, NULs and byte soup. Every answer is
// checked: a refusal has placed problems and a message, an accepted project is sound and
// writes and reads back the same, an unchanged written file reads back as the project it
// was, and a lone half put in a string is refused at its line and column.

#include "fuzzsupport.h"
#include "watchdog.h"

#include "problemtext.h"
#include "projectdifference.h"
#include "projectfile.h"
#include "randomsoundproject.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>

namespace {

struct Figures {
    long long inputs = 0;
    long long csv = 0;
    long long accepted = 0;
    long long rejected = 0;
    long long failures = 0;
    long long bytes = 0;
};

const char *const kPieces[] = {
    "\"",
    "\"\"",
    ",",
    ";",
    "\r",
    "\n",
    "\r\n",
    "-",
    ".",
    " ",
    "\t",
    "1e3",
    "1,000",
    "0",
    "7",
    "-3",
    "2.5",
    "12.345",
    "99999999999999999999",
    "\xE0\xB8\xBF",
    "\xEF\xBB\xBF",
    "\xFF",
    "\xC3",
    "\xED\xA0\x80",
    "\xE0\xB8\x81",
    "{",
    "}",
    "[",
    "]",
    ":",
    "null",
    "true",
    "1e999",
    "-0",
    "0.30000000000000004",
    "\\u0000",
    "\\ud800",
    "\\udc00",
    "\\ud83d\\ude00",
    "\\uDBFF\\uDFFF",
    "\\ud800\\u0041",
    "\\\\ud800",
    "\xE2\x80\x8B", // zero-width space
    "\xC2\xA0", // no-break space
    "\xEF\xBB\xBF\xEF\xBB\xBF",
    "\"id\"",
    "\"version\": 2",
    "activity",
    "normal_cost",
    "crash_cost",
    "predecessors",
    "A",
    "B",
    " FS+2",
    " ss-1",
    " SF",
    "+",
    "unit",
    "hour",
    "\"time_unit\": \"week\", ",
    "{\"id\": \"A\", \"type\": \"FF\", \"lag\": -2}",
    "\"lag\": 1.5",
};

std::string piece(fuzz::Random &random)
{
    if (random.percent(5))
        return std::string(1, '\0');
    return random.pick(kPieces);
}

// One to eight changes: a piece inserted, bytes removed, a byte replaced, a span repeated.
std::string mutated(fuzz::Random &random, std::string text)
{
    for (int changes = 1 + random.below(8); changes > 0; --changes) {
        const auto at = static_cast<std::size_t>(random.below(static_cast<int>(text.size()) + 1));
        switch (random.below(4)) {
        case 0:
            text.insert(at, piece(random));
            break;
        case 1:
            text.erase(at, static_cast<std::size_t>(1 + random.below(4)));
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

std::string bytesOf(const QByteArray &bytes)
{
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

// A printable excerpt of an input: ASCII as is, every other byte as \xNN.
std::string printableBytes(const std::string &text)
{
    std::string out = "\"";
    for (std::size_t i = 0; i < text.size() && i < 400; ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= 0x20 && c < 0x7f && c != '"' && c != '\\') {
            out += static_cast<char>(c);
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
            out += escaped;
        }
    }
    out += '"';
    if (text.size() > 400)
        out += "... (";
    out += std::to_string(text.size()) + " bytes)";
    return out;
}

struct Input {
    std::string bytes;
    io::FileFormat format = io::FileFormat::Csv;
    std::optional<engine::Project> expected; // an unchanged written file reads back as this
    // Where lone halves of surrogate pairs were put into JSON strings: each must be refused,
    // at its own line and column, and nothing else told.
    std::vector<std::size_t> loneEscapes;
    bool escapesPut = false; // escapes put in strings, lone or not
    bool utf16 = false; // a written file as UTF-16 without a byte order mark
};

// The offsets just after each opening quote of a JSON text that is valid.
std::vector<std::size_t> stringStarts(const std::string &json)
{
    std::vector<std::size_t> starts;
    bool inString = false;
    for (std::size_t i = 0; i < json.size(); ++i) {
        if (inString && json[i] == '\\') {
            ++i;
        } else if (json[i] == '"') {
            inString = !inString;
            if (inString)
                starts.push_back(i + 1);
        }
    }
    return starts;
}

// Escapes put into the strings of a written .crashkit file: whole pairs, lone halves (alone,
// reversed, before another escape), and an escaped backslash before "ud800", which is text.
void putEscapes(fuzz::Random &random, Input &input)
{
    struct Escape {
        const char *text;
        std::vector<std::size_t> lone; // offsets of lone halves in it
    };
    static const Escape kEscapes[] = {
        {"\\ud83d\\ude00", {}},         {"\\uD800\\uDC00", {}},  {"\\\\ud800", {}},
        {"\\u0041\\u00e9", {}},         {"\\ud800", {0}},        {"\\uDFFF", {0}},
        {"\\udc00\\ud800", {0, 6}},     {"\\uDBFF\\u0041", {0}}, {"x\\ud83dy", {1}},
        {"\\ud800\\ud800\\udc00", {0}},
    };
    const std::vector<std::size_t> starts = stringStarts(input.bytes);
    if (starts.empty())
        return;
    std::vector<std::pair<std::size_t, const Escape *>> puts;
    for (int k = 1 + random.below(3); k > 0; --k)
        puts.emplace_back(random.pick(starts), &random.pick(kEscapes));
    // From the end backwards, so that earlier offsets stay where they are; one a string, so
    // that no two put side by side make a pair.
    std::sort(puts.begin(), puts.end(),
              [](const auto &a, const auto &b) { return a.first > b.first; });
    puts.erase(std::unique(puts.begin(), puts.end(),
                           [](const auto &a, const auto &b) { return a.first == b.first; }),
               puts.end());
    std::vector<std::size_t> lone;
    for (const auto &[at, escape] : puts) {
        for (std::size_t &offset : lone)
            offset += std::strlen(escape->text);
        input.bytes.insert(at, escape->text);
        for (const std::size_t offset : escape->lone)
            lone.push_back(at + offset);
    }
    std::sort(lone.begin(), lone.end());
    input.loneEscapes = lone;
    input.escapesPut = true;
}

// A text as UTF-16 without a byte order mark, either end first.
std::string asUtf16(const std::string &utf8, bool bigEndian)
{
    std::string bytes;
    for (const QChar c : QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()))) {
        const auto high = static_cast<char>(c.unicode() >> 8);
        const auto low = static_cast<char>(c.unicode() & 0xFF);
        bytes += bigEndian ? high : low;
        bytes += bigEndian ? low : high;
    }
    return bytes;
}

Input makeInput(fuzz::Random &random)
{
    Input input;
    input.format = random.percent(55) ? io::FileFormat::Csv : io::FileFormat::Crashkit;
    iotest::RandomSource source(random.bits());
    iotest::RandomProjectOptions options;
    options.activities = random.percent(90) ? random.below(25) : random.below(400);
    options.awkwardTexts = random.percent(70);
    options.largeValues = random.percent(20);
    options.linkPercent = random.percent(50) ? 30 : 0;
    options.anyTimeUnit = random.percent(50);
    const engine::Project project = iotest::randomSoundProject(source, options);
    std::string written = bytesOf(io::write(project, input.format));

    switch (random.below(10)) {
    case 0:
    case 1:
        input.bytes = written;
        input.expected = project;
        break;
    case 2:
    case 3:
    case 4:
    case 5:
        input.bytes = mutated(random, written);
        break;
    case 6: {
        // A huge field or a very long line.
        const std::size_t length = static_cast<std::size_t>(1000 + random.below(2'000'000));
        const char fill = random.pick(std::string("x9\" ,;.\xC3-"));
        const auto at
            = static_cast<std::size_t>(random.below(static_cast<int>(written.size()) + 1));
        written.insert(at, std::string(length, fill));
        input.bytes = written;
        break;
    }
    case 7: {
        // Deep nesting inside the activities, or a whole file of it.
        const std::size_t depth = static_cast<std::size_t>(1 + random.below(100'000));
        const std::string open = random.percent(50) ? "[" : "{\"a\":";
        std::string nested;
        nested.reserve(depth * open.size());
        for (std::size_t i = 0; i < depth; ++i)
            nested += open;
        input.format = io::FileFormat::Crashkit;
        input.bytes = random.percent(50)
            ? nested
            : "{\"format\": \"crashkit-project\", \"version\": 1, \"activities\": [" + nested;
        break;
    }
    case 8:
        if (random.percent(30)) {
            input.bytes = asUtf16(written, random.percent(50));
            input.utf16 = true;
            break;
        }
        if (input.format == io::FileFormat::Crashkit && random.percent(60)) {
            input.bytes = written;
            putEscapes(random, input);
            break;
        }
        // Bytes that are not UTF-8, and NULs.
        input.bytes = written;
        for (int i = 1 + random.below(4); i > 0; --i) {
            const auto at
                = static_cast<std::size_t>(random.below(static_cast<int>(input.bytes.size()) + 1));
            const char byte
                = random.percent(50) ? '\0' : static_cast<char>(0x80 + random.below(128));
            input.bytes.insert(at, 1, byte);
        }
        break;
    default:
        for (int i = random.below(60); i > 0; --i)
            input.bytes += piece(random);
        break;
    }
    return input;
}

// A failure's description; built by appending, which GCC 12 does not misjudge at -O3.
std::string said(const char *what, const std::string &detail)
{
    std::string text = what;
    text += detail;
    return text;
}

bool isPlaced(const io::Problem &problem)
{
    const io::Place &place = problem.place;
    return place.line > 0 || !place.field.isEmpty() || !place.activity.isEmpty()
        || place.activityNumber > 0;
}

// The byte offset of a 1-based line (ended by LF) and column (in characters), or npos.
std::size_t offsetOf(const std::string &text, int line, int column)
{
    std::size_t at = 0;
    for (int l = 1; l < line && at != std::string::npos; ++l) {
        at = text.find('\n', at);
        at = at == std::string::npos ? at : at + 1;
    }
    for (int c = 1; c < column && at < text.size(); ++c) {
        do
            ++at;
        while (at < text.size() && (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80);
    }
    return at;
}

// Empty when the escapes put into the file were read right: lone halves each refused at
// their place and nothing else told; whole pairs and text not refused for being lone.
std::string checkEscapes(const Input &input, const io::ReadResult &result)
{
    if (!input.escapesPut)
        return {};
    std::vector<std::size_t> told;
    for (const io::Problem &problem : result.problems().kept()) {
        if (problem.kind == io::FileProblemKind::LoneSurrogate)
            told.push_back(offsetOf(input.bytes, problem.place.line, problem.place.column));
        else if (!input.loneEscapes.empty())
            return said("besides lone halves, told: ", io::englishText(problem).toStdString());
    }
    if (!input.loneEscapes.empty() && result.isLoaded())
        return "a lone half of a surrogate pair was read";
    if (told != input.loneEscapes)
        return said("lone halves told elsewhere than put: ", result.message().toStdString());
    return {};
}

// Empty when the reader's answer is right, else what is wrong.
std::string check(const Input &input, bool &accepted)
{
    const QByteArray bytes(input.bytes.data(), static_cast<qsizetype>(input.bytes.size()));
    const io::ReadResult result = io::read(bytes, QStringLiteral("fuzz"), input.format);
    accepted = result.isLoaded();
    if (const std::string wrong = checkEscapes(input, result); !wrong.empty())
        return wrong;
    if (input.utf16
        && (result.problems().count() != 1
            || result.problems().kept().at(0).kind != io::FileProblemKind::Utf16Text))
        return said("UTF-16 without a mark was not told as such: ", result.message().toStdString());
    if (!result.isLoaded()) {
        if (input.expected)
            return said("an unchanged written file was refused: ", result.message().toStdString());
        if (result.problems().isEmpty() || result.problems().kept().empty())
            return "refused without a problem";
        bool placed = false;
        for (const io::Problem &problem : result.problems().kept()) {
            placed = placed || isPlaced(problem);
            if (io::englishText(problem).isEmpty() || problem.place.file != u"fuzz")
                return "a problem without words or file";
        }
        if (!placed)
            return said("no problem has a line, activity or key: ", result.message().toStdString());
        if (result.message().isEmpty())
            return "refused with an empty message";
        return {};
    }

    const engine::Project &project = result.project();
    const std::vector<engine::Problem> problems = engine::validate(project);
    if (!problems.empty())
        return said("accepted an unsound project: ", engine::describe(problems.front(), project));
    for (const io::Problem &warning : result.warnings().kept()) {
        if (!isPlaced(warning) || io::englishText(warning).isEmpty())
            return "a warning without a place";
    }
    if (input.expected) {
        const std::string difference = iotest::difference(*input.expected, project,
                                                          input.format == io::FileFormat::Crashkit);
        if (!difference.empty())
            return said("an unchanged written file read back differently: ", difference);
    }
    for (const io::FileFormat format : {io::FileFormat::Csv, io::FileFormat::Crashkit}) {
        if (!io::checkSavable(project, QStringLiteral("again"), format).isEmpty())
            return "an accepted project cannot be saved";
        const QByteArray again = io::write(project, format);
        const io::ReadResult back = io::read(again, QStringLiteral("again"), format);
        if (!back.isLoaded())
            return said("written again, it was refused: ", back.message().toStdString());
        const std::string difference
            = iotest::difference(project, back.project(), format == io::FileFormat::Crashkit);
        if (!difference.empty())
            return said("written again, it read back differently: ", difference);
    }
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
        figures.csv += input.format == io::FileFormat::Csv ? 1 : 0;
        figures.bytes += static_cast<long long>(input.bytes.size());
        watchdog.starting(printableBytes(input.bytes));
        bool accepted = false;
        const std::string problem = check(input, accepted);
        (accepted ? figures.accepted : figures.rejected) += 1;
        if (!problem.empty()) {
            ++figures.failures;
            std::printf("FAIL seed %llu input %lld (%s): %s\n  input: %s\n",
                        static_cast<unsigned long long>(options.seed), figures.inputs,
                        input.format == io::FileFormat::Csv ? "CSV" : ".crashkit", problem.c_str(),
                        printableBytes(input.bytes).c_str());
        }
    }

    std::printf("fuzz_projectfiles seed %llu: %lld inputs (%lld CSV, %lld .crashkit; %.1f MB), "
                "%lld accepted, %lld refused, %lld failures\n",
                static_cast<unsigned long long>(options.seed), figures.inputs, figures.csv,
                figures.inputs - figures.csv, static_cast<double>(figures.bytes) / 1e6,
                figures.accepted, figures.rejected, figures.failures);
    return figures.failures == 0 ? 0 : 1;
}
