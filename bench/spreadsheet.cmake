# The spreadsheet engine beside xlrd (reading) and xlwt (writing) on a
# workbook of 20 sheets x 500 rows x 13 columns and ten times that:
#   cmake --build BUILD --target bench_spreadsheet
add_executable(tarnwick-bench-spreadsheet spreadsheet/spreadsheet_bench.cpp)
target_link_libraries(tarnwick-bench-spreadsheet PRIVATE tarnwick_spreadsheet)
add_custom_target(bench_spreadsheet
  COMMAND tarnwick-bench-spreadsheet
          ${CMAKE_CURRENT_SOURCE_DIR}/spreadsheet/peers_bench.py
          ${CMAKE_BINARY_DIR}/bench-spreadsheet 500 5000
  DEPENDS tarnwick-bench-spreadsheet
  USES_TERMINAL
  VERBATIM)
