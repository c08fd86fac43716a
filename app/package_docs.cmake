# SPDX-License-Identifier: MIT
# The license, where Debian keeps it: the copyright file of the package's documentation
# folder, in Debian's machine-readable form, made from LICENSE.
file(READ "${PROJECT_SOURCE_DIR}/LICENSE" license)
string(REGEX MATCH "Copyright \\(c\\) ([^\n]*)" copyright_line "${license}")
set(copyright_holder "${CMAKE_MATCH_1}")
string(FIND "${license}" "Permission is hereby granted" terms_start)
string(SUBSTRING "${license}" ${terms_start} -1 terms)
string(STRIP "${terms}" terms)
string(REPLACE "\n\n" "\n.\n" terms "${terms}")
string(REPLACE "\n" "\n " terms "${terms}")
file(WRITE "${CMAKE_CURRENT_BINARY_DIR}/copyright"
    "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n"
    "Upstream-Name: Vorn Header Editor\n"
    "\n"
    "Files: *\n"
    "Copyright: ${copyright_holder}\n"
    "License: MIT\n"
    " ${terms}\n")
install(FILES "${CMAKE_CURRENT_BINARY_DIR}/copyright"
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/vorn-header-editor)

# The manual page and the change log, compressed as Debian keeps them.
# vorn_gzip(<file> <destination>): installs <file>.gz, made at configure time.
function(vorn_gzip file destination)
    get_filename_component(name "${file}" NAME)
    set(packed "${CMAKE_CURRENT_BINARY_DIR}/gz/${name}.gz")
    file(MAKE_DIRECTORY "${CMAKE_CURRENT_BINARY_DIR}/gz")
    # -n: no name or time stamp inside, so the same input always packs the same.
    execute_process(COMMAND gzip -9nc "${file}" OUTPUT_FILE "${packed}"
                    COMMAND_ERROR_IS_FATAL ANY)
    install(FILES "${packed}" DESTINATION "${destination}")
endfunction()
vorn_gzip("${CMAKE_CURRENT_SOURCE_DIR}/vorn-header-editor.1" ${CMAKE_INSTALL_MANDIR}/man1)
# The entry is dated with the release date: days since 1970 from the date, then the weekday
# and month names from string(TIMESTAMP), which reads the time from SOURCE_DATE_EPOCH.
string(REGEX MATCH "^([0-9]+)-0*([0-9]+)-0*([0-9]+)$" _ "${VORN_RELEASE_DATE}")
set(year ${CMAKE_MATCH_1})
set(month ${CMAKE_MATCH_2})
set(day ${CMAKE_MATCH_3})
if(month LESS_EQUAL 2)
    math(EXPR year "${year} - 1")
endif()
math(EXPR days "(${year} / 400) * 146097 + (${year} % 400) * 365 + (${year} % 400) / 4
                - (${year} % 400) / 100 + (153 * ((${month} + 9) % 12) + 2) / 5 + ${day} - 1
                - 719468")
math(EXPR epoch "${days} * 86400")
set(saved_epoch "$ENV{SOURCE_DATE_EPOCH}")
set(ENV{SOURCE_DATE_EPOCH} ${epoch})
string(TIMESTAMP changelog_date "%a, %d %b %Y 00:00:00 +0000" UTC)
if(saved_epoch STREQUAL "")
    unset(ENV{SOURCE_DATE_EPOCH})
else()
    set(ENV{SOURCE_DATE_EPOCH} "${saved_epoch}")
endif()
file(WRITE "${CMAKE_CURRENT_BINARY_DIR}/changelog"
    "vorn-header-editor (${PROJECT_VERSION}) unstable; urgency=medium\n\n"
    "  * ${VORN_RELEASE_NOTES}\n\n"
    " -- ${VORN_PACKAGE_MAINTAINER}  ${changelog_date}\n")
vorn_gzip("${CMAKE_CURRENT_BINARY_DIR}/changelog" ${CMAKE_INSTALL_DATADIR}/doc/vorn-header-editor)
