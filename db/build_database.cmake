# Builds a database file from SQL sources with the sqlite3 command.
# In: SQLITE3, OUTPUT, SOURCES (a list). A failed build leaves no file behind.
set(partial "${OUTPUT}.partial")
file(REMOVE "${partial}")
get_filename_component(folder "${OUTPUT}" DIRECTORY)
file(MAKE_DIRECTORY "${folder}")

set(commands)
foreach(source IN LISTS SOURCES)
  list(APPEND commands ".read '${source}'")
endforeach()
execute_process(COMMAND "${SQLITE3}" -bail "${partial}" ${commands}
                RESULT_VARIABLE result ERROR_VARIABLE errors OUTPUT_VARIABLE output)
if(NOT result EQUAL 0 OR NOT errors STREQUAL "")
  file(REMOVE "${partial}")
  message(FATAL_ERROR "Building ${OUTPUT} failed:\n${errors}${output}")
endif()
file(RENAME "${partial}" "${OUTPUT}")
