target_sources(morvane_qt PRIVATE ${CMAKE_CURRENT_LIST_DIR}/qt_file_dialogs.cpp)
