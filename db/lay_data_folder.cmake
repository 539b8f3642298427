# Lays the data folder from the delivered one. The database goes there only
# when the folder holds none: a user's database is never overwritten. The help
# text is refreshed.
# In: DELIVERED, DATA_FOLDER, DATABASE_FILE, HELP_FILE.
file(MAKE_DIRECTORY "${DATA_FOLDER}")
if(NOT EXISTS "${DATA_FOLDER}/${DATABASE_FILE}")
  file(COPY_FILE "${DELIVERED}/${DATABASE_FILE}" "${DATA_FOLDER}/${DATABASE_FILE}")
  message(STATUS "Laid the delivered database in ${DATA_FOLDER}")
endif()
file(COPY_FILE "${DELIVERED}/${HELP_FILE}" "${DATA_FOLDER}/${HELP_FILE}" ONLY_IF_DIFFERENT)
