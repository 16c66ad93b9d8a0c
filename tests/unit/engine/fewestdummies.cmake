# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 Crashkit maintainers
# The exact least number of dummies of a small activity-on-arrow drawing and the check of a
# drawing against its precedence table: a yardstick shared by engine_tests and the
# arrow-diagram benchmark, built once for both (this file is included from each).
if(NOT TARGET crashkit_fewestdummies)
  add_library(crashkit_fewestdummies STATIC ${CMAKE_CURRENT_LIST_DIR}/fewestdummies.cpp)
  target_include_directories(crashkit_fewestdummies PUBLIC ${CMAKE_CURRENT_LIST_DIR})
  set_target_properties(crashkit_fewestdummies PROPERTIES AUTOMOC OFF)
  target_link_libraries(crashkit_fewestdummies PUBLIC crashkit_engine PRIVATE crashkit_warnings)
endif()
