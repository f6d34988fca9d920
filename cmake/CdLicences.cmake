# Writes the CD's LIZENZEN folder from what the CD folder actually carries: for each file
# taken from the build machine, the Debian package it came from, that package's version, its
# copyright file (the copyright and licence notices, copied whole), the licence texts that
# file names from /usr/share/common-licenses, and an index in German. A file that belongs to
# no package, a package without a copyright file, and a package without a line in
# cd-licences.txt stop the build: nothing goes on the CD without its notice.
#
# Included by DeployCd.cmake with CD and carried_files set: a list of "SOURCE|PLACE" entries,
# SOURCE the file on this machine, PLACE where it lies in the CD folder.

set(licence_dir ${CD}/LIZENZEN)
file(MAKE_DIRECTORY ${licence_dir})

file(STRINGS ${CMAKE_CURRENT_LIST_DIR}/cd-licences.txt licence_lines REGEX "^[^#]")

# A file's names as dpkg may know them: with a merged /usr, a library lies under /lib and
# /usr/lib alike, and a package names only one of them; a link may be the package's or its
# target may be.
function(dpkg_names source out)
  file(REAL_PATH ${source} real)
  set(names)
  foreach(path ${source} ${real})
    list(APPEND names ${path})
    if(path MATCHES "^/usr(/lib.*)$")
      list(APPEND names ${CMAKE_MATCH_1})
    elseif(path MATCHES "^/lib")
      list(APPEND names /usr${path})
    endif()
  endforeach()
  list(REMOVE_DUPLICATES names)
  set(${out} ${names} PARENT_SCOPE)
endfunction()

set(all_names)
foreach(entry ${carried_files})
  string(REPLACE "|" ";" pair ${entry})
  list(GET pair 0 source)
  dpkg_names(${source} names)
  list(APPEND all_names ${names})
endforeach()
# One query for all: dpkg -S fails when any name is unknown but still answers for the rest.
execute_process(COMMAND dpkg -S ${all_names} OUTPUT_VARIABLE owners ERROR_QUIET)
string(REPLACE "\n" ";" owners "${owners}")
foreach(line ${owners})
  if(line MATCHES "^([^:, ]+)(:[a-z0-9]+)?(, [^:]+(:[a-z0-9]+)?)*: (/.+)$")
    set(owner_${CMAKE_MATCH_5} ${CMAKE_MATCH_1})
  endif()
endforeach()

set(packages)
foreach(entry ${carried_files})
  string(REPLACE "|" ";" pair ${entry})
  list(GET pair 0 source)
  list(GET pair 1 place)
  dpkg_names(${source} names)
  set(package)
  foreach(name ${names})
    if(DEFINED owner_${name})
      set(package ${owner_${name}})
      break()
    endif()
  endforeach()
  if(NOT package)
    message(FATAL_ERROR "DeployCd: ${source} (${place} on the CD) belongs to no Debian package, so it has no licence notice")
  endif()
  list(APPEND packages ${package})
  list(APPEND places_${package} ${place})
endforeach()
list(REMOVE_DUPLICATES packages)
list(SORT packages)

execute_process(COMMAND dpkg-query -W "-f=\${Package}\t\${Version}\t\${source:Package}\t\${source:Version}\n" ${packages}
  OUTPUT_VARIABLE versions RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "DeployCd: dpkg-query cannot name the versions of ${packages}")
endif()
string(REPLACE "\n" ";" versions "${versions}")
foreach(line ${versions})
  if(line MATCHES "^([^\t]+)\t([^\t]+)\t([^\t]+)\t([^\t]+)$")
    set(version_${CMAKE_MATCH_1} ${CMAKE_MATCH_2})
    set(source_${CMAKE_MATCH_1} ${CMAKE_MATCH_3})
    set(source_version_${CMAKE_MATCH_1} ${CMAKE_MATCH_4})
  endif()
endforeach()

set(written)
set(common_licences)
foreach(package ${packages})
  set(copyright /usr/share/doc/${package}/copyright)
  if(NOT EXISTS ${copyright} OR NOT DEFINED version_${package})
    message(FATAL_ERROR "DeployCd: the package ${package} (${places_${package}}) has no copyright file")
  endif()
  set(licence_${package})
  foreach(line ${licence_lines})
    if(line MATCHES "^([^\t]+)\t(.+)$")
      set(licence ${CMAKE_MATCH_2})
      if(package MATCHES "${CMAKE_MATCH_1}")
        set(licence_${package} ${licence})
        break()
      endif()
    endif()
  endforeach()
  if(NOT licence_${package})
    message(FATAL_ERROR "DeployCd: cmake/cd-licences.txt names no licence for the package ${package}")
  endif()
  # Binary packages of one source mostly share their copyright file: it goes on the CD once.
  file(SHA256 ${copyright} hash)
  set(notice ${source_${package}}.txt)
  if(DEFINED hash_${notice} AND NOT hash_${notice} STREQUAL hash)
    set(notice ${package}.txt)
  endif()
  set(hash_${notice} ${hash})
  set(notice_${package} ${notice})
  if(NOT notice IN_LIST written)
    file(COPY_FILE ${copyright} ${licence_dir}/${notice})
    list(APPEND written ${notice})
  endif()
  file(READ ${copyright} text)
  string(REGEX MATCHALL "/usr/share/common-licenses/[A-Za-z0-9+_.-]*[A-Za-z0-9+]" named "${text}")
  list(APPEND common_licences ${named})
