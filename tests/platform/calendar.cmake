drjvo_test(test_platform_calendar
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/calendar_test.cpp
    LIBS drjvo_calendar)
