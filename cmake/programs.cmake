# The Windows libraries and programs of the suite.

# Layers that only point down: base <- params <- installcore <- programs.
add_library(base STATIC
    base/state.cpp
    base/files.cpp
    base/workfile.cpp
    base/registry.cpp
    base/javafind.cpp
    base/dialogs.cpp
    base/runlog.cpp
    base/rollback.cpp
    base/mainwin.cpp
    base/browse.cpp
    base/ensure.cpp)
target_link_libraries(base PUBLIC base_text)
# windres finds the directory dialogs' bitmaps only through the include path.
target_include_directories(base INTERFACE ${CMAKE_SOURCE_DIR}/resources/base)
# The directory dialogs and their bitmaps, included by the programs' .rc files.
file(GLOB BASE_RESOURCES ${CMAKE_SOURCE_DIR}/resources/base/*)

add_library(params STATIC
    params/entry.cpp
    params/entrylist.cpp
    params/save.cpp
    params/fonts.cpp
    params/paint.cpp
    params/controls.cpp
    params/estilo.cpp
    params/area.cpp
    params/rcm.cpp
    params/printers.cpp
    params/icons.cpp
    params/iconpick.cpp
    params/editrules.cpp
    params/editform.cpp
    params/editor.cpp
    params/entryedit.cpp)
target_link_libraries(params PUBLIC base params_format comdlg32)
# The shared dialogs, included by the programs' .rc files; windres reports
# no dependencies, so the including files name them.
set(PARAMS_RESOURCES
    ${CMAKE_SOURCE_DIR}/resources/params/params.rc
    ${CMAKE_SOURCE_DIR}/resources/params/resource.h
    ${CMAKE_SOURCE_DIR}/resources/params/select.rc
    ${CMAKE_SOURCE_DIR}/resources/params/select.h
    ${CMAKE_SOURCE_DIR}/resources/params/editor.rc
    ${CMAKE_SOURCE_DIR}/resources/params/editor_ids.h
    ${CMAKE_SOURCE_DIR}/resources/params/editor_standalone_ids.h)

add_library(installcore STATIC
    installcore/install.cpp
    installcore/installed.cpp
    installcore/copy.cpp
    installcore/shortcut.cpp
    installcore/instalar.cpp)
target_link_libraries(installcore PUBLIC params installcore_format ole32 uuid shell32 mpr)

# The start-up layer is linked into programs only: test programs bring main().
add_library(appshell OBJECT base/appshell.cpp)
target_include_directories(appshell PRIVATE ${CMAKE_SOURCE_DIR})

# Each program is checked statically too: it imports only system DLLs
# (label "static": no Wine needed).
find_program(VONDRA_OBJDUMP NAMES ${CMAKE_SYSTEM_PROCESSOR}-w64-mingw32-objdump objdump)
function(vondra_program name resources_dir)
    add_executable(${name} WIN32 ${ARGN} $<TARGET_OBJECTS:appshell>)
    target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/resources/${resources_dir})
    set_target_properties(${name} PROPERTIES
        SUFFIX ".EXE"
        RUNTIME_OUTPUT_DIRECTORY "${VONDRA_DIST_DIR}")
    add_test(NAME ${name}.ImportsOnlySystemDlls
        COMMAND ${CMAKE_SOURCE_DIR}/tests/check-imports ${VONDRA_OBJDUMP} $<TARGET_FILE:${name}>)
    set_tests_properties(${name}.ImportsOnlySystemDlls PROPERTIES LABELS static)
endfunction()

vondra_program(Dalvo dalvo
    terminal/main.cpp
    terminal/flow.cpp
    terminal/unattended.cpp
    resources/dalvo/dalvo.rc)
set_source_files_properties(resources/dalvo/dalvo.rc PROPERTIES OBJECT_DEPENDS
    "${PARAMS_RESOURCES};${BASE_RESOURCES};${CMAKE_SOURCE_DIR}/resources/dalvo/install.rc;${CMAKE_SOURCE_DIR}/resources/dalvo/resource.h")
target_link_libraries(Dalvo PRIVATE installcore)
vondra_program(Fostra fostra
    server/main.cpp
    server/edit.cpp
    resources/fostra/fostra.rc)
set_source_files_properties(resources/fostra/fostra.rc PROPERTIES OBJECT_DEPENDS
    "${PARAMS_RESOURCES};${BASE_RESOURCES};${CMAKE_SOURCE_DIR}/resources/params/editor_server.rc;${CMAKE_SOURCE_DIR}/resources/params/editor_server_ids.h;${CMAKE_SOURCE_DIR}/resources/fostra/resource.h")
target_link_libraries(Fostra PRIVATE installcore)
vondra_program(Brenko brenko
    standalone/main.cpp
    standalone/message.cpp
    standalone/companions.cpp
    standalone/edit.cpp
    standalone/starterror.cpp
    resources/brenko/brenko.rc)
set_source_files_properties(resources/brenko/brenko.rc PROPERTIES OBJECT_DEPENDS
    "${PARAMS_RESOURCES};${BASE_RESOURCES};${CMAKE_SOURCE_DIR}/resources/brenko/resource.h;${CMAKE_SOURCE_DIR}/resources/brenko/message132.bmp")
target_link_libraries(Brenko PRIVATE installcore)
add_subdirectory(rtflib)

# Kelmin's operations on files and registry, shared with its tests and benchmark.
add_library(kelmin_ops STATIC
    rtfsetup/library.cpp
    rtfsetup/policy.cpp
    rtfsetup/dllkey.cpp)
target_link_libraries(kelmin_ops PUBLIC base kelmin_format)

vondra_program(Kelmin kelmin
    rtfsetup/main.cpp
    rtfsetup/desinst.cpp
    rtfsetup/unattended.cpp
    resources/kelmin/kelmin.rc)
target_link_libraries(Kelmin PRIVATE kelmin_ops)

# Instalar: its operations on files and registry, shared with its tests and
# benchmark, and the program.
add_library(instalar_ops STATIC
    setup/copy.cpp
    setup/remove.cpp)
target_link_libraries(instalar_ops PUBLIC base setup_rules lz32)

vondra_program(Instalar instalar
    setup/main.cpp
    setup/terminar.cpp
    setup/unattended.cpp
    resources/instalar/instalar.rc)
set_source_files_properties(resources/instalar/instalar.rc PROPERTIES OBJECT_DEPENDS
    "${BASE_RESOURCES};${CMAKE_SOURCE_DIR}/resources/instalar/resource.h")
target_link_libraries(Instalar PRIVATE instalar_ops)
