// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include <algorithm>
#include <atomic>
#include <cmath>
#include <exception>

namespace engine {

// Thrown by JobControl::checkpoint when the job was asked to stop; the computation is left
// without a result.
class JobStopped : public std::exception {
public:
    const char *what() const noexcept override { return "the job was stopped"; }
};

// What a long computation and the one waiting for it share, e.g. across threads: how far the
// computation is and whether it should stop. Long engine functions take an optional
// JobControl and look at it between their steps, so a stop takes effect within one step.
class JobControl {
public:
    void requestStop() noexcept { m_stop.store(true, std::memory_order_relaxed); }
    bool stopRequested() const noexcept { return m_stop.load(std::memory_order_relaxed); }

    // The share of the work done, 0 .. 1 (kept in thousandths; anything outside is clamped).
    void setProgress(double fraction) noexcept
    {
        const double clamped = std::isnan(fraction) ? 0.0 : std::clamp(fraction, 0.0, 1.0);
        m_permille.store(static_cast<int>(clamped * 1000), std::memory_order_relaxed);
    }
    int permille() const noexcept { return m_permille.load(std::memory_order_relaxed); }

    // Throws JobStopped when a stop was requested.
    void checkpoint() const
    {
        if (stopRequested())
            throw JobStopped();
    }

private:
    std::atomic<bool> m_stop {false};
    std::atomic<int> m_permille {0};
};

// The same for an optional control: nothing happens without one.
inline void checkpoint(JobControl *control, double progress)
{
    if (!control)
        return;
    control->checkpoint();
    control->setProgress(progress);
}

} // namespace engine
