# One static library per source folder, one GoogleTest executable per test folder.
# Sources are globbed, so adding a unit is adding its .h/.cpp pair to the folder.

# tavrina_library(<target> [QT] DEPS <targets...>)
#   QT: the folder uses Qt's meta-object system (forms, widgets, signals).
function(tavrina_library target)
  cmake_parse_arguments(A "QT" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  file(GLOB headers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  if(sources)
    add_library(${target} STATIC ${sources} ${headers})
    target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${target} PUBLIC ${A_DEPS})
    if(A_QT)
      set_target_properties(${target} PROPERTIES AUTOMOC ON)
    endif()
  else()
    add_library(${target} INTERFACE)
    target_include_directories(${target} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${target} INTERFACE ${A_DEPS})
  endif()
endfunction()

# tavrina_test(<target> [QT] DEPS <targets...>)
#   QT: the tests need a QApplication (run offscreen); otherwise gtest's own main.
function(tavrina_test target)
  cmake_parse_arguments(A "QT" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(${target} ${sources})
  target_link_libraries(${target} PRIVATE ${A_DEPS} tavrina_testsupport GTest::gtest)
  if(A_QT)
    set_target_properties(${target} PROPERTIES AUTOMOC ON)
    target_link_libraries(${target} PRIVATE tavrina_testmain_qt)
  else()
    target_link_libraries(${target} PRIVATE GTest::gtest_main)
  endif()
  add_test(NAME ${target} COMMAND ${target} --gtest_brief=1)
  set_tests_properties(${target} PROPERTIES
    TIMEOUT 900
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;TAVRINA_SOURCE_DIR=${PROJECT_SOURCE_DIR}")
endfunction()
