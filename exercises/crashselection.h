#pragma once

#include "activitytable.h"

#include <cstdint>
#include <string_view>

// The activity one crashing iteration shortens. Until a candidate qualifies the activity
// is a blank, the cost the 999999 that every later candidate has to beat, and no days.
struct CrashSelection {
    char activity = ' ';
    std::int32_t cost = 999999;
    std::int32_t cutDays = 0;
    bool isMade() const { return activity != ' '; }
};

// Walks the critical path's candidates (activity letters, start of the network first)
// and picks the one to shorten. The first candidate is taken at any cost if it has days
// left (NormalDuration - CrashDuration > 0); a later one replaces the choice only if its
// CrashCostPerDay (Baht per time unit) is strictly lower and it has days left, so ties
// keep the earlier candidate. Cells are converted only when the rule looks at them: a
// later candidate's cost first, its durations only when the cost wins. Throws
// ConversionError for a bad cell it converts. cutDays is all the days the chosen activity
// has left; should that difference not fit 32 bits it is held at the largest 32-bit
// value, which changes nothing once limitCut has bounded it by the remaining reduction.
CrashSelection selectActivity(const ActivityTable &table, std::string_view candidates);

// The days actually cut: no more than the remaining reduction still needs.
std::int32_t limitCut(std::int32_t cutDays, std::int32_t remainingReduction);

// Cost of one iteration in Baht: cost per time unit times the days cut. Computed in 64
// bits so that large edited costs cannot wrap around.
std::int64_t iterationCost(std::int32_t cost, std::int32_t cutDays);
