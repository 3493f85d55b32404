# SPDX-License-Identifier: GPL-3.0-or-later
#
# Checks the direction of includes between the folders of src/ and prints the graph of
# who includes whom. Run with
#   cmake -DSOURCE_DIR=<src> -P layers.cmake
#
#   app/                                    the composition root: includes anything
#   contents/ scheme/ about/ telephones/ sos/ card/ steps/ practice/   the screens: none includes another
#   viewer/  search/  articlelist/  record/  guide/  quiz/   what the screens share
#   kit/ (ApplicationMain, Accessibility)
#   tables/  pickers/
#   controllers/
#   views/  platform/
#   foundation/
#
# A kit folder includes only itself and the kit folders below it; the shared folders the
# kit and (search) the article list; a screen folder the kit and the shared folders.

cmake_minimum_required(VERSION 3.25)
get_filename_component(SOURCE_DIR "${SOURCE_DIR}" ABSOLUTE)

# The kit's folders, by rank: a folder includes only lower ranks (and itself).
set(rank_kit/foundation 0)
set(rank_kit/views 1)
set(rank_kit/platform 1)
set(rank_kit/controllers 2)
set(rank_kit/tables 3)
set(rank_kit/pickers 3)
set(rank_kit 4)
set(kit_folders kit/foundation kit/views kit/platform kit/controllers kit/tables kit/pickers kit)

# Above the kit: what each folder may include besides itself and the kit.
set(shared_folders viewer search articlelist record guide quiz)
set(screen_folders contents scheme about telephones sos card steps practice)
set(allowed_viewer "")
set(allowed_search articlelist)
set(allowed_articlelist "")
set(allowed_record "")
set(allowed_guide "")
set(allowed_quiz search articlelist)
foreach(screen IN LISTS screen_folders)
  set(allowed_${screen} ${shared_folders})
endforeach()
set(allowed_app ${shared_folders} ${screen_folders})

# The folder a path of src/ belongs to: kit/<layer>, kit, or its first component.
function(folder_of path result)
  if(path MATCHES "^kit/([a-z]+)/")
    set(${result} kit/${CMAKE_MATCH_1} PARENT_SCOPE)
  elseif(path MATCHES "^kit/")
    set(${result} kit PARENT_SCOPE)
  elseif(path MATCHES "^([a-z]+)/")
    set(${result} ${CMAKE_MATCH_1} PARENT_SCOPE)
  else()
    set(${result} "" PARENT_SCOPE)
  endif()
endfunction()

file(GLOB_RECURSE files RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/*.h ${SOURCE_DIR}/*.cpp)
set(faults "")
set(folders "")
foreach(file IN LISTS files)
  folder_of(${file} folder)
  if(NOT folder)
    continue() # linkcheck.cpp
  endif()
  # The modules of the platform and of the search are built on their own.
  if(file MATCHES "^kit/platform/(engine|sound|camera|print)/" OR file MATCHES "^search/xapian/")
    continue()
  endif()
  list(APPEND folders ${folder})
  get_filename_component(here ${file} DIRECTORY)
  file(STRINGS ${SOURCE_DIR}/${file} includes REGEX "^#include \"")
  foreach(line IN LISTS includes)
    string(REGEX REPLACE "^#include \"([^\"]+)\".*" "\\1" included "${line}")
    if(NOT included MATCHES "/")
      set(included ${here}/${included}) # the same folder
    endif()
    folder_of(${included} target)
    if(NOT target OR target STREQUAL folder)
      continue()
    endif()
    list(APPEND edges_${folder} ${target})
    # The kit's own order.
    if(folder MATCHES "^kit")
      if(NOT target MATCHES "^kit" OR NOT rank_${target} LESS rank_${folder})
        list(APPEND faults "${file} includes ${included}: ${target}/ is not below ${folder}/")
      endif()
      continue()
    endif()
    if(target MATCHES "^kit")
      continue()
    endif()
    if(NOT DEFINED allowed_${folder})
      list(APPEND faults "${file}: ${folder}/ is not a known folder")
    elseif(NOT target IN_LIST allowed_${folder})
      list(APPEND faults "${file} includes ${included}: ${folder}/ may not include ${target}/")
    endif()
  endforeach()
endforeach()

# The graph: each folder and the folders it includes.
list(REMOVE_DUPLICATES folders)
list(SORT folders)
message(STATUS "Folders of src/ and the folders they include:")
foreach(folder IN LISTS folders)
  set(targets ${edges_${folder}})
  if(targets)
    list(REMOVE_DUPLICATES targets)
    list(SORT targets)
  endif()
  list(JOIN targets " " text)
  message(STATUS "  ${folder} -> ${text}")
endforeach()

# A cycle between folders: any folder that reaches itself.
foreach(start IN LISTS folders)
  set(seen "")
  set(frontier ${edges_${start}})
  while(frontier)
    list(POP_FRONT frontier next)
    if(next STREQUAL start)
      list(APPEND faults "${start}/ includes itself through other folders")
      break()
    endif()
    if(NOT next IN_LIST seen)
      list(APPEND seen ${next})
      list(APPEND frontier ${edges_${next}})
    endif()
  endwhile()
endforeach()

list(LENGTH files count)
if(faults)
  list(REMOVE_DUPLICATES faults)
  list(JOIN faults "\n  " text)
  message(FATAL_ERROR "Includes against the layers:\n  ${text}")
endif()
message(STATUS "${count} files of src/: every include goes down, and no folder reaches itself")
