# The installers, built with makensis from installer/Skerrow.nsi in the
# x86_64 build, where both add-ins are at hand:
#   SkerrowSetup64.exe  a 64-bit installer holding this build's 64-bit add-in;
#   SkerrowSetup.exe    the installer users download: a 32-bit program (it runs
#                       on every Windows) holding the 32-bit add-in of the
#                       i686 build and SkerrowSetup64.exe for 64-bit Outlook.
# Included by cmake/Windows.cmake; the installers are declared once the whole
# file has been read, so that the DLL's target exists whatever the order.
if(NOT CMAKE_SIZEOF_VOID_P EQUAL 8)
  return()
endif()

function(skerrow_declare_installers)
  if(NOT TARGET Tamsquill)
    message(STATUS "No installers: this build has no Tamsquill DLL")
    return()
  endif()
  find_program(SKERROW_MAKENSIS makensis REQUIRED)
  set(SKERROW_VERSION 1.3.3)
  set(SKERROW_I686_DLL ${CMAKE_BINARY_DIR}/../i686/Tamsquill.DLL CACHE FILEPATH
    "The 32-bit add-in that SkerrowSetup.exe carries (from the i686 build)")
  set(SKERROW_NSIS_SCRIPT ${CMAKE_SOURCE_DIR}/installer/Skerrow.nsi)
  set(SKERROW_SETUP64 ${CMAKE_BINARY_DIR}/SkerrowSetup64.exe)
  set(SKERROW_SETUP ${CMAKE_BINARY_DIR}/SkerrowSetup.exe)
  set(SKERROW_MAKENSIS_COMMAND ${SKERROW_MAKENSIS} -V2 -WX -DVERSION=${SKERROW_VERSION}
    -DCHM=${SKERROW_HELP_FILE})

  add_custom_command(OUTPUT ${SKERROW_SETUP64}
    COMMAND ${SKERROW_MAKENSIS_COMMAND} -DBITS=64 -DOUTFILE=${SKERROW_SETUP64}
            -DDLL=$<TARGET_FILE:Tamsquill> ${SKERROW_NSIS_SCRIPT}
    DEPENDS Tamsquill ${SKERROW_HELP_FILE} ${SKERROW_NSIS_SCRIPT}
    COMMENT "Building the installer SkerrowSetup64.exe"
    VERBATIM)
  set(SKERROW_INSTALLERS ${SKERROW_SETUP64})

  # The i686 build comes first in scripts/build-windows.sh; without it, only the
  # 64-bit installer can be made.
  if(EXISTS ${SKERROW_I686_DLL})
    add_custom_command(OUTPUT ${SKERROW_SETUP}
      COMMAND ${SKERROW_MAKENSIS_COMMAND} -DBITS=32 -DOUTFILE=${SKERROW_SETUP}
              -DDLL=${SKERROW_I686_DLL} -DSETUP64=${SKERROW_SETUP64} ${SKERROW_NSIS_SCRIPT}
      DEPENDS ${SKERROW_I686_DLL} ${SKERROW_SETUP64} ${SKERROW_HELP_FILE} ${SKERROW_NSIS_SCRIPT}
      COMMENT "Building the installer SkerrowSetup.exe"
      VERBATIM)
    list(APPEND SKERROW_INSTALLERS ${SKERROW_SETUP})
  else()
    message(STATUS "SkerrowSetup.exe needs the 32-bit add-in ${SKERROW_I686_DLL}: build "
      "build-windows/i686 first (scripts/build-windows.sh does)")
  endif()
  add_custom_target(skerrow_installers ALL DEPENDS ${SKERROW_INSTALLERS})

  if(SKERROW_WINDOWS_TESTS)
    # Installs, checks and removes the 64-bit add-in under wine64 in a prefix of
    # its own, and checks the 32-bit installer statically (it cannot run here).
    add_test(NAME installer COMMAND ${CMAKE_SOURCE_DIR}/installer/tests/install-and-remove.sh
      ${CMAKE_BINARY_DIR}/installer-prefix ${SKERROW_SETUP64} $<TARGET_FILE:Tamsquill>
      ${SKERROW_HELP_FILE} ${SKERROW_SETUP})
    set_tests_properties(installer PROPERTIES TIMEOUT 600)
  endif()
endfunction()
cmake_language(DEFER CALL skerrow_declare_installers)
