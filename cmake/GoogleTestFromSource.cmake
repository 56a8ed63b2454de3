# GoogleTest built from its sources with the project's own compiler, for Windows builds made
# here with mingw-w64 (Debian ships GoogleTest's sources in the googletest package, but no
# Windows build of it). Defines the static library `gtest`, with gtest_main in it.
set(GOOGLETEST_SOURCE /usr/src/googletest/googletest CACHE PATH "GoogleTest's sources (Debian's googletest package)")
if(NOT TARGET gtest)
    add_library(gtest STATIC ${GOOGLETEST_SOURCE}/src/gtest-all.cc ${GOOGLETEST_SOURCE}/src/gtest_main.cc)
    target_include_directories(gtest SYSTEM PUBLIC ${GOOGLETEST_SOURCE}/include PRIVATE ${GOOGLETEST_SOURCE})
endif()
