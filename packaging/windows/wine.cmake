# SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
# SPDX-License-Identifier: GPL-3.0-or-later

# Makes build-windows/wine-run, which runs the build's Windows programs under
# Wine with a prefix of their own in the build folder, and lets CTest run
# every test program through it; dll-folders.txt lists where their DLLs are.
find_program(VELBRISK_WINE NAMES wine REQUIRED)

# The DLLs the programs load from the build: Qt's, and MinGW's runtime, found
# where the compiler itself finds them.
function(velbrisk_windows_path out unix_path)
  string(REPLACE "/" "\\\\" path "${unix_path}")
  set(${out} "Z:${path}" PARENT_SCOPE)
endfunction()

set(dll_dirs "${QT6_INSTALL_PREFIX}/${QT6_INSTALL_BINS}")
foreach(runtime libstdc++-6.dll libwinpthread-1.dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${runtime}
                  OUTPUT_VARIABLE found OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT IS_ABSOLUTE "${found}" OR NOT EXISTS "${found}")
    message(FATAL_ERROR "${CMAKE_CXX_COMPILER} does not know where ${runtime} is")
  endif()
  get_filename_component(dir "${found}" DIRECTORY)
  list(APPEND dll_dirs "${dir}")
endforeach()
list(REMOVE_DUPLICATES dll_dirs)
set(windows_dirs "")
foreach(dir IN LISTS dll_dirs)
  velbrisk_windows_path(windows_dir "${dir}")
  list(APPEND windows_dirs "${windows_dir}")
endforeach()
list(JOIN windows_dirs ";" VELBRISK_WINEPATH)
# The packages take their DLLs from the same folders.
list(JOIN dll_dirs "\n" dll_lines)
file(WRITE ${CMAKE_BINARY_DIR}/dll-folders.txt "${dll_lines}\n")

set(VELBRISK_WINEPREFIX "${CMAKE_BINARY_DIR}/wineprefix")
configure_file(${PROJECT_SOURCE_DIR}/tests/windows/wine-run.in ${CMAKE_BINARY_DIR}/wine-run
               @ONLY FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
               GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run)
