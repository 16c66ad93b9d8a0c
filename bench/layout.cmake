# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 Crashkit maintainers
# The network drawing: engine::layoutNetwork against Graphviz dot (run as a separate
# program, never linked) for the choice of layout, and the network view's first paint and
# the layout at scale against baselines measured in the same run.
add_executable(layout_compare layout_compare.cpp)
target_include_directories(layout_compare PRIVATE ${PROJECT_SOURCE_DIR}/tests/support)
target_link_libraries(layout_compare PRIVATE crashkit_engine crashkit_sets crashkit_warnings)

# Google Benchmark: the view's first paint of 50 activities against an empty view's, and the
# layout of 1,000 to 100,000 activities against CPM on the same networks.
qt_add_executable(layout_bench layout_bench.cpp)
target_include_directories(layout_bench PRIVATE ${PROJECT_SOURCE_DIR}/tests/support)
target_link_libraries(layout_bench PRIVATE crashkit_project benchmark::benchmark
                                           crashkit_warnings)

# The own-project window on 10,000 activities: an edit, removing rows and the long jobs,
# against a repaint of the same window.
qt_add_executable(projectwindow_bench projectwindow_bench.cpp)
target_include_directories(projectwindow_bench PRIVATE ${PROJECT_SOURCE_DIR}/tests/support)
target_link_libraries(projectwindow_bench PRIVATE crashkit_project crashkit_warnings)
