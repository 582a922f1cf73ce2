# dist/media: the distribution as Instalar reads it from its current
# directory. Included after every program is defined: Brenko goes on the
# media when this tree builds it.
find_program(VONDRA_MSCOMPRESS mscompress)
if(NOT VONDRA_MSCOMPRESS)
    message(FATAL_ERROR "mscompress is needed for the media (./vondra deps)")
endif()
set(media_dir "${VONDRA_DIST_DIR}/media")
set(media_programs Instalar Fostra Dalvo Kelmin)
if(TARGET Brenko)
    list(APPEND media_programs Brenko)
endif()
set(media_args "")
foreach(program ${media_programs})
    list(APPEND media_args "${program}.EXE=$<TARGET_FILE:${program}>")
endforeach()
list(APPEND media_args "PLUVIK.DLL=$<TARGET_FILE:Pluvik>")
add_custom_command(
    OUTPUT ${media_dir}/Instalar.EXE
    COMMAND ${CMAKE_SOURCE_DIR}/cmake/make-media ${media_dir} ${CMAKE_STRIP} ${VONDRA_MSCOMPRESS} ${CMAKE_COMMAND}
        ${CMAKE_SOURCE_DIR} ${media_args}
    DEPENDS ${media_programs} Pluvik ${CMAKE_SOURCE_DIR}/cmake/make-media
        ${CMAKE_SOURCE_DIR}/resources/fostra/fostra.ico ${CMAKE_SOURCE_DIR}/resources/dalvo/dalvo.ico
    COMMENT "distribution media in ${media_dir}"
    VERBATIM)
add_custom_target(media ALL DEPENDS ${media_dir}/Instalar.EXE)

# What the media carry is stripped: no debug section in any program or library.
add_test(NAME Media.NoDebugSections
    COMMAND sh -c "${CMAKE_OBJDUMP} -h \"$0\"/*.EXE \"$0\"/PLUVIK.DLL | grep -q '^ *[0-9].*\\.debug' && exit 1 || exit 0"
        ${media_dir})
set_tests_properties(Media.NoDebugSections PROPERTIES LABELS static)
