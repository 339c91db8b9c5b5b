# The Word package codec (format 9 and 13): WordprocessingML through QuaZip and Qt's XML streams.
file(GLOB DRJVO_DOCX_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/docx/*.h
     ${CMAKE_CURRENT_LIST_DIR}/docx/*.cpp)
drjvo_library(drjvo_docx
    SOURCES ${DRJVO_DOCX_SOURCES}
    LIBS drjvo_platform Qt6::Gui QuaZip::QuaZip)
