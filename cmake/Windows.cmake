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

# The help file beside the DLL, and its checks.
include(cmake/Help.cmake)

enable_testing()
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


# Scenarios through the add-in's DLL, with the stand-in playing the client.
skerrow_windows_tests(com skerrow_outlook_facade)
if(TARGET com_tests AND TARGET Tamsquill)
  add_dependencies(com_tests Tamsquill)
  target_compile_definitions(com_tests PRIVATE SKERROW_DLL_PATH="$<TARGET_FILE:Tamsquill>")
endif()
