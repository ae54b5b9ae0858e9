# SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
# SPDX-License-Identifier: GPL-3.0-or-later

# Where the controls of both windows lie, for run_e2e.py: dump_layout, built on
# the windows' own code, writes BUILD/tests/e2e/layout.json, so that the
# harness keeps no copy of their places, nor of the tests' key colours. The end-to-end tests and the
# benchmarks (which drive the program with the same harness) both include it.
set(VELBRISK_E2E_LAYOUT ${PROJECT_BINARY_DIR}/tests/e2e/layout.json)
if(TARGET dump_layout)
  return()
endif()
add_executable(dump_layout ${CMAKE_CURRENT_LIST_DIR}/dump_layout.cpp)
target_link_libraries(dump_layout PRIVATE velbrisk_ui_main Qt6::Widgets)
# The tests' own key colours (skincolours.h), which it writes beside the places.
target_include_directories(dump_layout PRIVATE ${PROJECT_SOURCE_DIR}/tests/support)
if(WIN32 AND CMAKE_CROSSCOMPILING)
  # A Windows program runs under Wine: there it runs at test time, as a
  # fixture of the end-to-end tests (tests/e2e/CMakeLists.txt), so that
  # building needs no Wine prefix.
  return()
endif()
add_custom_command(OUTPUT ${VELBRISK_E2E_LAYOUT}
  COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
          $<TARGET_FILE:dump_layout> ${VELBRISK_E2E_LAYOUT}
  DEPENDS dump_layout
  COMMENT "Where the controls of both windows lie")
add_custom_target(e2e_layout ALL DEPENDS ${VELBRISK_E2E_LAYOUT})
