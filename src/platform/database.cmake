#The diary's database engine: SQLite through its C API.
drjvo_library(drjvo_database SOURCES ${CMAKE_CURRENT_LIST_DIR} /
              database.h ${CMAKE_CURRENT_LIST_DIR} /
              database.cpp LIBS SQLite::SQLite3 drjvo_platform)
