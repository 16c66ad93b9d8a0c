# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 Crashkit maintainers
# Reading CSV project files of 10^2 to 10^5 activities, against Qt alone decoding and
# splitting the same bytes; the .crashkit reader and the engine's validation beside them.
add_executable(csv_bench csv_bench.cpp)
target_include_directories(csv_bench PRIVATE ${PROJECT_SOURCE_DIR}/tests/unit/io)
target_link_libraries(csv_bench PRIVATE crashkit_io benchmark::benchmark crashkit_warnings)
