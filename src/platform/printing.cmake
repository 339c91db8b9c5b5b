# Printers and print jobs: QPrinter, with jobs handed to CUPS directly where it is there.
drjvo_library(drjvo_printing
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/printing.h ${CMAKE_CURRENT_LIST_DIR}/printing_qt.cpp
    LIBS Qt6::Gui Qt6::PrintSupport)
find_package(Cups QUIET)
if(Cups_FOUND)
    target_link_libraries(drjvo_printing PRIVATE Cups::Cups)
    target_compile_definitions(drjvo_printing PRIVATE DRJVO_HAVE_CUPS)
endif()
