# The command's C++ runtime: linked into the program where the compiler can
# (GCC's and Clang's -static-libstdc++ and -static-libgcc), rather than
# loaded as libstdc++.so at every start. Binding a C++ program's thousands
# of symbols to the shared runtime took some 0.7 ms of each command's start
# on the machines measured, a fortieth of a delivery. The sanitizer and
# fuzzer builds keep the shared runtime their own libraries expect.
#
# Sets SKERROW_CXX_RUNTIME_LINK to the link options, or to nothing.

option(SKERROW_STATIC_CXX_RUNTIME "Link the command's C++ runtime into it where the compiler can" ON)

set(SKERROW_CXX_RUNTIME_LINK)
if(SKERROW_STATIC_CXX_RUNTIME AND NOT SKERROW_SANITIZE AND NOT SKERROW_FUZZERS)
  include(CheckLinkerFlag)
  check_linker_flag(CXX "-static-libstdc++;-static-libgcc" SKERROW_LINKS_STATIC_CXX_RUNTIME)
  if(SKERROW_LINKS_STATIC_CXX_RUNTIME)
    set(SKERROW_CXX_RUNTIME_LINK -static-libstdc++ -static-libgcc)
  endif()
endif()
