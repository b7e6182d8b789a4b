# The DBF import of 40,000 and 4,000 records x 11 fields, beside
# python3-dbfread reading the same tables:
#   cmake --build BUILD --target bench_dbf
add_executable(tarnwick-bench-dbf ${CMAKE_CURRENT_SOURCE_DIR}/dbf/dbf_bench.cpp)
target_link_libraries(tarnwick-bench-dbf PRIVATE tarnwick_import)
add_custom_target(bench_dbf
  COMMAND tarnwick-bench-dbf --template ${TARNWICK_APP_DIR}/System/DBFTemplate.xls
          --work ${CMAKE_BINARY_DIR}/bench-dbf
  DEPENDS tarnwick-bench-dbf tarnwick_dbf_data
  USES_TERMINAL
  VERBATIM)
