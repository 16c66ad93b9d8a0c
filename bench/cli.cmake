# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 Crashkit maintainers
# crashkit-cli on random projects of 10^4 to 10^6 activities, each command a child process
# measured against reading and validating the same file in the same run.
add_executable(cli_bench cli_bench.cpp)
target_include_directories(cli_bench PRIVATE ${PROJECT_SOURCE_DIR}/tests/support)
target_link_libraries(cli_bench PRIVATE crashkit_io crashkit_warnings)
add_dependencies(cli_bench crashkit-cli)
