# Pluvik.dll called as the Java client calls it: included by tests/wine for
# the 32-bit library and by tests/win64 for the 64-bit one, the same sources
# built for each width. The tests load the library the tree built, by its
# file name from the dist directory, and its natives by their exported names.
set(pluvik_tests ${CMAKE_CURRENT_LIST_DIR})
string(REPLACE "/" "\\\\" pluvik_dir "Z:${VONDRA_DIST_DIR}")
add_library(javaclient STATIC ${pluvik_tests}/javaclient.cpp)
target_include_directories(javaclient PUBLIC ${pluvik_tests} ${CMAKE_SOURCE_DIR}/rtflib ${JNI_INCLUDE_DIR})
target_compile_definitions(javaclient PUBLIC "PLUVIK_DIR=\"${pluvik_dir}\"" "PLUVIK_DLL=\"$<TARGET_FILE_NAME:Pluvik>\"")
add_executable(javaclient_exe ${pluvik_tests}/javaclient_main.cpp)
set_target_properties(javaclient_exe PROPERTIES OUTPUT_NAME javaclient)
target_link_libraries(javaclient_exe PRIVATE javaclient winspool)
add_executable(cliptool ${pluvik_tests}/cliptool.cpp)
target_link_libraries(cliptool PRIVATE drive)

string(REPLACE "/" "\\\\" cliptool_path "Z:${CMAKE_CURRENT_BINARY_DIR}/cliptool.exe")
add_executable(pluvik_clip_tests ${pluvik_tests}/test_pluvik_clipboard.cpp)
target_link_libraries(pluvik_clip_tests PRIVATE javaclient drive gtest_main)
target_compile_definitions(pluvik_clip_tests PRIVATE "CLIPTOOL_EXE=\"${cliptool_path}\"")
add_dependencies(pluvik_clip_tests Pluvik cliptool)
gtest_add_tests(TARGET pluvik_clip_tests TEST_LIST pluvik_clip_list)
# One clipboard for the whole display; the WordPad paste is a window on it.
set_tests_properties(${pluvik_clip_list} PROPERTIES RESOURCE_LOCK "clipboard;display")

set(ports_dir ${CMAKE_CURRENT_BINARY_DIR}/ports)
string(REPLACE "/" "\\\\" ports_path "Z:${ports_dir}")
string(REPLACE "/" "\\\\" javaclient_path "Z:${CMAKE_CURRENT_BINARY_DIR}/javaclient.exe")
add_executable(pluvik_print_tests ${pluvik_tests}/test_pluvik_print.cpp)
target_link_libraries(pluvik_print_tests PRIVATE javaclient drive winspool gtest_main)
target_compile_definitions(pluvik_print_tests PRIVATE
    "PORTS_DIR=\"${ports_path}\"" "JAVACLIENT_EXE=\"${javaclient_path}\"")
add_dependencies(pluvik_print_tests Pluvik javaclient_exe)
gtest_add_tests(TARGET pluvik_print_tests TEST_LIST pluvik_print_list)
add_test(NAME pluvik_ports COMMAND sh ${pluvik_tests}/pluvik_ports.sh ${ports_dir})
set_tests_properties(pluvik_ports PROPERTIES FIXTURES_SETUP pluvik_ports)
# Printers and the default printer live in the prefix's registry.
set_tests_properties(${pluvik_print_list} PROPERTIES RESOURCE_LOCK registry FIXTURES_REQUIRED pluvik_ports)
