# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 Crashkit maintainers
# The activity-on-arrow drawing: engine::buildArrowDiagram at 1,000 and 10,000 activities
# against CPM on the same networks, and its dummies against the least possible on small
# networks, found by the engine tests' exhaustive search (its library, built once for both).
add_executable(arrowdiagram_bench arrowdiagram_bench.cpp)
target_include_directories(arrowdiagram_bench PRIVATE ${PROJECT_SOURCE_DIR}/tests/support)
target_link_libraries(arrowdiagram_bench PRIVATE crashkit_engine benchmark::benchmark
                                                 crashkit_warnings)

include(${PROJECT_SOURCE_DIR}/tests/unit/engine/fewestdummies.cmake)
add_executable(arrowdiagram_dummies arrowdiagram_dummies.cpp)
target_include_directories(arrowdiagram_dummies PRIVATE ${PROJECT_SOURCE_DIR}/tests/support)
target_link_libraries(arrowdiagram_dummies PRIVATE crashkit_fewestdummies crashkit_engine
                                                   crashkit_warnings)
