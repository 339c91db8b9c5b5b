drjvo_test(test_platform_grid
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/grid_test.cpp
    LIBS drjvo_grid)
