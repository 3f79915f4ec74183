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
set(OSTREL_WIN_LIBS comctl32 gdi32 user32 kernel32 ole32 uuid windowscodecs shlwapi)
# What only a click or an update needs (the colour chooser, the recycle bin,
# WinINet, the signature check) is loaded at its first call instead of at every start: with the
# libraries they bring that is nine DLLs less to load, and about 7 MiB less
# working set. The import libraries come from cmake/delayed/*.def, which name
# every function of those DLLs that the program calls; a call missing there
# fails to link.
find_program(OSTREL_DLLTOOL NAMES ${CMAKE_DLLTOOL} x86_64-w64-mingw32-dlltool REQUIRED)
foreach(dll bcrypt comdlg32 shell32 wininet)
  set(def ${CMAKE_SOURCE_DIR}/cmake/delayed/${dll}.def)
  set(library ${CMAKE_BINARY_DIR}/delayed/lib${dll}.a)
  file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/delayed)
  execute_process(COMMAND ${OSTREL_DLLTOOL} --input-def ${def} --dllname ${dll}.dll --output-delaylib ${library}
                  COMMAND_ERROR_IS_FATAL ANY)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${def})
  list(APPEND OSTREL_WIN_LIBS ${library})
endforeach()

set(OSTREL_ALL_SOURCES ${OSTREL_CORE_SOURCES} ${OSTREL_TEXT_WIN_SOURCES} ${OSTREL_TOOLKIT_SOURCES}
    ${OSTREL_WIN_SOURCES} ${OSTREL_FILES_SOURCES} ${OSTREL_IMAGE_SOURCES} ${OSTREL_NET_SOURCES}
    ${OSTREL_SCHEMA_SOURCES})
add_library(ostrel_lib STATIC ${OSTREL_ALL_SOURCES})
target_link_libraries(ostrel_lib PUBLIC ${OSTREL_WIN_LIBS})
# BSZIP.dll's import library (bszip/): its four operations imported by name;
# and the library's own code for the start-up recovery and the names in the
# program's messages.
target_link_libraries(ostrel_lib PUBLIC bszip bszip_core)

# The update server: "Обновить" fetches from http://<host>/Dalvoro/Ostrel/...
set(OSTREL_UPDATE_HOST "ostrel.dalvoro-tools.ru" CACHE STRING "Ostrel's update server")
set_source_files_properties(schema/update_flow.cpp PROPERTIES
  COMPILE_DEFINITIONS "OSTREL_UPDATE_HOST=\"${OSTREL_UPDATE_HOST}\"")

# The publisher's key (the line "ostrel-publish new-key" prints): when set,
# an update is installed only with a good signature of that key. Empty: the
# update is installed as the server sends it.
set(OSTREL_UPDATE_KEY "" CACHE STRING "Publisher's key that updates must be signed with")
file(STRINGS ${CMAKE_SOURCE_DIR}/tests/keys/test-update-key.pub OSTREL_TEST_UPDATE_KEY LIMIT_COUNT 1)
string(LENGTH "${OSTREL_UPDATE_KEY}" OSTREL_UPDATE_KEY_LENGTH)
if(NOT OSTREL_UPDATE_KEY STREQUAL "" AND
   (NOT OSTREL_UPDATE_KEY MATCHES "^ecdsa-p256:[0-9a-f]+$" OR NOT OSTREL_UPDATE_KEY_LENGTH EQUAL 139))
  message(FATAL_ERROR "OSTREL_UPDATE_KEY: not a key line (\"ecdsa-p256:\" and 128 hexadecimal digits)")
endif()
# The tests' key pair is public, in the repository: no release may trust it.
if(OSTREL_UPDATE_KEY STREQUAL OSTREL_TEST_UPDATE_KEY)
  message(FATAL_ERROR "OSTREL_UPDATE_KEY: the key of tests/keys is for the tests only")
