# The subsystems under src/ are libraries linked in the direction of the
# layers; these functions make each one and keep its includes to that
# direction.

# tarnwick_check_layer(TARGET DIR LAYER...): before TARGET is built, every
# source and header under src/DIR may include "X/..." only for a LAYER X.
# A file that includes another subsystem fails the build, naming the line.
function(tarnwick_check_layer target dir)
  string(JOIN "," allowed ${ARGN})
  set(script ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/CheckLayerIncludes.cmake)
  set(folder ${PROJECT_SOURCE_DIR}/src/${dir})
  file(GLOB_RECURSE files CONFIGURE_DEPENDS ${folder}/*.cpp ${folder}/*.h)
  set(stamp ${CMAKE_CURRENT_BINARY_DIR}/${target}.layer)
  add_custom_command(OUTPUT ${stamp}
    COMMAND ${CMAKE_COMMAND} -DFOLDER=${folder} -DALLOWED=${allowed}
            -P ${script}
    COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
    DEPENDS ${files} ${script}
    COMMENT "Checking the includes of src/${dir}/"
    VERBATIM)
  add_custom_target(${target}_layer DEPENDS ${stamp})
  add_dependencies(${target} ${target}_layer)
endfunction()

# tarnwick_subsystem(NAME [USES SUBSYSTEM...]): the static library
# tarnwick_NAME of every source under src/NAME/, linked to the subsystems it
# uses and allowed to include only from them and from itself.
function(tarnwick_subsystem name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "USES")
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS
    ${PROJECT_SOURCE_DIR}/src/${name}/*.cpp)
  add_library(tarnwick_${name} STATIC ${sources})
  foreach(used IN LISTS arg_USES)
    target_link_libraries(tarnwick_${name} PUBLIC tarnwick_${used})
  endforeach()
  tarnwick_check_layer(tarnwick_${name} ${name} ${name} ${arg_USES})
endfunction()
