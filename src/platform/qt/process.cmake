# Starting the build script in a terminal window and other programs on their own.
target_sources(morvane_qt PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/qt_process_start.h
    ${CMAKE_CURRENT_LIST_DIR}/qt_process_start.cpp)
