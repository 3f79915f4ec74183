# Linux build of the platform-neutral core: tests under sanitizers and the
# benchmarks (built without sanitizers) with g++, the fuzz target with clang.
find_package(GTest REQUIRED)
find_package(Threads REQUIRED)

set(OSTREL_SANITIZE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)

set(OSTREL_HOST_SOURCES ${OSTREL_CORE_SOURCES} ${OSTREL_TEXT_HOST_SOURCES} ${OSTREL_NESTED_HOST_SOURCES}
    toolkit/system_host.cpp)
list(TRANSFORM OSTREL_HOST_SOURCES PREPEND ${CMAKE_SOURCE_DIR}/)

add_library(ostrel_core STATIC ${OSTREL_HOST_SOURCES})
target_compile_options(ostrel_core PUBLIC ${OSTREL_SANITIZE})
target_link_options(ostrel_core PUBLIC ${OSTREL_SANITIZE})

# One test program per area; each is one ctest test.
function(ostrel_test name)
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} ostrel_core GTest::gtest_main GTest::gmock)
  add_test(NAME ${name} COMMAND ${name})
endfunction()

if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  add_library(ostrel_core_fuzz STATIC ${OSTREL_HOST_SOURCES})
  target_compile_options(ostrel_core_fuzz PUBLIC -fsanitize=fuzzer-no-link,address,undefined)
  add_subdirectory(tests/fuzz)
  return()
endif()

find_package(benchmark REQUIRED)
add_library(ostrel_core_fast STATIC ${OSTREL_HOST_SOURCES})
target_compile_options(ostrel_core_fast PUBLIC -O2 -DNDEBUG)

function(ostrel_bench name)
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} ostrel_core_fast benchmark::benchmark Threads::Threads)
endfunction()

add_subdirectory(tests/core)
add_subdirectory(tests/text)
add_subdirectory(tests/nested)
add_subdirectory(tests/zip)
add_subdirectory(bench)
add_subdirectory(batch)
add_subdirectory(publish)
add_subdirectory(tests/sign)
