# The .xlsx and .ods readers beside python3-openpyxl (read-only) and
# python3-odf reading the same workbook, and the conversion of the
# benchmark workbook saved as .xlsx and as .ods beside the .xls one:
#   cmake --build BUILD --target bench_package
add_custom_target(bench_package
  COMMAND /usr/bin/python3 ${CMAKE_CURRENT_SOURCE_DIR}/package/package_bench.py
          --cli $<TARGET_FILE:tarnwick-cli>
          --make-workbook $<TARGET_FILE:tarnwick-make-workbook>
          --resave ${PROJECT_SOURCE_DIR}/tests/peers/resave_workbook.py
          --work ${CMAKE_BINARY_DIR}/bench-package
  DEPENDS tarnwick-cli tarnwick-make-workbook
  USES_TERMINAL
  VERBATIM)
