# skerrow_library(NAME SOURCES <globs...> [EXCLUDE <files...>] DEPS <targets...>
#                  [INCLUDES <dirs...>])
# A static library of the files the globs find; an interface library while a
# folder has no sources yet, so that dependants link either way.
function(skerrow_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;EXCLUDE;DEPS;INCLUDES" ${ARGN})
  set(globs)
  foreach(pattern ${ARG_SOURCES})
    list(APPEND globs ${CMAKE_SOURCE_DIR}/${pattern})
  endforeach()
  file(GLOB sources CONFIGURE_DEPENDS ${globs})
  list(FILTER sources EXCLUDE REGEX "_test\\.cpp$")
  foreach(excluded ${ARG_EXCLUDE})
    list(REMOVE_ITEM sources ${CMAKE_SOURCE_DIR}/${excluded})
  endforeach()
  if(sources)
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR} ${ARG_INCLUDES})
    target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${CMAKE_SOURCE_DIR} ${ARG_INCLUDES})
    target_link_libraries(${name} INTERFACE ${ARG_DEPS})
  endif()
endfunction()

# skerrow_tests(AREA LIBS...): one test program per area from
# tests/AREA/*_test.cpp, linked with the area's libraries only (so that work
# in progress elsewhere does not stop it building), run by ctest case by case.
function(skerrow_tests area)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/${area}/*_test.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(${area}_tests ${sources})
  target_link_libraries(${area}_tests PRIVATE ${ARGN} skerrow_testsupport
    GTest::gtest GTest::gtest_main)
  target_compile_definitions(${area}_tests PRIVATE SKERROW_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  if(area STREQUAL "cli" AND TARGET skerrow)
    # End-to-end tests drive the built command.
    target_compile_definitions(${area}_tests PRIVATE SKERROW_BINARY="$<TARGET_FILE:skerrow>")
    add_dependencies(${area}_tests skerrow)
  endif()
  # Cases are named by their suites (the parameters' bytes would say nothing).
  gtest_discover_tests(${area}_tests DISCOVERY_TIMEOUT 60 NO_PRETTY_VALUES PROPERTIES TIMEOUT 120)
endfunction()