endforeach()

list(REMOVE_DUPLICATES common_licences)
list(SORT common_licences)
set(licence_texts)
foreach(path ${common_licences})
  if(EXISTS ${path})
    get_filename_component(name ${path} NAME)
    file(REAL_PATH ${path} real)
    file(COPY_FILE ${real} ${licence_dir}/${name}.txt)
    list(APPEND written ${name}.txt)
    list(APPEND licence_texts ${name}.txt)
  endif()
endforeach()

# Qt comes under the LGPL-3: its text, the GPL-3 it builds on, and how to get Qt's source
# and put another Qt in its place.
set(qt_packages ${packages})
list(FILTER qt_packages INCLUDE REGEX "^libqt6")
if(qt_packages)
  foreach(needed LGPL-3.txt GPL-3.txt)
    if(NOT needed IN_LIST licence_texts)
      message(FATAL_ERROR "DeployCd: Qt is on the CD, but the licence text ${needed} is not")
    endif()
  endforeach()
  list(GET qt_packages 0 qt)
  set(qt_places)
  foreach(package ${qt_packages})
    list(APPEND qt_places ${places_${package}})
  endforeach()
  list(SORT qt_places)
  list(JOIN qt_places "\n    " qt_places)
  string(REGEX REPLACE "[+~].*$" "" qt_version ${version_${qt}})
  set(qt_notice "
Qt und die LGPL-3
-----------------

Der Spieldex verwendet Qt ${qt_version}, die Dateien

    ${qt_places}

wie Debian sie aus dem Quellpaket ${source_${qt}} in der Version ${source_version_${qt}} baut, unverändert und
als eigene Bibliotheken. Qt steht unter der GNU Lesser General Public License Version 3
(LGPL-3.txt, die auf der GPL-3.txt aufbaut), wahlweise unter der GPL-2 oder der GPL-3; die
Urheberrechtshinweise stehen in ${notice_${qt}}.

Sie dürfen diese Bibliotheken durch eine eigene, auch geänderte Fassung ersetzen: Kopieren
Sie die CD in einen Ordner auf der Festplatte und legen Sie Ihre Fassung an die Stelle der
Datei gleichen Namens im Ordner lib (das Plattform-Plugin im Ordner plugins/platforms). Der
Spieldex lädt Qt beim Start von dort; jede Fassung mit derselben Schnittstelle (Qt 6.4)
läuft an ihrer Stelle.

Den vollständigen Quelltext dieser Qt-Fassung erhalten Sie auf jedem Debian-System mit

    apt-get source ${source_${qt}}=${source_version_${qt}}

oder im Archiv aller Debian-Pakete, https://snapshot.debian.org/package/${source_${qt}}/.
")
else()
  set(qt_notice "")
endif()

list(JOIN licence_texts " " licence_list)
set(index "Lizenzen der Bestandteile dieser CD
===================================

Der Spieldex, seine Tabellen und Bilder stammen von der Redaktion. Alles Weitere auf der
CD, das der Spieldex zum Laufen braucht, ist freie Software anderer Autoren und hier mit
seiner Version, seiner Lizenz und seinem Quelltext genannt. Die Urheberrechts- und
Lizenzhinweise jedes Pakets stehen vollständig in der unter \"Hinweise\" genannten Datei
dieses Ordners, die Texte der dort genannten Lizenzen in den gleichnamigen Dateien:

    ${licence_list}

Alle Bestandteile sind Pakete von Debian 12. Den Quelltext eines jeden erhalten Sie auf
einem Debian-System mit \"apt-get source QUELLPAKET=VERSION\", mit den Angaben unter
\"Quelltext\", oder im Archiv aller Debian-Pakete, https://snapshot.debian.org/.
${qt_notice}

Die Bestandteile
----------------
")
foreach(package ${packages})
  list(JOIN places_${package} ", " places)
  string(APPEND index "
${package}, Version ${version_${package}}
  Dateien:   ${places}
  Lizenz:    ${licence_${package}}
  Hinweise:  ${notice_${package}}
  Quelltext: Debian-Quellpaket ${source_${package}}, Version ${source_version_${package}}
")
endforeach()
file(WRITE ${licence_dir}/UEBERSICHT.txt "${index}")
list(APPEND written UEBERSICHT.txt)

# Notices of libraries an earlier layout carried go with them.
include(${CMAKE_CURRENT_LIST_DIR}/KeepOnly.cmake)
keep_only(${licence_dir} ${written})
