# ostrel.exe and its tests, cross-compiled with mingw-w64 and run under Wine.
include(toolkit/sources.cmake)
include(components/win/sources.cmake)
include(components/files/sources.cmake)
include(components/image/sources.cmake)
include(components/net/sources.cmake)
include(schema/sources.cmake)

# Static: the program needs no DLL but the system's.
add_link_options(-static -static-libgcc -static-libstdc++)
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
set(OSTREL_WIN_LIBS comctl32 comdlg32 gdi32 user32 kernel32 ole32 oleaux32 shell32 uuid windowscodecs wininet shlwapi)
list(REMOVE_ITEM OSTREL_WIN_LIBS oleaux32)

set(OSTREL_ALL_SOURCES ${OSTREL_CORE_SOURCES} ${OSTREL_TEXT_WIN_SOURCES} ${OSTREL_TOOLKIT_SOURCES}
    ${OSTREL_WIN_SOURCES} ${OSTREL_FILES_SOURCES} ${OSTREL_IMAGE_SOURCES} ${OSTREL_NET_SOURCES}
    ${OSTREL_SCHEMA_SOURCES})
add_library(ostrel_lib STATIC ${OSTREL_ALL_SOURCES})
target_link_libraries(ostrel_lib PUBLIC ${OSTREL_WIN_LIBS})

add_executable(ostrel WIN32 runtime/main_win.cpp resources/ostrel.rc)
target_link_libraries(ostrel ostrel_lib)

# The program folder that scripts/run starts and the end-to-end tests copy.
set(OSTREL_PROGRAM_DIR ${CMAKE_BINARY_DIR}/../ostrel)
add_custom_command(TARGET ostrel POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E make_directory ${OSTREL_PROGRAM_DIR}
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:ostrel> ${OSTREL_PROGRAM_DIR}/)

set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# One test program per area; each is one ctest test run through Wine.
function(ostrel_test name)
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} ostrel_lib gtest_main gmock)
  add_test(NAME ${name} COMMAND ${name})
endfunction()

add_subdirectory(tests/core)
add_subdirectory(tests/text)
add_subdirectory(tests/nested)
add_subdirectory(tests/win)
add_subdirectory(tests/files)
add_subdirectory(tests/controls)
add_subdirectory(tests/image)
add_subdirectory(tests/net)
add_subdirectory(tests/e2e)

# Benchmarks that need Win32 are run under Wine by their script in bench/.
add_executable(http_bench bench/http_bench.cpp)
target_link_libraries(http_bench ostrel_lib)
