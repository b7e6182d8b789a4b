# The CSV import end to end through tarnwick-cli, beside Python's csv module
# reading the same files: cmake --build BUILD --target bench_csv
add_custom_target(bench_csv
  COMMAND /usr/bin/python3 ${CMAKE_CURRENT_SOURCE_DIR}/csv/csv_bench.py
          --cli $<TARGET_FILE:tarnwick-cli>
          --app ${TARNWICK_APP_DIR}
          --work ${CMAKE_BINARY_DIR}/bench-csv
  DEPENDS tarnwick-cli tarnwick_csv_data
  USES_TERMINAL
  VERBATIM)
