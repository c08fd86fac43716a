# SPDX-License-Identifier: MIT
# The AppStream metadata, which software centres read: share/metainfo/<id>.metainfo.xml.
# The id is reverse-DNS, as AppStream wants; the project has no domain of its own yet, so it
# lives under ".invalid", the top-level name reserved for names that belong to nobody.
set(VORN_APP_ID "invalid.vorn.header_editor" CACHE STRING "The editor's AppStream id")
set(VORN_SCREENSHOT_URL "" CACHE STRING
    "Web address under which docs/screenshots is published; empty: no screenshots are listed")

# vorn_write_metainfo(<file> <screenshot address or "">): writes the metainfo, listing the
# screenshots of docs/screenshots under the address when there is one.
function(vorn_write_metainfo file screenshot_url)
    set(VORN_METAINFO_SCREENSHOTS "")
    if(screenshot_url)
        string(REGEX REPLACE "/+$" "" base "${screenshot_url}")
        set(shots "\n  <screenshots>")
        foreach(shot "main-window;The main window with a room header loaded"
                     "enemy-editor;The enemy editor with a room's enemy list")
            list(GET shot 0 name)
            list(GET shot 1 caption)
            # The PNG header holds the width and height, 4 bytes each from byte 16.
            file(READ "${PROJECT_SOURCE_DIR}/docs/screenshots/${name}-200.png" size
                 OFFSET 16 LIMIT 8 HEX)
            string(SUBSTRING "${size}" 0 8 width)
            string(SUBSTRING "${size}" 8 8 height)
            math(EXPR width "0x${width}")
            math(EXPR height "0x${height}")
            set(type "")
            if(name STREQUAL "main-window")
                set(type " type=\"default\"")
            endif()
            string(APPEND shots "\n    <screenshot${type}>"
                "\n      <caption>${caption}</caption>"
                "\n      <image type=\"source\" width=\"${width}\" height=\"${height}\">"
                "${base}/${name}-200.png</image>"
                "\n    </screenshot>")
        endforeach()
        string(APPEND shots "\n  </screenshots>")
        set(VORN_METAINFO_SCREENSHOTS "${shots}")
    endif()
    configure_file("${CMAKE_CURRENT_FUNCTION_LIST_DIR}/vorn-header-editor.metainfo.xml.in"
                   "${file}" @ONLY)
endfunction()

vorn_write_metainfo("${CMAKE_CURRENT_BINARY_DIR}/${VORN_APP_ID}.metainfo.xml"
                    "${VORN_SCREENSHOT_URL}")
install(FILES "${CMAKE_CURRENT_BINARY_DIR}/${VORN_APP_ID}.metainfo.xml"
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

