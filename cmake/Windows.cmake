# The Windows home: Tamsquill.DLL, the in-process COM add-in that Outlook
# loads, cross-built with mingw-w64 (see cmake/toolchains/). Included by the
# top-level CMakeLists.txt after the core libraries when building for Windows.
#
# Everything links statically (the C and C++ runtimes included), so that the
# DLL imports system DLLs only.

option(SKERROW_WINDOWS_TESTS "Build the Windows tests (run under wine64 where it can run them)" ON)

enable_language(RC)
add_link_options(-static -static-libgcc -static-libstdc++)
set(SKERROW_WIN32_SYSTEM_LIBS ole32 oleaut32 uuid advapi32 user32 gdi32 shell32 comctl32)

# The type library: widl needs stdole2.tlb, which the toolchain does not ship.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(SKERROW_WIDL_TARGET --win64)
else()
  set(SKERROW_WIDL_TARGET --win32)
endif()
set(SKERROW_TLB_DIR ${CMAKE_BINARY_DIR}/typelib)
file(MAKE_DIRECTORY ${SKERROW_TLB_DIR})
add_custom_command(OUTPUT ${SKERROW_TLB_DIR}/stdole2.tlb
  COMMAND ${SKERROW_WIDL} ${SKERROW_WIDL_TARGET} -t -I ${CMAKE_SOURCE_DIR}/com/idl
          -o ${SKERROW_TLB_DIR}/stdole2.tlb ${CMAKE_SOURCE_DIR}/com/idl/stdole2.idl
  DEPENDS ${CMAKE_SOURCE_DIR}/com/idl/stdole2.idl ${CMAKE_SOURCE_DIR}/com/idl/Prelude.idl
  VERBATIM)
add_custom_command(OUTPUT ${SKERROW_TLB_DIR}/Tamsquill.tlb
  COMMAND ${SKERROW_WIDL} ${SKERROW_WIDL_TARGET} -t -I ${CMAKE_SOURCE_DIR}/com/idl
          -L ${SKERROW_TLB_DIR} -o ${SKERROW_TLB_DIR}/Tamsquill.tlb
          ${CMAKE_SOURCE_DIR}/com/idl/Tamsquill.idl
  DEPENDS ${CMAKE_SOURCE_DIR}/com/idl/Tamsquill.idl ${SKERROW_TLB_DIR}/stdole2.tlb
  VERBATIM)
add_custom_target(skerrow_typelib ALL DEPENDS ${SKERROW_TLB_DIR}/Tamsquill.tlb)

