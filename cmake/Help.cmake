# The help file, Skerrow.chm, compiled from the pages in help/ and written
# beside Tamsquill.DLL, where the add-in's Help commands open it. The same
# pages are the project's user documentation. Included by cmake/Windows.cmake.

find_program(SKERROW_CHMCMD chmcmd REQUIRED)
find_program(SKERROW_CHMLS chmls REQUIRED)

set(SKERROW_HELP_FILE ${CMAKE_BINARY_DIR}/Skerrow.chm)
file(GLOB SKERROW_HELP_SOURCES CONFIGURE_DEPENDS
  ${CMAKE_SOURCE_DIR}/help/*.htm ${CMAKE_SOURCE_DIR}/help/*.css ${CMAKE_SOURCE_DIR}/help/Skerrow.hh?)
add_custom_command(OUTPUT ${SKERROW_HELP_FILE}
  COMMAND ${CMAKE_COMMAND} -E env CHMCMD=${SKERROW_CHMCMD}
          ${CMAKE_SOURCE_DIR}/help/compile-chm.sh ${SKERROW_HELP_FILE} ${CMAKE_BINARY_DIR}/help
  DEPENDS ${SKERROW_HELP_SOURCES} ${CMAKE_SOURCE_DIR}/help/compile-chm.sh
  COMMENT "Compiling the help file Skerrow.chm"
  VERBATIM)
add_custom_target(skerrow_help ALL DEPENDS ${SKERROW_HELP_FILE})

if(NOT SKERROW_WINDOWS_TESTS)
  return()
endif()

enable_testing()
add_test(NAME help_file
  COMMAND ${CMAKE_COMMAND} -E env CHMLS=${SKERROW_CHMLS}
          ${CMAKE_SOURCE_DIR}/help/tests/check-chm.sh ${SKERROW_HELP_FILE} ${CMAKE_SOURCE_DIR}/help)

# The pages against the dialog texts and report marks the DLL shows. GoogleTest
# is declared further down cmake/Windows.cmake, so the program is declared
# once the whole file has been read.
function(skerrow_help_pages_tests)
  add_executable(help_tests ${CMAKE_SOURCE_DIR}/help/tests/HelpPages_test.cpp)
  target_link_libraries(help_tests PRIVATE skerrow_optionspage GTest::gtest GTest::gtest_main
    ${SKERROW_WIN32_SYSTEM_LIBS})
  target_compile_definitions(help_tests PRIVATE SKERROW_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    add_test(NAME help_pages COMMAND ${CMAKE_SOURCE_DIR}/scripts/wine-test.sh
      ${CMAKE_BINARY_DIR}/wineprefix $<TARGET_FILE:help_tests>)
    set_tests_properties(help_pages PROPERTIES RESOURCE_LOCK wineprefix TIMEOUT 600)
  endif()
endfunction()
cmake_language(DEFER CALL skerrow_help_pages_tests)
