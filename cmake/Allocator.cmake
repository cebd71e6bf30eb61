# The command's allocator: mimalloc where the system has it, in place of
# glibc's malloc for the whole process (the library is loaded before the C
# library and takes over malloc and free, as it is made to).
#
# A command makes and frees some 20 MB of small blocks in a few milliseconds
# (the dictionary's tables, the address book, the folder listings): with
# glibc's allocator a fifth of a delivery's time went on malloc, free and
# the page faults of fresh heap, and mimalloc took 5 of the 38 ms of one
# delivery off on the machines measured. The sanitizers and the fuzzers
# bring allocators of their own: none there.
#
# Sets SKERROW_ALLOCATOR to what the command links first, or to nothing.

option(SKERROW_MIMALLOC "Link the command with mimalloc where the system has it" ON)

set(SKERROW_ALLOCATOR)
if(SKERROW_MIMALLOC AND NOT SKERROW_SANITIZE AND NOT SKERROW_FUZZERS)
  find_library(MIMALLOC_LIBRARY NAMES mimalloc)
  if(MIMALLOC_LIBRARY)
    set(SKERROW_ALLOCATOR ${MIMALLOC_LIBRARY})
  else()
    message(STATUS "No mimalloc: the command allocates with the C library's malloc")
  endif()
endif()
