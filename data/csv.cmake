# The CSV import's data: System/CSVTemplate.xls from its readable source, the
# colour and clarity dictionaries, the sample colour list Sample/Sample.xls
# (plain text in spite of its name) and a demo folder Demo/CSV of price
# lists. Text files are kept with plain line ends here and laid out with the
# CR LF ends the import's users exchange.
set(TARNWICK_CSV_DATA ${CMAKE_CURRENT_SOURCE_DIR}/csv)
configure_file(${TARNWICK_CSV_DATA}/Color.txt ${TARNWICK_APP_DIR}/System/Color.txt
               @ONLY NEWLINE_STYLE CRLF)
configure_file(${TARNWICK_CSV_DATA}/Clarity.txt ${TARNWICK_APP_DIR}/System/Clarity.txt
               @ONLY NEWLINE_STYLE CRLF)
configure_file(${TARNWICK_CSV_DATA}/Sample.txt ${TARNWICK_APP_DIR}/Sample/Sample.xls
               @ONLY NEWLINE_STYLE CRLF)
file(GLOB TARNWICK_CSV_DEMO CONFIGURE_DEPENDS ${TARNWICK_CSV_DATA}/demo/*.csv)
foreach(list IN LISTS TARNWICK_CSV_DEMO)
  get_filename_component(name ${list} NAME)
  configure_file(${list} ${TARNWICK_APP_DIR}/Demo/CSV/${name} @ONLY NEWLINE_STYLE CRLF)
endforeach()

add_custom_command(
  OUTPUT ${TARNWICK_APP_DIR}/System/CSVTemplate.xls
  COMMAND ${CMAKE_COMMAND} -E make_directory ${TARNWICK_APP_DIR}/System
  COMMAND tarnwick-make-workbook ${TARNWICK_CSV_DATA}/CSVTemplate.sheets
          ${TARNWICK_APP_DIR}/System/CSVTemplate.xls
  DEPENDS tarnwick-make-workbook ${TARNWICK_CSV_DATA}/CSVTemplate.sheets
  COMMENT "Making System/CSVTemplate.xls"
  VERBATIM)
add_custom_target(tarnwick_csv_data ALL
  DEPENDS ${TARNWICK_APP_DIR}/System/CSVTemplate.xls)
