# The Windows libraries and programs of the suite.

add_library(params STATIC
    params/entry.cpp
    params/fonts.cpp)
target_link_libraries(params PUBLIC vondra_portable)

add_library(installcore STATIC
    installcore/state.cpp
    installcore/files.cpp
    installcore/registry.cpp
    installcore/dialogs.cpp
    installcore/mainwin.cpp
    installcore/install.cpp
    installcore/copy.cpp
    installcore/shortcut.cpp)
target_link_libraries(installcore PUBLIC params ole32 uuid)

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
