# Starting programs, and what starting them needs to know of the machine.
target_sources(morvane_qt PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/qt_process_start.cpp
    ${CMAKE_CURRENT_LIST_DIR}/qt_system_environment.cpp
    ${CMAKE_CURRENT_LIST_DIR}/posix_private_files.cpp)
