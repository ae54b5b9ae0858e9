# SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
# SPDX-License-Identifier: GPL-3.0-or-later

# velbrisk_hardening_flags keeps, of what a release's dpkg-buildflags gives,
# the hardening flags alone, and falls back to Debian 12's list without it.
# A stand-in dpkg-buildflags answers as each release's did here.
#   cmake -DSOURCE_DIR=... -DWORK_DIR=... -P test_hardening_flags.cmake
cmake_minimum_required(VERSION 3.25)
include(${SOURCE_DIR}/packaging/linux/hardening.cmake)

set(failed OFF)
# expect(CASE PROGRAM COMPILE DEFINITIONS LINK), each list ;-separated.
function(expect case program compile definitions link)
  velbrisk_hardening_flags("${program}" got_compile got_definitions got_link)
  set(verdict ok)
  foreach(kind compile definitions link)
    if(NOT "${got_${kind}}" STREQUAL "${${kind}}")
      message(STATUS "ÉCHEC (${case}, ${kind}) : « ${got_${kind}} » au lieu de « ${${kind}} »")
      set(verdict ÉCHEC)
      set(failed ON PARENT_SCOPE)
    endif()
  endforeach()
  message(STATUS "${verdict} (${case})")
endfunction()

# answers(RELEASE KIND ALL NONE): a stand-in dpkg-buildflags of RELEASE that
# prints ALL for `--get KIND` with hardening=+all, NONE with hardening=-all.
function(answers release kind all none)
  set(dir ${WORK_DIR}/${release})
  file(WRITE ${dir}/+all.${kind} "${all}\n")
  file(WRITE ${dir}/-all.${kind} "${none}\n")
  file(WRITE ${dir}/dpkg-buildflags
       "#!/bin/sh\nexec cat \"${dir}/\${DEB_BUILD_MAINT_OPTIONS#hardening=}.\$2\"\n")
  file(CHMOD ${dir}/dpkg-buildflags PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
endfunction()

# As each release's dpkg-buildflags answered on amd64, in a folder /src.
answers(debian12 CXXFLAGS
  "-g -O2 -ffile-prefix-map=/src=. -fstack-protector-strong -Wformat -Werror=format-security"
  "-g -O2 -ffile-prefix-map=/src=.")
answers(debian12 CPPFLAGS "-Wdate-time -D_FORTIFY_SOURCE=2" "-Wdate-time")
answers(debian12 LDFLAGS "-Wl,-z,relro -Wl,-z,now" "")
answers(debian13 CXXFLAGS
  "-g -O2 -ffile-prefix-map=/src=. -fstack-protector-strong -fstack-clash-protection -Wformat -Werror=format-security -fcf-protection"
  "-g -O2 -ffile-prefix-map=/src=. -specs=/usr/share/dpkg/no-pie-compile.specs")
answers(debian13 CPPFLAGS "-Wdate-time -D_FORTIFY_SOURCE=2" "-Wdate-time")
answers(debian13 LDFLAGS "-Wl,-z,relro -Wl,-z,now" "-specs=/usr/share/dpkg/no-pie-link.specs")

set(debian12 "-fstack-protector-strong;-Wformat;-Werror=format-security")
expect("Debian 12" ${WORK_DIR}/debian12/dpkg-buildflags "${debian12}" _FORTIFY_SOURCE=2
       "-Wl,-z,relro;-Wl,-z,now")
expect("Debian 13" ${WORK_DIR}/debian13/dpkg-buildflags
       "-fstack-protector-strong;-fstack-clash-protection;-Wformat;-Werror=format-security;-fcf-protection"
       _FORTIFY_SOURCE=2 "-Wl,-z,relro;-Wl,-z,now")
expect("sans dpkg-buildflags" "" "${debian12}" _FORTIFY_SOURCE=2 "-Wl,-z,relro;-Wl,-z,now")
if(failed)
  message(FATAL_ERROR "velbrisk_hardening_flags se trompe")
endif()
