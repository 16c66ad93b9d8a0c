#pragma once

#include <cstdint>

// What a crashing run keeps between clicks; zero until the first run.
struct CrashingState {
    std::int32_t targetDuration = 0;
    std::int32_t remainingReduction = 0; // time units still to cut
    std::int32_t checkRound = 0; // number of the iteration being carried out
    double totalCrashCost = 0.0; // Baht
};
