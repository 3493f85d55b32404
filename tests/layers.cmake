# Checks the direction of includes in the platform layer: a kit folder includes only
# itself and the folders below it, and nothing of the screens. Run with
#   cmake -DSOURCE_DIR=<src> -P layers.cmake
#
#   kit/ (ApplicationMain, Accessibility)
#   tables/  pickers/
#   controllers/
#   views/  platform/
#   foundation/
set(rank_foundation 0)
set(rank_views 1)
set(rank_platform 1)
set(rank_controllers 2)
set(rank_tables 3)
set(rank_pickers 3)
set(rank_root 4)

file(GLOB_RECURSE files RELATIVE ${SOURCE_DIR}/kit ${SOURCE_DIR}/kit/*.h ${SOURCE_DIR}/kit/*.cpp)
set(faults "")
foreach(file IN LISTS files)
  if(file MATCHES "^([a-z]+)/")
    set(folder ${CMAKE_MATCH_1})
  else()
    set(folder root)
  endif()
  if(NOT DEFINED rank_${folder})
    list(APPEND faults "kit/${file}: kit/${folder}/ is not a known layer")
    continue()
  endif()
  file(STRINGS ${SOURCE_DIR}/kit/${file} includes REGEX "^#include \"")
  foreach(line IN LISTS includes)
    string(REGEX REPLACE "^#include \"([^\"]+)\".*" "\\1" included "${line}")
    if(NOT included MATCHES "/")
      continue() # the same folder
    endif()
    if(NOT included MATCHES "^kit/")
      list(APPEND faults "kit/${file} includes ${included}, outside the platform layer")
      continue()
    endif()
    if(included MATCHES "^kit/([a-z]+)/")
      set(target ${CMAKE_MATCH_1})
    else()
      set(target root)
    endif()
    if(NOT target STREQUAL folder AND NOT rank_${target} LESS rank_${folder})
      list(APPEND faults "kit/${file} includes ${included}, a layer not below its own")
    endif()
  endforeach()
endforeach()

list(LENGTH files count)
if(faults)
  list(JOIN faults "\n  " text)
  message(FATAL_ERROR "Includes against the layers:\n  ${text}")
endif()
message(STATUS "${count} files of the platform layer include only layers below their own")
