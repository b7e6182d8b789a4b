# The Octonus conversion end to end through tarnwick-cli, beside xlrd reading
# the same workbook: cmake --build BUILD --target bench_octonus
add_custom_target(bench_octonus
  COMMAND /usr/bin/python3 ${CMAKE_CURRENT_SOURCE_DIR}/octonus/octonus_bench.py
          --cli $<TARGET_FILE:tarnwick-cli>
          --make-workbook $<TARGET_FILE:tarnwick-make-workbook>
          --work ${CMAKE_BINARY_DIR}/bench-octonus
  DEPENDS tarnwick-cli tarnwick-make-workbook
  USES_TERMINAL
  VERBATIM)
