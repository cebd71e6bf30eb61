# What the Linux home links for GMime, SQLite and the HTML parser: their
# static archives where the system has every one needed, else the shared
# libraries pkg-config and find_library found.
#
# Every command, and every test case, is a process of its own. Loading and
# binding the twenty-odd shared libraries behind GMime, GLib and SQLite took
# 3 of the 6.5 ms that `skerrow stats` needs on an empty store on the
# machines measured; linked from archives, only libmount and libselinux
# (which Debian ships no archive of) are loaded. Debian's -dev packages ship
# the other archives; scripts/install-packages.sh adds GPGME's and
# libunistring's, which GMime's archive needs.
#
# The archives are listed in an order that resolves each one's needs from
# the ones after it; a program calling into all three libraries is linked
# at configure time, and any failure there keeps the shared libraries.
#
# Sets SKERROW_GMIME_LIBS, SKERROW_SQLITE_LIBS and SKERROW_MODEST_LIBS.

option(SKERROW_STATIC_ARCHIVES
  "Link GMime, GLib, SQLite and the HTML parser from their static archives where there are" ON)

set(SKERROW_GMIME_LIBS PkgConfig::GMIME)
set(SKERROW_SQLITE_LIBS PkgConfig::SQLITE)
set(SKERROW_MODEST_LIBS ${MODEST_LIBRARY})
if(NOT SKERROW_STATIC_ARCHIVES)
  return()
endif()

set(gmime_archives gmime-3.0 gpgme assuan gpg-error idn2 unistring gio-2.0 gobject-2.0
  gmodule-2.0 glib-2.0 ffi pcre2-8 z)
set(found)
foreach(name ${gmime_archives} sqlite3 modest)
  string(MAKE_C_IDENTIFIER "SKERROW_ARCHIVE_${name}" variable)
  find_library(${variable} NAMES lib${name}.a)
  if(NOT ${variable})
    message(STATUS "No static archive of ${name}: linking the shared libraries")
    return()
  endif()
  list(APPEND found ${${variable}})
  set(archive_${name} ${${variable}})
endforeach()
find_package(Threads REQUIRED)
# No archive of these: GLib's GIO needs them.
set(shared_tail mount selinux m dl Threads::Threads)

include(CheckCXXSourceCompiles)
set(CMAKE_REQUIRED_INCLUDES ${GMIME_INCLUDE_DIRS} ${SQLITE_INCLUDE_DIRS} ${MYHTML_INCLUDE_DIR})
set(CMAKE_REQUIRED_LIBRARIES ${found} ${shared_tail})
check_cxx_source_compiles([[
#include <gmime/gmime.h>
#include <myhtml/api.h>
#include <sqlite3.h>
int main() {
  g_mime_init();
  myhtml_t* html = myhtml_create();
  myhtml_destroy(html);
  return sqlite3_libversion_number() > 0 ? 0 : 1;
}]] SKERROW_STATIC_ARCHIVES_LINK)
unset(CMAKE_REQUIRED_INCLUDES)
unset(CMAKE_REQUIRED_LIBRARIES)
if(NOT SKERROW_STATIC_ARCHIVES_LINK)
  message(STATUS "The static archives do not link: linking the shared libraries")
  return()
endif()

set(gmime_links)
foreach(name ${gmime_archives})
  list(APPEND gmime_links ${archive_${name}})
endforeach()
add_library(skerrow_static_gmime INTERFACE)
target_include_directories(skerrow_static_gmime INTERFACE ${GMIME_INCLUDE_DIRS})
target_compile_options(skerrow_static_gmime INTERFACE ${GMIME_CFLAGS_OTHER})
target_link_libraries(skerrow_static_gmime INTERFACE ${gmime_links} ${shared_tail})
add_library(skerrow_static_sqlite INTERFACE)
target_include_directories(skerrow_static_sqlite INTERFACE ${SQLITE_INCLUDE_DIRS})
target_link_libraries(skerrow_static_sqlite INTERFACE ${archive_sqlite3} m dl Threads::Threads)

set(SKERROW_GMIME_LIBS skerrow_static_gmime)
set(SKERROW_SQLITE_LIBS skerrow_static_sqlite)
set(SKERROW_MODEST_LIBS ${archive_modest})
