# Cross build of the shipped 32-bit add-in with mingw-w64, posix thread model
# (the plain compiler names point to the win32 model, which has no std::thread
# or std::mutex).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(SKERROW_MINGW_TRIPLET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
