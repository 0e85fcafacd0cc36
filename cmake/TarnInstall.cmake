# Installation and the Debian package. `cmake --install` (and `make install`) puts the runner and
# the game-making tools in <prefix>/bin and the guide and script API reference in the
# documentation folder; DESTDIR is honoured as usual. CPack makes the package from the same rules.
include(GNUInstallDirs)

install(TARGETS tarn tarn_fontgen tarn_compile_script RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The docs keep the repository's layout, so the links between them work where they are installed.
install(FILES README.md DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/tarn)
install(FILES docs/guide.md docs/script-api.md DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/tarn/docs)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tarn)
set(CPACK_PACKAGE_VENDOR "Tarn")
set(CPACK_PACKAGE_CONTACT "Tarn developers <tarn@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Script-driven 2D game engine runner")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
# The libraries the runner and the tools load (Squirrel comes with Code::Blocks' library); Mesa's
# drivers give OpenGL where no other driver is installed.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libc6, libstdc++6, libgcc-s1, libcodeblocks0, libsdl1.2debian, \
libglew2.2, libgl1, libx11-6, libpng16-16, libjpeg62-turbo, libvorbisfile3, libfreetype6, zlib1g")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libgl1-mesa-dri")
include(CPack)
