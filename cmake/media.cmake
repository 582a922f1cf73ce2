# dist/media: the distribution as Instalar reads it from its current
# directory. Included after every program is defined: the list of the
# suite's files names programs by their targets.
find_program(VONDRA_MSCOMPRESS mscompress)
if(NOT VONDRA_MSCOMPRESS)
    message(FATAL_ERROR "mscompress is needed for the media (./vondra deps)")
endif()
# The 32- and 64-bit programs and libraries alike: x86_64's binutils read both.
find_program(VONDRA_PE_STRIP x86_64-w64-mingw32-strip REQUIRED)
find_program(VONDRA_PE_OBJDUMP x86_64-w64-mingw32-objdump REQUIRED)
# Pluvik64.DLL comes from the 64-bit tree (build/win64), built before this one.
set(VONDRA_PLUVIK64 "${VONDRA_DIST_DIR}/Pluvik64.DLL" CACHE FILEPATH "The 64-bit library for the media")
set(media_dir "${VONDRA_DIST_DIR}/media")
# The suite's files as setup/media_files.inc lists them, DIR/NAME=FILE for
# make-media (DIR: where Instalar puts it); another product's file (built
# from "") stays off the media.
set(media_list ${CMAKE_SOURCE_DIR}/setup/media_files.inc)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${media_list})
file(STRINGS ${media_list} media_lines REGEX "^MEDIA_")
set(media_args "-/Instalar.EXE=$<TARGET_FILE:Instalar>")
# The tree Instalar makes of the media, for the package.
set(package_tree "${CMAKE_BINARY_DIR}/package/tree")
set(media_depends Instalar)
foreach(line ${media_lines})
    string(REGEX MATCHALL "\"[^\"]*\"" quoted "${line}")
    list(GET quoted 0 name)
    list(GET quoted -1 from)
    string(REPLACE "\"" "" name "${name}")
    string(REPLACE "\"" "" from "${from}")
    set(dir Terminal)
    if(line MATCHES "KIND_ROOT")
        set(dir .)
    elseif(line MATCHES "KIND_SERVER")
        set(dir Servidor)
    endif()
    set(name "${dir}/${name}")
    if(from MATCHES "/")
        list(APPEND media_args "${name}=${CMAKE_SOURCE_DIR}/${from}")
        list(APPEND media_depends ${CMAKE_SOURCE_DIR}/${from})
    elseif(TARGET "${from}")
        list(APPEND media_args "${name}=$<TARGET_FILE:${from}>")
        list(APPEND media_depends ${from})
    elseif(from STREQUAL "Pluvik64")
        list(APPEND media_args "${name}=${VONDRA_PLUVIK64}")
        list(APPEND media_depends ${VONDRA_PLUVIK64})
    endif()
endforeach()
add_custom_command(
    OUTPUT ${media_dir}/Instalar.EXE
    COMMAND ${CMAKE_SOURCE_DIR}/cmake/make-media ${media_dir} ${package_tree} ${VONDRA_PE_STRIP} ${VONDRA_MSCOMPRESS}
        ${CMAKE_COMMAND} ${CMAKE_SOURCE_DIR} ${media_args}
    DEPENDS ${media_depends} ${CMAKE_SOURCE_DIR}/cmake/make-media ${CMAKE_SOURCE_DIR}/resources/dalvo/dalvo.ico
    COMMENT "distribution media in ${media_dir}"
    VERBATIM)
add_custom_target(media ALL DEPENDS ${media_dir}/Instalar.EXE)

# dist/Vondra.msi: that tree, the machine's DirInst and the runtime's
# archives through Instalar.EXE of the media.
find_program(VONDRA_WIXL wixl)
find_program(VONDRA_MSIBUILD msibuild)
if(NOT VONDRA_WIXL OR NOT VONDRA_MSIBUILD)
    message(FATAL_ERROR "wixl and msitools are needed for the package (./vondra deps)")
endif()
set(VONDRA_PACKAGE ${CMAKE_SOURCE_DIR}/cmake/make-package ${package_tree} ${media_dir}/Instalar.EXE
    ${CMAKE_SOURCE_DIR}/setup/Vondra.wxs)
add_custom_command(
    OUTPUT ${VONDRA_DIST_DIR}/Vondra.msi
    COMMAND ${VONDRA_PACKAGE} ${PROJECT_VERSION} ${VONDRA_DIST_DIR}/Vondra.msi
    DEPENDS ${media_dir}/Instalar.EXE ${CMAKE_SOURCE_DIR}/cmake/make-package ${CMAKE_SOURCE_DIR}/setup/Vondra.wxs
    COMMENT "package ${VONDRA_DIST_DIR}/Vondra.msi"
    VERBATIM)
add_custom_target(msi ALL DEPENDS ${VONDRA_DIST_DIR}/Vondra.msi)

# What the media carry is stripped: no debug section in any program or library
# (a file objdump cannot read fails too).
add_test(NAME Media.NoDebugSections
    COMMAND sh -c "sections=$(${VONDRA_PE_OBJDUMP} -h \"$0\"/*.EXE \"$0\"/*.DLL) || exit 1
        echo \"$sections\" | grep -q '^ *[0-9].*\\.debug' && exit 1 || exit 0" ${media_dir})
# Each library is of the width of the Java runtime that loads it.
add_test(NAME Media.LibrariesOfBothWidths
    COMMAND sh -c "${VONDRA_PE_OBJDUMP} -f \"$0\"/PLUVIK.DLL | grep -q 'format pei-i386$' &&
        ${VONDRA_PE_OBJDUMP} -f \"$0\"/Pluvik64.DLL | grep -q 'format pei-x86-64$'" ${media_dir})
set_tests_properties(Media.NoDebugSections Media.LibrariesOfBothWidths PROPERTIES LABELS static)
