// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>

namespace fuzz {

// Catches a reader that never returns: when one input has taken a minute, prints it with the
// seed and ends the program with status 3. Tell it of every input before running it.
class Watchdog {
public:
    explicit Watchdog(std::uint64_t seed) : m_seed(seed), m_thread([this] { watch(); }) { }
    ~Watchdog()
    {
        m_finished = true;
        m_thread.join();
    }
    Watchdog(const Watchdog &) = delete;
    Watchdog &operator=(const Watchdog &) = delete;

    // The next input, as it is to be printed should it hang.
    void starting(std::string input)
    {
        {
            const std::lock_guard lock(m_mutex);
            m_current = std::move(input);
        }
        ++m_started;
    }

private:
    void watch()
    {
        long long seen = m_started;
        auto since = std::chrono::steady_clock::now();
        while (!m_finished) {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            if (m_started != seen) {
                seen = m_started;
                since = std::chrono::steady_clock::now();
            } else if (std::chrono::steady_clock::now() - since > std::chrono::seconds(60)) {
                const std::lock_guard lock(m_mutex);
                std::printf("FAIL seed %llu input %lld: no answer after 60 s: %s\n",
                            static_cast<unsigned long long>(m_seed), seen, m_current.c_str());
                std::fflush(stdout);
                std::_Exit(3);
            }
        }
    }

    std::uint64_t m_seed;
    std::mutex m_mutex;
    std::string m_current;
    std::atomic<long long> m_started {0};
    std::atomic<bool> m_finished {false};
    std::thread m_thread; // last: starts once the rest is built
};

} // namespace fuzz
