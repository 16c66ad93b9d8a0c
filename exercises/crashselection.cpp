#include "crashselection.h"

#include "wholenumber.h"

#include <algorithm>
#include <limits>

namespace {

// NormalDuration - CrashDuration without overflow, held within the 32-bit range. Only the
// sign of the result and its minimum with the remaining reduction are ever used, and both
// survive the clamp.
std::int32_t daysAvailable(const ActivityRow &row)
{
    const std::int64_t days = std::int64_t {toWholeNumber(row.normalDuration)}
        - std::int64_t {toWholeNumber(row.crashDuration)};
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        days, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

} // namespace

CrashSelection selectActivity(const ActivityTable &table, std::string_view candidates)
{
    CrashSelection selection;
    bool first = true;
    for (const char letter : candidates) {
        const ActivityRow &row = table.working(activityNumber(letter));
        if (first) {
            first = false;
            const std::int32_t days = daysAvailable(row);
            if (days > 0)
                selection = {letter, toWholeNumber(row.crashCostPerDay), days};
            continue;
        }
        const std::int32_t cost = toWholeNumber(row.crashCostPerDay);
        if (cost < selection.cost) {
            const std::int32_t days = daysAvailable(row);
            if (days > 0)
                selection = {letter, cost, days};
        }
    }
    return selection;
}

std::int32_t limitCut(std::int32_t cutDays, std::int32_t remainingReduction)
{
    return cutDays > remainingReduction ? remainingReduction : cutDays;
}

std::int64_t iterationCost(std::int32_t cost, std::int32_t cutDays)
{
    return std::int64_t {cost} * cutDays;
}
