# The same price workbook of 320 sheets converted through the window,
# offscreen, and through tarnwick-cli, CPU and wall-clock time side by side:
#   cmake --build BUILD --target bench_window
if(TARGET tarnwick_window)
  add_executable(tarnwick-bench-window
    ${CMAKE_CURRENT_SOURCE_DIR}/window/window_bench.cpp)
  target_link_libraries(tarnwick-bench-window PRIVATE tarnwick_window)
  add_custom_target(bench_window
    COMMAND /usr/bin/python3 ${CMAKE_CURRENT_SOURCE_DIR}/window/window_bench.py
            --cli $<TARGET_FILE:tarnwick-cli>
            --window-bench $<TARGET_FILE:tarnwick-bench-window>
            --make-workbook $<TARGET_FILE:tarnwick-make-workbook>
            --work ${CMAKE_BINARY_DIR}/bench-window
    DEPENDS tarnwick-cli tarnwick-bench-window tarnwick-make-workbook
    USES_TERMINAL
    VERBATIM)
endif()
