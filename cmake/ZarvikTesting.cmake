# GoogleTest is built from the sources Debian's googletest package installs,
# with the same compiler as the code under test (the cross compiler for win32).
set(ZARVIK_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
add_subdirectory(${ZARVIK_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

set(ZARVIK_UNDER_WINE OFF)
if(WIN32 AND CMAKE_CROSSCOMPILING)
  set(ZARVIK_UNDER_WINE ON)
  # Windows test programs run under Wine through one wrapper. A ctest fixture
  # starts the bench (virtual display, prefix, one persistent wineserver)
  # before the first of them and takes it down after the last.
  set(ZARVIK_WINE_BENCH ${CMAKE_BINARY_DIR}/wine)
  set(ZARVIK_WINE_RUN ${CMAKE_SOURCE_DIR}/cmake/wine-run.sh)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${ZARVIK_WINE_RUN} ${ZARVIK_WINE_BENCH})
endif()

# zarvik_add_test(NAME SOURCES src... [LIBS lib...] [HELPERS target...])
# One executable, registered with ctest as one test: starting Wine once per
# GoogleTest case would cost far more than the cases themselves. HELPERS are
# programs the test starts; they are built before it and sit beside it.
function(zarvik_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;HELPERS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} zarvik_options GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
  if(ARG_HELPERS)
    add_dependencies(${name} ${ARG_HELPERS})
  endif()
  add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
  if(ZARVIK_UNDER_WINE)
    set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine_bench)
  endif()
endfunction()

# A small Windows program that a test starts as a child.
function(zarvik_add_helper name)
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE zarvik_options)
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
endfunction()
