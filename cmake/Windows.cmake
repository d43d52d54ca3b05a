# The Windows build: cross-built with cmake/mingw-w64-x86_64.cmake (scripts/build-windows
# does everything below and packs the result).
#
#   hoshikage.exe     GUI program (no console window), statically linked (SDL2, libepoxy,
#                     zlib, the C and C++ runtimes), with the generated icon, a version
#                     resource and a manifest (per-monitor DPI awareness, UTF-8 code page)
#   OpenAL32.dll      OpenAL Soft, beside the exe: LGPL, so a player may replace it
#   Data/             from the asset generator built for the build machine
#   Readme.txt, licenses/
#
# Packages (cpack): hoshikage-<version>-windows-x64.zip and an NSIS installer of the same
# name that installs per user (no administrator) with a Start-menu shortcut and an
# uninstaller.

# No runtime DLLs beside the game but OpenAL32.dll: libgcc, libstdc++ and winpthread go
# into each program (the targets made before this file, and every one made after it).
add_link_options(-static)
foreach(program hoshikage modelview replay)
  if(TARGET ${program})
    target_link_options(${program} PRIVATE -static)
  endif()
endforeach()

# OpenAL Soft's DLL beside every program that may run here, so that they start from the
# build folder as from the package (Windows looks beside the exe first).
set(HOSHIKAGE_OPENAL_DLL ${HOSHIKAGE_WINDOWS_PREFIX}/bin/OpenAL32.dll)
if(NOT EXISTS ${HOSHIKAGE_OPENAL_DLL})
  message(FATAL_ERROR "OpenAL32.dll not found in ${HOSHIKAGE_WINDOWS_PREFIX}/bin")
endif()
foreach(folder "" tests tools/modelview tools/replay)
  file(COPY ${HOSHIKAGE_OPENAL_DLL} DESTINATION ${CMAKE_BINARY_DIR}/${folder})
endforeach()

# The executable's resources: the icon (painted by the asset generator), the version and
# the manifest.
set(HOSHIKAGE_ICON ${CMAKE_BINARY_DIR}/packaging/hoshikage.ico)
add_custom_command(
  OUTPUT ${HOSHIKAGE_ICON}
  COMMAND ${HOSHIKAGE_HOST_ASSETGEN} --windows-icon ${HOSHIKAGE_ICON}
  DEPENDS ${HOSHIKAGE_HOST_ASSETGEN}
  COMMENT "Painting the Windows icon"
  VERBATIM)
set(HOSHIKAGE_MANIFEST ${CMAKE_SOURCE_DIR}/packaging/windows/hoshikage.manifest)
configure_file(${CMAKE_SOURCE_DIR}/packaging/windows/hoshikage.rc.in
               ${CMAKE_BINARY_DIR}/packaging/hoshikage.rc @ONLY)
set_source_files_properties(${CMAKE_BINARY_DIR}/packaging/hoshikage.rc PROPERTIES
                            OBJECT_DEPENDS "${HOSHIKAGE_ICON};${HOSHIKAGE_MANIFEST}")
target_sources(hoshikage PRIVATE ${CMAKE_BINARY_DIR}/packaging/hoshikage.rc)
set_target_properties(hoshikage PROPERTIES WIN32_EXECUTABLE ON)

# The game folder, as the zip and the installer lay it out.
install(TARGETS hoshikage RUNTIME DESTINATION .)
install(FILES ${HOSHIKAGE_OPENAL_DLL} DESTINATION .)
install(DIRECTORY ${CMAKE_BINARY_DIR}/Data DESTINATION . PATTERN ".assetgen.stamp" EXCLUDE)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/windows/Readme.txt DESTINATION .)
# Collected by scripts/build-windows from the sources and Debian's copyright files.
install(DIRECTORY ${CMAKE_BINARY_DIR}/licenses DESTINATION . OPTIONAL)

set(CPACK_GENERATOR ZIP NSIS)
# The programs without their debugging symbols (the build folder keeps them).
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_NAME hoshikage)
set(CPACK_PACKAGE_VENDOR "Hoshikage")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME hoshikage-${PROJECT_VERSION}-windows-x64)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "3D action game in space: a robot with an axe and a rail gun")
set(CPACK_PACKAGE_INSTALL_DIRECTORY Hoshikage)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Hoshikage)
set(CPACK_PACKAGE_EXECUTABLES hoshikage Hoshikage)
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/packaging/windows/Readme.txt)
set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
set(CPACK_NSIS_INSTALLED_ICON_NAME hoshikage.exe)
set(CPACK_NSIS_MUI_ICON ${HOSHIKAGE_ICON})
set(CPACK_NSIS_MUI_UNIICON ${HOSHIKAGE_ICON})
set(CPACK_NSIS_DISPLAY_NAME Hoshikage)
set(CPACK_NSIS_PACKAGE_NAME Hoshikage)
set(CPACK_NSIS_MODIFY_PATH OFF)
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
set(CPACK_NSIS_MENU_LINKS Readme.txt "Read me")
# Per user: under %LOCALAPPDATA%\Programs, the registry and Start menu of the user, no
# administrator prompt. CPack's own template asks for an administrator and writes the
# machine's registry; this copy of it is changed to the user's.
set(CPACK_NSIS_INSTALL_ROOT "$LOCALAPPDATA\\\\Programs")
file(READ ${CMAKE_ROOT}/Modules/Internal/CPack/NSIS.template.in HOSHIKAGE_NSIS_TEMPLATE)
string(REPLACE "RequestExecutionLevel admin" "RequestExecutionLevel user"
       HOSHIKAGE_NSIS_TEMPLATE "${HOSHIKAGE_NSIS_TEMPLATE}")
string(REPLACE "SetShellVarContext all" "SetShellVarContext current" HOSHIKAGE_NSIS_TEMPLATE
       "${HOSHIKAGE_NSIS_TEMPLATE}")
string(REPLACE "HKLM \"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall"
       "HKCU \"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall" HOSHIKAGE_NSIS_TEMPLATE
       "${HOSHIKAGE_NSIS_TEMPLATE}")
# A 64-bit installer for the 64-bit game (NSIS makes 32-bit ones unless told), told so
# before anything else (on the template's first line, after its byte-order mark).
string(REPLACE "; CPack install script designed for a nmake build"
       "Target amd64-unicode" HOSHIKAGE_NSIS_TEMPLATE "${HOSHIKAGE_NSIS_TEMPLATE}")
file(WRITE ${CMAKE_BINARY_DIR}/packaging/nsis/NSIS.template.in "${HOSHIKAGE_NSIS_TEMPLATE}")
list(PREPEND CMAKE_MODULE_PATH ${CMAKE_BINARY_DIR}/packaging/nsis)
include(CPack)
