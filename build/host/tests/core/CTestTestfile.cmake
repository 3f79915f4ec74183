# CMake generated Testfile for 
# Source directory: /work/main/tests/core
# Build directory: /work/main/build/host/tests/core
# 
# This file includes the relevant testing commands required for 
# testing this directory and lists subdirectories to be tested as well.
add_test([=[core_tests]=] "/work/main/build/host/tests/core/core_tests")
set_tests_properties([=[core_tests]=] PROPERTIES  _BACKTRACE_TRIPLES "/work/main/cmake/host.cmake;19;add_test;/work/main/tests/core/CMakeLists.txt;1;ostrel_test;/work/main/tests/core/CMakeLists.txt;0;")
