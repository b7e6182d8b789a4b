# The DBF import's data: System/DBFTemplate.xls from its readable source, and
# a demo folder Demo/DBF of the five price tables, written by a small shapelib
# program, so that a new user can try the import at once.
add_executable(tarnwick-make-demo-dbf ${CMAKE_CURRENT_SOURCE_DIR}/dbf/make_demo_dbf.cpp)
target_link_libraries(tarnwick-make-demo-dbf PRIVATE PkgConfig::SHAPELIB)

set(TARNWICK_DBF_DEMO_DIR ${TARNWICK_APP_DIR}/Demo/DBF)
set(TARNWICK_DBF_DEMO_TABLES
  ${TARNWICK_DBF_DEMO_DIR}/rnddat.dbf ${TARNWICK_DBF_DEMO_DIR}/mqdat.dbf
  ${TARNWICK_DBF_DEMO_DIR}/peardat.dbf ${TARNWICK_DBF_DEMO_DIR}/emdat.dbf
  ${TARNWICK_DBF_DEMO_DIR}/prndat.dbf)
add_custom_command(
  OUTPUT ${TARNWICK_DBF_DEMO_TABLES}
  COMMAND tarnwick-make-demo-dbf ${TARNWICK_DBF_DEMO_DIR}
  DEPENDS tarnwick-make-demo-dbf
  COMMENT "Writing the demo DBF tables"
  VERBATIM)

add_custom_command(
  OUTPUT ${TARNWICK_APP_DIR}/System/DBFTemplate.xls
  COMMAND ${CMAKE_COMMAND} -E make_directory ${TARNWICK_APP_DIR}/System
  COMMAND tarnwick-make-workbook ${CMAKE_CURRENT_SOURCE_DIR}/dbf/DBFTemplate.sheets
          ${TARNWICK_APP_DIR}/System/DBFTemplate.xls
  DEPENDS tarnwick-make-workbook ${CMAKE_CURRENT_SOURCE_DIR}/dbf/DBFTemplate.sheets
  COMMENT "Making System/DBFTemplate.xls"
  VERBATIM)

add_custom_target(tarnwick_dbf_data ALL
  DEPENDS ${TARNWICK_DBF_DEMO_TABLES} ${TARNWICK_APP_DIR}/System/DBFTemplate.xls)
