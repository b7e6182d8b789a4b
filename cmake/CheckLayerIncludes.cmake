# cmake -DFOLDER=src/X -DALLOWED=a,b,c -P CheckLayerIncludes.cmake
# Fails when a file under FOLDER includes "Y/..." for a Y not in ALLOWED.
cmake_minimum_required(VERSION 3.25)
string(REPLACE "," ";" allowed "${ALLOWED}")
file(GLOB_RECURSE files ${FOLDER}/*.cpp ${FOLDER}/*.h)
set(wrong "")
foreach(file IN LISTS files)
  file(STRINGS ${file} lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"[A-Za-z0-9_]+/")
  foreach(line IN LISTS lines)
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([A-Za-z0-9_]+)/.*" "\\1"
           layer "${line}")
    if(NOT layer IN_LIST allowed)
      string(APPEND wrong "\n  ${file}: ${line}")
    endif()
  endforeach()
endforeach()
if(wrong)
  message(FATAL_ERROR
    "An include against the direction of the layers (this folder may "
    "include only ${ALLOWED}):${wrong}")
endif()
