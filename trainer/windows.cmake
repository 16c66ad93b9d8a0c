# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 Crashkit maintainers
# The window "ฝึกทำเอง" (it shows the network as the own-project window draws it), and the module
# with both windows that the program loads when either is first opened (see projectwindowentry.h
# and trainerentry.h): the program itself does not link Qt Charts, Svg or PrintSupport. The
# module sits where the program looks for it, relative to its own folder
# (CRASHKIT_PROJECT_MODULE_DIR), both in the build tree and when installed.
add_library(crashkit_trainer STATIC
  ${CMAKE_CURRENT_LIST_DIR}/trainerentry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/trainerstages.cpp
  ${CMAKE_CURRENT_LIST_DIR}/trainerwindow.cpp)
target_include_directories(crashkit_trainer PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(crashkit_trainer PUBLIC crashkit_project crashkit_verdicts
                                       PRIVATE crashkit_warnings)

add_library(crashkit_projectwindow MODULE ${CMAKE_CURRENT_LIST_DIR}/windowsmodule.cpp)
target_link_libraries(crashkit_projectwindow PRIVATE crashkit_trainer crashkit_warnings)
set_target_properties(crashkit_projectwindow PROPERTIES
  PREFIX "" OUTPUT_NAME crashkit-projectwindow
  LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/app/${CRASHKIT_PROJECT_MODULE_DIR}
  # Only the entry points are exported; the windows' own symbols stay inside.
  CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON)
install(TARGETS crashkit_projectwindow LIBRARY DESTINATION ${CRASHKIT_PROJECT_MODULE_INSTALL_DIR})
