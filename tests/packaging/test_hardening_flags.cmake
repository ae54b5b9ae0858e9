# SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
# SPDX-License-Identifier: GPL-3.0-or-later

# velbrisk_hardening_flags keeps, of what Debian 13's dpkg-buildflags gave
# here (a stand-in answers the same), the hardening flags alone, and falls
# back to Debian 12's list without dpkg-buildflags.
#   cmake -DSOURCE_DIR=... -DWORK_DIR=... -P test_hardening_flags.cmake
cmake_minimum_required(VERSION 3.25)
include(${SOURCE_DIR}/packaging/linux/hardening.cmake)
file(WRITE ${WORK_DIR}/dpkg-buildflags [=[#!/bin/sh
case $DEB_BUILD_MAINT_OPTIONS.$2 in
*+all.CXXFLAGS) echo "-g -O2 -ffile-prefix-map=/src=. -fstack-protector-strong -fstack-clash-protection -Wformat -Werror=format-security -fcf-protection" ;;
*-all.CXXFLAGS) echo "-g -O2 -ffile-prefix-map=/src=. -specs=/usr/share/dpkg/no-pie-compile.specs" ;;
*+all.CPPFLAGS) echo "-Wdate-time -D_FORTIFY_SOURCE=2" ;;
*-all.CPPFLAGS) echo "-Wdate-time" ;;
*+all.LDFLAGS) echo "-Wl,-z,relro -Wl,-z,now" ;;
*-all.LDFLAGS) echo "-specs=/usr/share/dpkg/no-pie-link.specs" ;;
esac
]=])
file(CHMOD ${WORK_DIR}/dpkg-buildflags PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)

set(link "-Wl,-z,relro;-Wl,-z,now")
foreach(case "Debian 13|${WORK_DIR}/dpkg-buildflags|-fstack-protector-strong;-fstack-clash-protection;-Wformat;-Werror=format-security;-fcf-protection"
             "sans dpkg-buildflags||-fstack-protector-strong;-Wformat;-Werror=format-security")
  string(REPLACE "|" ";" case "${case}")
  list(POP_FRONT case name program)
  velbrisk_hardening_flags("${program}" compile definitions got_link)
  if(NOT "${compile}|${definitions}|${got_link}" STREQUAL "${case}|_FORTIFY_SOURCE=2|${link}")
    message(FATAL_ERROR "ÉCHEC (${name}) : ${compile} | ${definitions} | ${got_link}")
  endif()
  message(STATUS "ok (${name})")
endforeach()
