# The Windows libraries and programs of the suite.

add_library(params STATIC
    params/entry.cpp
    params/fonts.cpp
    params/printers.cpp
    params/icons.cpp
    params/iconpick.cpp)
target_link_libraries(params PUBLIC vondra_portable comdlg32)

add_library(installcore STATIC
    installcore/state.cpp
    installcore/files.cpp
    installcore/registry.cpp
    installcore/dialogs.cpp
    installcore/mainwin.cpp)
target_link_libraries(installcore PUBLIC params)
# The parameter dialogs use the program's instance and icon: the two static
# libraries need each other, which CMake resolves by repeating them.
target_link_libraries(params PUBLIC installcore)

# The start-up layer is linked into programs only: test programs bring main().
add_library(appshell OBJECT installcore/appshell.cpp)
target_include_directories(appshell PRIVATE ${CMAKE_SOURCE_DIR})

function(vondra_program name resources_dir)
    add_executable(${name} WIN32 ${ARGN} $<TARGET_OBJECTS:appshell>)
    target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/resources/${resources_dir})
    set_target_properties(${name} PROPERTIES
        SUFFIX ".EXE"
        RUNTIME_OUTPUT_DIRECTORY "${VONDRA_DIST_DIR}")
endfunction()

vondra_program(Dalvo dalvo
    terminal/main.cpp
    resources/dalvo/dalvo.rc)
target_link_libraries(Dalvo PRIVATE installcore params)

# Static checks of the built programs; they need no Wine (label "static").
find_program(VONDRA_OBJDUMP NAMES ${CMAKE_SYSTEM_PROCESSOR}-w64-mingw32-objdump objdump)
add_test(NAME Dalvo.ImportsOnlySystemDlls
    COMMAND ${CMAKE_SOURCE_DIR}/tests/check-imports ${VONDRA_OBJDUMP} $<TARGET_FILE:Dalvo>)
set_tests_properties(Dalvo.ImportsOnlySystemDlls PROPERTIES LABELS static)
