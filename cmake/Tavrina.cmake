# One static library per source folder, one GoogleTest executable per test folder.
# Sources are globbed, so adding a unit is adding its .h/.cpp pair to the folder.

# Turns on moc for a target. Its moc step only re-runs when a header it saw
# last time changes, so a header added since (picked up by the glob on
# re-configure) would get no meta-object code until a clean build: when the
# header list changed, drop the step's stamp so that it runs again.
function(tavrina_automoc target headers)
  set_target_properties(${target} PROPERTIES AUTOMOC ON)
  set(list_file ${CMAKE_CURRENT_BINARY_DIR}/${target}_headers.txt)
  string(JOIN "\n" now ${headers})
  set(before "")
  if(EXISTS ${list_file})
    file(READ ${list_file} before)
  endif()
  if(NOT before STREQUAL now)
    file(WRITE ${list_file} "${now}")
    file(REMOVE ${CMAKE_CURRENT_BINARY_DIR}/${target}_autogen/timestamp)
  endif()
endfunction()

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
      tavrina_automoc(${target} "${headers}")
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
  file(GLOB headers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  if(NOT sources)
    return()
  endif()
  add_executable(${target} ${sources} ${headers})
  target_link_libraries(${target} PRIVATE ${A_DEPS} tavrina_testsupport GTest::gtest)
  if(A_QT)
    tavrina_automoc(${target} "${headers}")
    target_link_libraries(${target} PRIVATE tavrina_testmain_qt)
  else()
    target_link_libraries(${target} PRIVATE GTest::gtest_main)
  endif()
  add_test(NAME ${target} COMMAND ${target} --gtest_brief=1)
  set_tests_properties(${target} PROPERTIES
    TIMEOUT 900
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;TAVRINA_SOURCE_DIR=${PROJECT_SOURCE_DIR};TAVRINA_BINARY_DIR=${PROJECT_BINARY_DIR}")
endfunction()

# tavrina_embed(<target> <data file> <symbol>)
#   Compiles a data file of the repository into the target as
#   `extern const std::string_view <symbol>`, so the program reads no file of
#   its own at run time.
function(tavrina_embed target file symbol)
  get_filename_component(name ${file} NAME_WE)
  set(output ${CMAKE_CURRENT_BINARY_DIR}/embedded_${name}.cpp)
  add_custom_command(OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -DINPUT=${file} -DOUTPUT=${output} -DSYMBOL=${symbol}
            -P ${PROJECT_SOURCE_DIR}/cmake/EmbedFile.cmake
    DEPENDS ${file} ${PROJECT_SOURCE_DIR}/cmake/EmbedFile.cmake
    VERBATIM)
  target_sources(${target} PRIVATE ${output})
endfunction()
