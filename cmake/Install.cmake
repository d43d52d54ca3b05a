# Installing and packaging the game.
#
#   cmake --install build --prefix /usr     (or any prefix)
#   cpack --config build/CPackConfig.cmake -B build/package      (a .deb)
#
# Layout under the prefix, as Debian lays out games:
#   games/hoshikage                       the launcher: starts the game in its data folder
#   games/hoshikage-bin                   the game itself
#   share/games/hoshikage/Data/           the generated assets it reads (relative paths)
#   share/applications/<id>.desktop       the menu entry
#   share/icons/hicolor/NxN/apps/<id>.png the icon at 64, 128 and 256 pixels
#   share/metainfo/<id>.metainfo.xml      AppStream metainfo for software centres
set(HOSHIKAGE_GAMES_DIR games)
set(HOSHIKAGE_DATA_DIR share/games/hoshikage)

# The launcher finds the data folder relative to itself, so any prefix works.
file(RELATIVE_PATH HOSHIKAGE_DATA_FROM_GAMES /${HOSHIKAGE_GAMES_DIR} /${HOSHIKAGE_DATA_DIR})
configure_file(${CMAKE_SOURCE_DIR}/packaging/hoshikage.in ${CMAKE_BINARY_DIR}/packaging/hoshikage
               @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/packaging/hoshikage.desktop.in
               ${CMAKE_BINARY_DIR}/packaging/${HOSHIKAGE_APP_ID}.desktop @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/packaging/hoshikage.metainfo.xml.in
               ${CMAKE_BINARY_DIR}/packaging/${HOSHIKAGE_APP_ID}.metainfo.xml @ONLY)

install(PROGRAMS ${CMAKE_BINARY_DIR}/packaging/hoshikage DESTINATION ${HOSHIKAGE_GAMES_DIR})
install(PROGRAMS $<TARGET_FILE:hoshikage> DESTINATION ${HOSHIKAGE_GAMES_DIR} RENAME hoshikage-bin)
install(DIRECTORY ${CMAKE_BINARY_DIR}/Data DESTINATION ${HOSHIKAGE_DATA_DIR}
        PATTERN ".assetgen.stamp" EXCLUDE)
install(FILES ${CMAKE_BINARY_DIR}/packaging/${HOSHIKAGE_APP_ID}.desktop
        DESTINATION share/applications)
install(FILES ${CMAKE_BINARY_DIR}/packaging/${HOSHIKAGE_APP_ID}.metainfo.xml
        DESTINATION share/metainfo)
install(DIRECTORY ${CMAKE_BINARY_DIR}/icons/hicolor DESTINATION share/icons
        PATTERN ".assetgen.stamp" EXCLUDE)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME hoshikage)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Hoshikage developers <hoshikage@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "3D action game in space: a robot with an axe and a rail gun")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
       "Pilot a humanoid robot among floating stones, fight the robots a battleship launches "
       "and destroy its three cannons. Keyboard and mouse or a game controller.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The game opens OpenGL and EGL through libepoxy and SDL at run time, which the library
# scan cannot see; Mesa's drivers are what a machine without a vendor driver draws with.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libgl1, libegl1")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libgl1-mesa-dri, libglx-mesa0, libegl-mesa0")
include(CPack)
