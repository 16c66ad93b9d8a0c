// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "practiceset.h"

#include <charconv>
#include <stdexcept>
#include <string>

const PracticeSet &practiceSet1();
const PracticeSet &practiceSet2();
const PracticeSet &practiceSet3();
const PracticeSet &practiceSet4();
const PracticeSet &practiceSet5();

namespace {

std::int64_t number(const char *text)
{
    const std::string_view digits(text);
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc() || end != digits.data() + digits.size())
        throw std::logic_error("a built-in cell is not a whole number: " + std::string(digits));
    return value;
}

std::string trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

} // namespace

const PracticeSet &practiceSet(int number)
{
    switch (number) {
    case 1:
        return practiceSet1();
    case 2:
        return practiceSet2();
    case 3:
        return practiceSet3();
    case 4:
        return practiceSet4();
    case 5:
        return practiceSet5();
    default:
        throw std::out_of_range("no practice set " + std::to_string(number)
                                + "; the sets are numbered 1 to 5");
    }
}

PracticeSet withRoutes(PracticeSet set)
{
    set.routes.clear();
    for (const PathDefinition &path : set.paths) {
        engine::practice::Path route;
        for (const char letter : path.activities)
            route.push_back(letter - 'A');
        set.routes.push_back(std::move(route));
    }
    return set;
}

engine::Project practiceProject(const PracticeSet &set)
{
    engine::Project project;
    project.title = "ชุดเสริมทักษะที่ " + std::to_string(set.number);
    for (const BuiltInRow &row : set.rows) {
        engine::Activity activity;
        const std::string_view text(row.activity);
        activity.id = std::string(text.substr(0, 1));
        if (text.size() > 2 && text[1] == '-')
            activity.name = std::string(text.substr(2));
        std::string_view rest(row.predecessor);
        if (trimmed(rest) != "-") {
            while (!rest.empty()) {
                const auto comma = rest.find(',');
                activity.predecessors.push_back(trimmed(rest.substr(0, comma)));
                rest
                    = comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 1);
            }
        }
        activity.normalDuration = number(row.normalDuration);
        activity.crashDuration = number(row.crashDuration);
        activity.crashCostPerUnit = number(row.crashCostPerDay) * 100;
        project.activities.push_back(std::move(activity));
    }
    return project;
}
