# Choosing the terminal window that runs the build script belongs to the core.
target_sources(morvane_core PRIVATE ${CMAKE_CURRENT_LIST_DIR}/terminal_command.cpp
                                    ${CMAKE_CURRENT_LIST_DIR}/console_start.cpp)
