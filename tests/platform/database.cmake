drjvo_test(test_database SOURCES ${CMAKE_CURRENT_LIST_DIR}/database_test.cpp LIBS drjvo_database)
