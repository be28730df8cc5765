# tilecrest-server: the game server without a window.
add_executable(tilecrest-server ${CMAKE_CURRENT_LIST_DIR}/ServerMain.cpp)
target_compile_options(tilecrest-server PRIVATE ${TILECREST_WARNINGS})
target_link_libraries(tilecrest-server PRIVATE tc_i18n tc_server_qt tc_discovery_qt tc_portmap_qt Qt6::Core Qt6::Network)
