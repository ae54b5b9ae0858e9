# SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
# SPDX-License-Identifier: GPL-3.0-or-later

# velbrisk_hardening_flags(PROGRAM COMPILE DEFINITIONS LINK)
# The hardening flags of the release we build on, as PROGRAM (dpkg-buildflags,
# or empty without it) gives them: what its hardening=+all adds to the same
# call with hardening=-all, so that -O2, -g, -Wdate-time and the path maps it
# gives either way stay out. COMPILE gets the compiler's options, DEFINITIONS
# the macros (_FORTIFY_SOURCE=2) without their -D, LINK the linker's options.
# Without PROGRAM, Debian 12's, which every supported release gives at least.
function(velbrisk_hardening_flags program compile_out definitions_out link_out)
  set(compile -fstack-protector-strong -Wformat -Werror=format-security)
  set(definitions _FORTIFY_SOURCE=2)
  set(link -Wl,-z,relro -Wl,-z,now)
  if(program)
    foreach(kind CXXFLAGS CPPFLAGS LDFLAGS)
      velbrisk_buildflags(${program} +all ${kind} with)
      velbrisk_buildflags(${program} -all ${kind} without)
      if(without)
        list(REMOVE_ITEM with ${without})
      endif()
      set(${kind} ${with})
    endforeach()
    set(compile ${CXXFLAGS})
    set(definitions "")
    foreach(flag IN LISTS CPPFLAGS)
      if(flag MATCHES "^-D(.+)")
        list(APPEND definitions ${CMAKE_MATCH_1})
      else()
        list(APPEND compile ${flag})
      endif()
    endforeach()
    set(link ${LDFLAGS})
  endif()
  set(${compile_out} ${compile} PARENT_SCOPE)
  set(${definitions_out} ${definitions} PARENT_SCOPE)
  set(${link_out} ${link} PARENT_SCOPE)
endfunction()

# The flags of KIND (CXXFLAGS…) that PROGRAM gives with hardening=HARDENING
# (+all or -all), as a list in OUT.
function(velbrisk_buildflags program hardening kind out)
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=${hardening}
            ${program} --get ${kind}
    OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE
    RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${program} --get ${kind} failed: ${status}")
  endif()
  separate_arguments(flags UNIX_COMMAND "${flags}")
  set(${out} ${flags} PARENT_SCOPE)
endfunction()
