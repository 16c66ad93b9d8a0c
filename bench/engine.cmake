# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 Crashkit maintainers
# The planning engine at scale, each figure against a baseline measured in the same run:
# CPM against a bare topological pass, the exact time-cost curve against GLPK solving the
# linear programme at every duration, and the least cost and the greedy rule on large
# networks. Plain C++: the engine, Google Benchmark and libglpk, no Qt.
find_path(CRASHKIT_GLPK_INCLUDE_DIR glpk.h REQUIRED)
find_library(CRASHKIT_GLPK_LIBRARY glpk REQUIRED)

add_executable(engine_bench engine_bench.cpp)
target_include_directories(engine_bench PRIVATE ${PROJECT_SOURCE_DIR}/tests/support
                                                ${CRASHKIT_GLPK_INCLUDE_DIR})
target_link_libraries(engine_bench PRIVATE crashkit_engine ${CRASHKIT_GLPK_LIBRARY}
                                           benchmark::benchmark crashkit_warnings)

# The trainer's checks of a student's schedule and crashing steps on a 50-activity project,
# against computeSchedule on the same network.
add_executable(answercheck_bench answercheck_bench.cpp)
target_include_directories(answercheck_bench PRIVATE ${PROJECT_SOURCE_DIR}/tests/support)
target_link_libraries(answercheck_bench PRIVATE crashkit_engine benchmark::benchmark
                                                crashkit_warnings)

# The seeded exercise generator: 1,000 exercises at several settings, against working the
# same exercises' answer keys in the same run.
add_executable(exercise_bench exercise_bench.cpp)
target_link_libraries(exercise_bench PRIVATE crashkit_engine benchmark::benchmark
                                             crashkit_warnings)
