# The demo price workbook and its two discount workbooks, made from their
# readable sources into the ready application folder.
set(DEMO_WORKBOOKS)
foreach(book Price Discount1 Discount2)
  set(source ${CMAKE_CURRENT_SOURCE_DIR}/demo/${book}.sheets)
  set(output ${TARNWICK_APP_DIR}/${book}.xls)
  add_custom_command(
    OUTPUT ${output}
    COMMAND tarnwick-make-workbook ${source} ${output}
    DEPENDS tarnwick-make-workbook ${source}
    COMMENT "Making the demo ${book}.xls"
    VERBATIM)
  list(APPEND DEMO_WORKBOOKS ${output})
endforeach()
add_custom_target(demo_workbooks ALL DEPENDS ${DEMO_WORKBOOKS})
