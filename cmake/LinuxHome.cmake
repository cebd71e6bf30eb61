# The command's home on a Linux desktop: the manual page built from the
# command's own help texts, bash completion, the user unit of the watch
# service, and where `cmake --install` puts each. Included by CMakeLists.txt
# once the command is declared.
include(GNUInstallDirs)

add_executable(skerrow_manual ${CMAKE_SOURCE_DIR}/cli/manual/GenerateManual.cpp)
target_link_libraries(skerrow_manual PRIVATE skerrow_cli)
set(SKERROW_MANUAL_PAGE ${CMAKE_BINARY_DIR}/skerrow.1)
add_custom_command(OUTPUT ${SKERROW_MANUAL_PAGE}
  COMMAND skerrow_manual ${SKERROW_MANUAL_PAGE}
  DEPENDS skerrow_manual
  COMMENT "Writing the manual page skerrow.1 from the help texts"
  VERBATIM)
add_custom_target(skerrow_manpage ALL DEPENDS ${SKERROW_MANUAL_PAGE})

install(TARGETS skerrow RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${SKERROW_MANUAL_PAGE} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_SOURCE_DIR}/dist/bash-completion/skerrow
  DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)
# The unit names the installed command, so it is written at install time,
# when the prefix (`cmake --install build --prefix ~/.local`) is known.
# PREFIX/share/systemd/user is on the user manager's search path for the
# prefixes ~/.local, /usr/local and /usr alike.
install(CODE "
  set(SKERROW_BINDIR \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
  configure_file(\"${CMAKE_SOURCE_DIR}/dist/skerrow-watch.service.in\"
    \"${CMAKE_BINARY_DIR}/install/skerrow-watch.service\" @ONLY)
  file(INSTALL \"${CMAKE_BINARY_DIR}/install/skerrow-watch.service\"
    DESTINATION \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/systemd/user\")
")

# The end-to-end tests look at the page and install the whole into scratch
# prefixes; their program is declared once CMakeLists.txt has been read.
function(skerrow_linux_home_tests)
  if(NOT TARGET cli_tests)
    return()
  endif()
  target_compile_definitions(cli_tests PRIVATE
    SKERROW_MANUAL_PAGE="${SKERROW_MANUAL_PAGE}"
    SKERROW_BUILD_DIR="${CMAKE_BINARY_DIR}"
    SKERROW_CMAKE="${CMAKE_COMMAND}")
  add_dependencies(cli_tests skerrow_manpage)
endfunction()
cmake_language(DEFER CALL skerrow_linux_home_tests)