endif()
function(ostrel_update_key name key)
  add_library(${name} OBJECT schema/update_key.cpp)
  target_compile_definitions(${name} PRIVATE OSTREL_UPDATE_KEY="${key}")
endfunction()
ostrel_update_key(ostrel_release_key "${OSTREL_UPDATE_KEY}")
ostrel_update_key(ostrel_test_key "${OSTREL_TEST_UPDATE_KEY}")
# Every program that links the library gets the release key, unless it
# links another key's object first (see ostrel-test-key below).
add_library(ostrel_key STATIC $<TARGET_OBJECTS:ostrel_release_key>)
target_link_libraries(ostrel_lib PUBLIC ostrel_key)

# The address shown as the download site in the about text.
set(OSTREL_HOME_PAGE "http://ostrel.dalvoro-tools.ru/" CACHE STRING "Ostrel's home page")
set(OSTREL_HELP_DIR ${CMAKE_BINARY_DIR}/resources)
set(OSTREL_HELP_TEXTS ${OSTREL_HELP_DIR}/str1.bin ${OSTREL_HELP_DIR}/str2.bin
    ${OSTREL_HELP_DIR}/str3.bin ${OSTREL_HELP_DIR}/str4.bin)
add_custom_command(OUTPUT ${OSTREL_HELP_TEXTS}
  COMMAND python3 ${CMAKE_SOURCE_DIR}/resources/help_texts.py ${OSTREL_HELP_DIR} ${OSTREL_HOME_PAGE}
  DEPENDS ${CMAKE_SOURCE_DIR}/resources/help_texts.py)
set_source_files_properties(resources/ostrel.rc PROPERTIES OBJECT_DEPENDS "${OSTREL_HELP_TEXTS}")

add_executable(ostrel WIN32 runtime/main_win.cpp resources/ostrel.rc)
target_include_directories(ostrel PRIVATE ${OSTREL_HELP_DIR})
target_link_libraries(ostrel ostrel_lib)
# ostrel.exe imports BSZIP.dll even before the schema's ArchiveUnzip pulls in
# the zipper.
target_link_options(ostrel PRIVATE -Wl,--undefined=BszipLibrary)

# The program folder that scripts/run starts and a user copies to Windows:
# each binary goes there stripped, while the build tree (which the tests use)
# keeps its debug information.
set(OSTREL_PROGRAM_DIR ${CMAKE_BINARY_DIR}/../ostrel)
function(ostrel_program_file target)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E make_directory ${OSTREL_PROGRAM_DIR}
    COMMAND ${CMAKE_STRIP} --strip-all -o ${OSTREL_PROGRAM_DIR}/$<TARGET_FILE_NAME:${target}>
            $<TARGET_FILE:${target}>)
endfunction()
ostrel_program_file(ostrel)
# The same program trusting the tests' key, for the tests only: it stays in
# the build tree and never goes into the program folder.
add_executable(ostrel-test-key WIN32 runtime/main_win.cpp resources/ostrel.rc $<TARGET_OBJECTS:ostrel_test_key>)
target_include_directories(ostrel-test-key PRIVATE ${OSTREL_HELP_DIR})
target_link_libraries(ostrel-test-key ostrel_lib)
target_link_options(ostrel-test-key PRIVATE -Wl,--undefined=BszipLibrary)
add_subdirectory(batch)

set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# One test program per area; each is one ctest test run through Wine.
function(ostrel_test name)
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} ostrel_lib gtest_main gmock)
  add_test(NAME ${name} COMMAND ${name})
  # A test that imports BSZIP.dll finds it beside itself.
  add_custom_command(TARGET ${name} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:bszip> $<TARGET_FILE_DIR:${name}>)
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
add_subdirectory(tests/schema)
add_subdirectory(bench/win)
add_subdirectory(tests/zip)
add_subdirectory(tests/sign)

# Benchmarks that need Win32 are run under Wine by their script in bench/.
add_executable(http_bench bench/http_bench.cpp)
target_link_libraries(http_bench ostrel_lib)
