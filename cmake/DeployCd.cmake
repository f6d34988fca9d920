# Lays out what makes the CD folder run on a reader's machine that has none of the build's
# packages: the program without its debug information, the shared libraries it loads beyond
# a base desktop system in lib/, the xcb platform plugin with a qt.conf, Qt's German
# translations and the fonts the page and the dialogs use, and the licence notices of all of
# it in LIZENZEN.
#
cmake_minimum_required(VERSION 3.25)

# Run with cmake -P and: EXE (the built program), CD (the CD folder), XCB_PLUGIN,
# QT_TRANSLATIONS (folder), FONTS (folder of the Liberation fonts), FONT_LICENCE,
# STRIP, PATCHELF.

# What a base desktop system provides is left to the reader's machine; the list is shared
# with the test that runs the CD without the build's libraries.
file(STRINGS ${CMAKE_CURRENT_LIST_DIR}/base-system-libraries.txt base_system REGEX "^[^#]")

foreach(var EXE CD XCB_PLUGIN QT_TRANSLATIONS FONTS FONT_LICENCE STRIP PATCHELF)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "DeployCd: ${var} is not set")
  endif()
endforeach()

set(lib_dir ${CD}/lib)
set(plugin_dir ${CD}/plugins/platforms)
file(MAKE_DIRECTORY ${lib_dir} ${plugin_dir} ${CD}/translations ${CD}/fonts)

# Libraries the xcb plugin opens itself at run time, which no dependency list names.
set(opened_at_run_time)
foreach(name libXcursor.so.1)
  find_file(path_${name} ${name} PATHS /usr/lib/x86_64-linux-gnu /usr/lib64 /usr/lib NO_DEFAULT_PATH)
  if(NOT path_${name})
    message(FATAL_ERROR "DeployCd: cannot find ${name}")
  endif()
  list(APPEND opened_at_run_time ${path_${name}})
endforeach()

file(GET_RUNTIME_DEPENDENCIES
  EXECUTABLES ${EXE}
  MODULES ${XCB_PLUGIN} ${opened_at_run_time}
  RESOLVED_DEPENDENCIES_VAR resolved
  UNRESOLVED_DEPENDENCIES_VAR unresolved
  PRE_EXCLUDE_REGEXES ${base_system} "^linux-vdso"
  POST_EXCLUDE_REGEXES "^/lib64/ld-linux")
if(unresolved)
  message(FATAL_ERROR "DeployCd: cannot find ${unresolved}")
endif()

# A run path, set on a copy: the libraries find each other, the plugin finds them, and the
# program finds them beside itself, wherever the CD is mounted.
function(copy_with_run_path source target run_path)
  get_filename_component(name ${target} NAME)
  get_filename_component(dir ${target} DIRECTORY)
  file(COPY_FILE ${source} ${target}.part)
  execute_process(COMMAND ${STRIP} --strip-debug ${target}.part RESULT_VARIABLE failed)
  if(NOT failed)
    execute_process(COMMAND ${PATCHELF} --set-rpath ${run_path} ${target}.part RESULT_VARIABLE failed)
  endif()
  if(failed)
    message(FATAL_ERROR "DeployCd: cannot prepare ${name}")
  endif()
  file(RENAME ${target}.part ${target})
endfunction()

set(bundled)
set(carried_files)
foreach(library ${resolved} ${opened_at_run_time})
  get_filename_component(name ${library} NAME)
  list(APPEND bundled ${name})
  list(APPEND carried_files "${library}|lib/${name}")
  # Keep what is there unless the system's copy is newer.
  if(NOT EXISTS ${lib_dir}/${name} OR ${library} IS_NEWER_THAN ${lib_dir}/${name})
    copy_with_run_path(${library} ${lib_dir}/${name} "$ORIGIN")
  endif()
endforeach()
# Libraries of an earlier layout that the program no longer loads go.
include(${CMAKE_CURRENT_LIST_DIR}/KeepOnly.cmake)
keep_only(${lib_dir} ${bundled})

get_filename_component(plugin_name ${XCB_PLUGIN} NAME)
copy_with_run_path(${XCB_PLUGIN} ${plugin_dir}/${plugin_name} "$ORIGIN/../../lib")
copy_with_run_path(${EXE} ${CD}/spieldex "$ORIGIN/lib")

file(WRITE ${CD}/qt.conf "[Paths]\nPrefix = .\nPlugins = plugins\nTranslations = translations\n")
file(COPY ${QT_TRANSLATIONS}/qtbase_de.qm DESTINATION ${CD}/translations)
# Upright faces only: nothing the program shows is set in italics, and every face on the
# CD is read at each start.
file(COPY ${FONTS}/LiberationSans-Regular.ttf ${FONTS}/LiberationSans-Bold.ttf DESTINATION ${CD}/fonts)
list(APPEND carried_files "${XCB_PLUGIN}|plugins/platforms/${plugin_name}"
  "${QT_TRANSLATIONS}/qtbase_de.qm|translations/qtbase_de.qm"
  "${FONTS}/LiberationSans-Regular.ttf|fonts/LiberationSans-Regular.ttf"
  "${FONTS}/LiberationSans-Bold.ttf|fonts/LiberationSans-Bold.ttf")
include(${CMAKE_CURRENT_LIST_DIR}/CdLicences.cmake)
file(COPY_FILE ${FONT_LICENCE} ${CD}/fonts/LICENSE-Liberation.txt)
# The font configuration the program starts with: no folder of the machine's, and of the
# rules only slight hinting. The program registers the faces beside it, so the page and
# the dialogs look the same on every machine, and no font set-up of the machine is read
# before the first page.
file(WRITE ${CD}/fonts/fonts.conf [=[<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">
<fontconfig>
  <!-- Spieldex draws with the faces in this folder alone, registered at its start. -->
  <!-- Slight hinting, as desktops set it: without it, digits stand unevenly apart. -->
  <match target="pattern">
    <edit name="hintstyle" mode="append"><const>hintslight</const></edit>
  </match>
</fontconfig>
]=])
