# SPDX-License-Identifier: MIT
# The zip for Windows users, made by `cpack -G ZIP` in a release build for Windows with Qt for
# Windows (scripts/windows): vorn-header-editor-<version>-windows-x86_64.zip, whose folder
# holds the program, beside it exactly the DLLs it loads that Windows does not have (Qt's, and
# what they import in turn), the Windows platform plugin, this program's licence, and Qt's
# licences with a note of where its source comes from and how it was built.
if(NOT VORN_WINDOWS_QT)
    return()  # built on Windows itself (MSYS2): windeployqt gathers the DLLs there
endif()
if(NOT EXISTS "${VORN_WINDOWS_QT}/licenses/qt-source.txt")
    message(FATAL_ERROR "Qt for Windows in ${VORN_WINDOWS_QT} has no licences folder: it was "
        "built by an older scripts/windows. Remove that folder and run bash scripts/windows.")
endif()

install(TARGETS vorn-header-editor RUNTIME DESTINATION .)
install(FILES "${VORN_WINDOWS_QT}/plugins/platforms/qwindows.dll" DESTINATION platforms)
install(FILES "${PROJECT_SOURCE_DIR}/LICENSE" DESTINATION .)
# What a Windows user reads first after unpacking, with Windows line ends.
set(VORN_VERSION ${PROJECT_VERSION})
configure_file(windows-readme.txt "${CMAKE_CURRENT_BINARY_DIR}/README.txt" @ONLY NEWLINE_STYLE CRLF)
install(FILES "${CMAKE_CURRENT_BINARY_DIR}/README.txt" DESTINATION .)
install(DIRECTORY "${VORN_WINDOWS_QT}/licenses/" DESTINATION qt-licenses)

# Where the DLLs come from: Qt for Windows, and the compiler's own runtime (the program links
# that statically, but a DLL may not).
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libstdc++-6.dll
                OUTPUT_VARIABLE runtime OUTPUT_STRIP_TRAILING_WHITESPACE)
get_filename_component(runtime_dir "${runtime}" DIRECTORY)
set(dll_folders "${VORN_WINDOWS_QT}/bin" "${runtime_dir}")
foreach(root IN LISTS CMAKE_FIND_ROOT_PATH)
    list(APPEND dll_folders "${root}/lib" "${root}/bin")
endforeach()
install(CODE "
    set(VORN_OBJDUMP \"${CMAKE_OBJDUMP}\")
    set(VORN_STRIP \"${CMAKE_STRIP}\")
    set(VORN_DLL_FOLDERS \"${dll_folders}\")
    include(\"${PROJECT_SOURCE_DIR}/cmake/windows_dlls.cmake\")
    vorn_install_dlls(\"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}\"
                      vorn-header-editor.exe platforms/qwindows.dll)
")
