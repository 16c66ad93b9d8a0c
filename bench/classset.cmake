# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 Crashkit maintainers
# Class sets: crashkit-cli generate --out run as a teacher runs it, time per variant, beside
# the parts in this process (the exercise, its solution, each PDF, the picture, the bank).
add_executable(classset_bench classset_bench.cpp)
target_compile_definitions(classset_bench PRIVATE CRASHKIT_CLI="$<TARGET_FILE:crashkit-cli>")
target_link_libraries(classset_bench PRIVATE crashkit_worksheets crashkit_engine
                                             crashkit_warnings)
add_dependencies(classset_bench crashkit-cli)
