# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 Crashkit maintainers
# crashkit_windows_resources(TARGET DESCRIPTION THAI_DESCRIPTION [DOCUMENT_ICON]): on Windows,
# gives the program TARGET the icon and version information of version.rc.in; with
# DOCUMENT_ICON also the icon of the .crashkit files, second in its resources. Elsewhere it
# does nothing.
function(crashkit_windows_resources target description thai_description)
  if(NOT WIN32)
    return()
  endif()
  cmake_parse_arguments(PARSE_ARGV 3 arg "DOCUMENT_ICON" "" "")
  set(CRASHKIT_RC_NAME ${target})
  set(CRASHKIT_RC_FILE ${target}.exe)
  set(CRASHKIT_RC_DESCRIPTION "${description}")
  set(CRASHKIT_RC_DESCRIPTION_TH "${thai_description}")
  set(CRASHKIT_RC_ICONS "${PROJECT_SOURCE_DIR}/packaging/windows")
  set(CRASHKIT_RC_DOCUMENT_ICON "")
  if(arg_DOCUMENT_ICON)
    set(CRASHKIT_RC_DOCUMENT_ICON "2 ICON \"${CRASHKIT_RC_ICONS}/crashkit-project.ico\"")
  endif()
  configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/version.rc.in
                 ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc @ONLY)
  target_sources(${target} PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc)
endfunction()
