// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

// Feeds random and mutated predecessor cells to the link notation's reader. Every cell
// either reads or names a faulty item that is one of its items as written; what reads splits
// into the same items as a plain list of ids, each id the start of its item; and the cell
// written back from what was read reads as the same links.

#include "fuzzsupport.h"
#include "watchdog.h"

#include "linknotation.h"
#include "values.h"

#include <string>
#include <vector>

namespace {

const char *const kNotationPieces[] = {
    "A",
    "b",
    "Paint",
    " ",
    "  ",
    "\t",
    ",",
    ";",
    "-",
    "+",
    "FS",
    "SS",
    "FF",
    "SF",
    "fs",
    "sS",
    "FSX",
    "0",
    "2",
    "17",
    ".5",
    "x",
    "1000000",
    "1000001",
    "99999999999999999999",
    "\xE0\xB8\x81",
    "\xC2\xA0",
    "\"",
    "\n",
    "\xFF",
};

// A cell as people write it: items of ids, perhaps a type and a signed lag.
std::string writtenCell(fuzz::Random &random)
{
    static const char *const kTypes[] = {"FS", "SS", "FF", "SF", "fs", "sf"};
    std::string cell;
    for (int items = random.below(5); items > 0; --items) {
        if (!cell.empty())
            cell += random.percent(70) ? ", " : ";";
        cell += random.percent(50) ? "A" : "Paint walls";
        cell += std::to_string(random.below(20));
        if (random.percent(60)) {
            cell.append(" ").append(random.pick(kTypes));
            if (random.percent(80)) {
                cell += random.percent(50) ? '+' : '-';
                cell += std::to_string(random.between(0, random.percent(5) ? 2'000'000 : 10));
            }
        }
    }
    return cell;
}

std::string mutatedCell(fuzz::Random &random, std::string cell)
{
    for (int changes = 1 + random.below(4); changes > 0; --changes) {
        const auto at = static_cast<std::size_t>(random.below(static_cast<int>(cell.size()) + 1));
        if (random.percent(60))
            cell.insert(at, random.pick(kNotationPieces));
        else
            cell.erase(at, static_cast<std::size_t>(1 + random.below(3)));
    }
    return cell;
}

// Empty when the reader's answer holds, else what is wrong.
std::string check(const std::string &text)
{
    io::PredecessorCell cell;
    const std::vector<std::string> items = io::splitPredecessors(text);
    if (const auto problem = io::parsePredecessorCell(text, cell)) {
        for (const std::string &item : items) {
            if (item == problem->item)
                return {};
        }
        return "the faulty item '" + problem->item + "' is none of the cell's";
    }
    if (cell.ids.size() != items.size())
        return "the ids are not one an item";
    if (!cell.timings.empty() && cell.timings.size() != cell.ids.size())
        return "the links are not one an id";
    engine::Activity activity;
    activity.predecessors = cell.ids;
    activity.linkTimings = cell.timings;
    for (std::size_t k = 0; k < items.size(); ++k) {
        if (!items[k].starts_with(cell.ids[k]) || cell.ids[k].empty())
            return "id '" + cell.ids[k] + "' does not begin item '" + items[k] + "'";
    }
    const std::string again = io::predecessorCell(activity);
    io::PredecessorCell back;
    if (const auto problem = io::parsePredecessorCell(again, back))
        return "written back as '" + again + "', it is refused at '" + problem->item + "'";
    // A lone "-" is no predecessors: the CSV writer adds a comma after it.
    if (again == "-")
        return {};
    if (back.ids != cell.ids || back.timings != cell.timings)
        return "written back as '" + again + "', it reads as other links";
    return {};
}

} // namespace

int main(int argc, char **argv)
{
    const fuzz::Options options = fuzz::parseOptions(argc, argv);
    fuzz::Random random(options.seed);
    const fuzz::Deadline deadline(options.seconds);
    fuzz::Watchdog watchdog(options.seed);
    long long inputs = 0, failures = 0;
    while (failures < 10 && (inputs % 256 != 0 || !deadline.passed())) {
        std::string text = writtenCell(random);
        if (random.percent(60))
            text = mutatedCell(random, text);
        ++inputs;
        watchdog.starting(text);
        if (const std::string wrong = check(text); !wrong.empty()) {
            ++failures;
            std::printf(
                "FAIL seed %llu input %lld: %s\n  cell: %s\n",
                static_cast<unsigned long long>(options.seed), inputs, wrong.c_str(),
                fuzz::printable(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())))
                    .c_str());
        }
    }
    std::printf("fuzz_linknotation seed %llu: %lld cells, %lld failures\n",
                static_cast<unsigned long long>(options.seed), inputs, failures);
    return failures == 0 ? 0 : 1;
}
