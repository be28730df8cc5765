# Shared build rules.

# GCC 12 reports a false -Wrestrict inside libstdc++'s std::string at -O2
# (GCC bug 105329); it says nothing about our code.
set(TILECREST_WARNINGS -Wall -Wextra)
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  list(APPEND TILECREST_WARNINGS -Wno-restrict)
endif()

# A core library holds game or protocol logic and must build without Qt.
# The check below fails the configure step if anyone links Qt into one.
function(tilecrest_core_library name)
  add_library(${name} STATIC ${ARGN})
  target_compile_options(${name} PRIVATE ${TILECREST_WARNINGS})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  set_property(GLOBAL APPEND PROPERTY TILECREST_CORE_LIBRARIES ${name})
endfunction()

# A thin Qt layer beside a core.
function(tilecrest_qt_library name)
  add_library(${name} STATIC ${ARGN})
  target_compile_options(${name} PRIVATE ${TILECREST_WARNINGS})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
endfunction()

# Called once at the end of the top-level list: walks each core's link
# closure and refuses any Qt target in it.
function(tilecrest_check_cores_qt_free)
  get_property(cores GLOBAL PROPERTY TILECREST_CORE_LIBRARIES)
  foreach(core IN LISTS cores)
    set(pending ${core})
    set(seen "")
    while(pending)
      list(POP_FRONT pending item)
      if(item IN_LIST seen)
        continue()
      endif()
      list(APPEND seen ${item})
      if(item MATCHES "^Qt[0-9]*::" OR item MATCHES "Qt6")
        message(FATAL_ERROR "Core library ${core} links ${item}; cores must stay Qt-free")
      endif()
      if(TARGET ${item})
        get_target_property(libs ${item} LINK_LIBRARIES)
        if(libs)
          list(APPEND pending ${libs})
        endif()
        get_target_property(ilibs ${item} INTERFACE_LINK_LIBRARIES)
        if(ilibs)
          list(APPEND pending ${ilibs})
        endif()
      endif()
    endwhile()
  endforeach()
endfunction()

# One test binary: sources, libraries; registered with CTest.
function(tilecrest_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_compile_options(${name} PRIVATE ${TILECREST_WARNINGS})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  # No display: these tests open no window (./test runs them with DISPLAY unset).
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60)
endfunction()

# A GUI test binary (its own main makes the QApplication): listed and run
# under an X server of its own on the xcb platform (tests/with-xvfb.sh: a
# free display number, ended afterwards), so windows are mapped, framed,
# focused and painted as on a desktop. Each test gets a fresh server.
set(TILECREST_WITH_XVFB ${PROJECT_SOURCE_DIR}/tests/with-xvfb.sh)
function(tilecrest_gui_tests name)
  cmake_parse_arguments(T "" "TIMEOUT" "" ${ARGN})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  set_target_properties(${name} PROPERTIES CROSSCOMPILING_EMULATOR ${TILECREST_WITH_XVFB})
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT ${T_TIMEOUT})
endfunction()