# The Windows platform (Win32 services, MSHTML) and the mail host over
# Outlook's object model (IDispatch late binding, connection points).
skerrow_library(skerrow_win32 SOURCES platform/win32/*.cpp
  DEPS skerrow_foundation ${SKERROW_WIN32_SYSTEM_LIBS})
skerrow_library(skerrow_outlook SOURCES host/outlook/*.cpp
  DEPS skerrow_foundation ${SKERROW_WIN32_SYSTEM_LIBS})

# Build tools that run on the build machine: the pictures of the buttons and
# icons, and the dialog resources from the options' dialog table.
find_program(SKERROW_HOST_CXX NAMES c++ g++ REQUIRED NO_CMAKE_FIND_ROOT_PATH)
set(SKERROW_GENERATED_RESOURCES ${CMAKE_BINARY_DIR}/resources)
file(MAKE_DIRECTORY ${SKERROW_GENERATED_RESOURCES})
add_custom_command(OUTPUT ${SKERROW_GENERATED_RESOURCES}/DrawImages
  COMMAND ${SKERROW_HOST_CXX} -std=c++20 -O1 -o ${SKERROW_GENERATED_RESOURCES}/DrawImages
          ${CMAKE_SOURCE_DIR}/resources/tools/DrawImages.cpp
  DEPENDS ${CMAKE_SOURCE_DIR}/resources/tools/DrawImages.cpp VERBATIM)
set(SKERROW_IMAGES ToSpam.bmp ToInbox.bmp Mark.bmp Unmark.bmp Help.bmp PropPage.bmp
  SpamFilterRules.ico ValidationRules.ico OperationRules.ico Notification.ico)
list(TRANSFORM SKERROW_IMAGES PREPEND ${SKERROW_GENERATED_RESOURCES}/)
add_custom_command(OUTPUT ${SKERROW_IMAGES}
  COMMAND ${SKERROW_GENERATED_RESOURCES}/DrawImages ${SKERROW_GENERATED_RESOURCES}
  DEPENDS ${SKERROW_GENERATED_RESOURCES}/DrawImages VERBATIM)
set(SKERROW_DIALOG_TABLE ${CMAKE_SOURCE_DIR}/options/DialogResources.cpp
  ${CMAKE_SOURCE_DIR}/options/DialogResourceScript.cpp)
add_custom_command(OUTPUT ${SKERROW_GENERATED_RESOURCES}/WriteDialogScript
  COMMAND ${SKERROW_HOST_CXX} -std=c++20 -O1 -I ${CMAKE_SOURCE_DIR}
          -o ${SKERROW_GENERATED_RESOURCES}/WriteDialogScript
          ${CMAKE_SOURCE_DIR}/resources/tools/WriteDialogScript.cpp ${SKERROW_DIALOG_TABLE}
  DEPENDS ${CMAKE_SOURCE_DIR}/resources/tools/WriteDialogScript.cpp ${SKERROW_DIALOG_TABLE}
          ${CMAKE_SOURCE_DIR}/options/DialogResources.h
          ${CMAKE_SOURCE_DIR}/options/DialogResourceScript.h
  VERBATIM)
add_custom_command(OUTPUT ${SKERROW_GENERATED_RESOURCES}/Dialogs.rc
  COMMAND ${SKERROW_GENERATED_RESOURCES}/WriteDialogScript ${SKERROW_GENERATED_RESOURCES}/Dialogs.rc
  DEPENDS ${SKERROW_GENERATED_RESOURCES}/WriteDialogScript VERBATIM)
add_custom_target(skerrow_resources DEPENDS ${SKERROW_IMAGES}
  ${SKERROW_GENERATED_RESOURCES}/Dialogs.rc ${SKERROW_TLB_DIR}/Tamsquill.tlb)

# The COM server: everything but the entry points in a library, so that tests
# can use its pieces in process; the DLL adds the exports and the resources.
skerrow_library(skerrow_com SOURCES com/*.cpp EXCLUDE com/Exports.cpp
  DEPS skerrow_addin skerrow_win32 skerrow_outlook ${SKERROW_WIN32_SYSTEM_LIBS})
add_library(Tamsquill SHARED com/Exports.cpp com/Tamsquill.def resources/Tamsquill.rc)
target_link_libraries(Tamsquill PRIVATE skerrow_com)
# Undecorated exports from the .def file; symbols stripped from release builds.
target_link_options(Tamsquill PRIVATE -Wl,--enable-stdcall-fixup $<$<CONFIG:Release,MinSizeRel>:-s>)
set_target_properties(Tamsquill PROPERTIES PREFIX "" OUTPUT_NAME Tamsquill SUFFIX .DLL
  RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
target_include_directories(Tamsquill PRIVATE ${CMAKE_SOURCE_DIR})
add_dependencies(Tamsquill skerrow_resources)
set_source_files_properties(${CMAKE_SOURCE_DIR}/resources/Tamsquill.rc PROPERTIES
  OBJECT_DEPENDS "${SKERROW_IMAGES};${SKERROW_GENERATED_RESOURCES}/Dialogs.rc;${SKERROW_TLB_DIR}/Tamsquill.tlb")
target_compile_options(Tamsquill PRIVATE
  $<$<COMPILE_LANGUAGE:RC>:-I${SKERROW_GENERATED_RESOURCES} -I${SKERROW_TLB_DIR} -I${CMAKE_SOURCE_DIR}>)

# The help file beside the DLL, the installers, and their checks.
include(cmake/Help.cmake)
include(cmake/Installer.cmake)

enable_testing()
# The gate of every build: the DLL's format, its four exports by name and
# imports of system DLLs only.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(SKERROW_PE_FORMAT pei-x86-64)
else()
  set(SKERROW_PE_FORMAT pei-i386)
endif()
add_test(NAME dll_gate COMMAND ${CMAKE_SOURCE_DIR}/scripts/check-dll.sh
  ${CMAKE_OBJDUMP} ${SKERROW_PE_FORMAT} $<TARGET_FILE:Tamsquill>)

if(NOT SKERROW_WINDOWS_TESTS)
  return()
endif()

# GoogleTest from the sources Debian ships, built with the cross compiler.
set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)

# skerrow_windows_tests(AREA LIBS...): one test program from
# tests/AREA/*_test.cpp. It runs under wine64 in the build's own Wine prefix
# (scripts/wine-test.sh), as one ctest test per program; the programs share
# the prefix's registry, so they run one at a time. A 32-bit build cannot run
# here at all: its programs are built but not run.
function(skerrow_windows_tests area)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/${area}/*.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(${area}_tests ${sources})
  target_link_libraries(${area}_tests PRIVATE ${ARGN} GTest::gtest GTest::gtest_main
    ${SKERROW_WIN32_SYSTEM_LIBS})
  target_include_directories(${area}_tests PRIVATE ${CMAKE_SOURCE_DIR})
  target_compile_definitions(${area}_tests PRIVATE SKERROW_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    add_test(NAME ${area} COMMAND ${CMAKE_SOURCE_DIR}/scripts/wine-test.sh
      ${CMAKE_BINARY_DIR}/wineprefix $<TARGET_FILE:${area}_tests>)
    set_tests_properties(${area} PROPERTIES RESOURCE_LOCK wineprefix TIMEOUT 600)
  endif()
endfunction()

# A test stand-in for Outlook: its object model as IDispatch objects over the
# in-memory store, with connection points for the events.
skerrow_library(skerrow_outlook_facade SOURCES tests/outlookfacade/*.cpp
  DEPS skerrow_memstore ${SKERROW_WIN32_SYSTEM_LIBS})

skerrow_windows_tests(win32 skerrow_win32)
skerrow_windows_tests(outlook skerrow_outlook skerrow_outlook_facade)


# Tests through the built DLL: registration, class factories, the type
# library, and the add-in driven by a stand-in for Outlook.
skerrow_windows_tests(com skerrow_com skerrow_outlook_facade)
if(TARGET com_tests)
  add_dependencies(com_tests Tamsquill)
  target_compile_definitions(com_tests PRIVATE SKERROW_DLL_PATH="$<TARGET_FILE:Tamsquill>")
endif()
