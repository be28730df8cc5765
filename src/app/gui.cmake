# The game program: single-instance check and start-up around the client.
tilecrest_qt_library(tc_app_qt
  ${CMAKE_CURRENT_LIST_DIR}/SingleInstance.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ApplicationIdentity.cpp
)
target_link_libraries(tc_app_qt PUBLIC Qt6::Core Qt6::Gui Qt6::Network)

if(TARGET tc_client_qt)
  add_executable(tilecrest ${CMAKE_CURRENT_LIST_DIR}/GuiMain.cpp)
  target_compile_options(tilecrest PRIVATE ${TILECREST_WARNINGS})
  target_link_libraries(tilecrest PRIVATE tc_app_qt tc_client_qt Qt6::Widgets)
endif()
