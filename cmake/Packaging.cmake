# Desktop integration (the command on the PATH, the menu entry, the icon, the AppStream data) and
# the Debian package made by CPack (`cpack -G DEB` in the build folder).

set(VOXSCRIBE_APP_ID org.voxscribe.Voxscribe)
set(VOXSCRIBE_PACKAGING_SOURCE ${CMAKE_SOURCE_DIR}/packaging)
set(VOXSCRIBE_PACKAGING_BINARY ${CMAKE_BINARY_DIR}/packaging)

# The command on the PATH is a relative link into the program folder. The program resolves its own
# folder through the link, so its library and shipped files are found beside the real file.
file(RELATIVE_PATH VOXSCRIBE_LAUNCHER_TARGET /prefix/bin
     /prefix/${VOXSCRIBE_INSTALL_DIR}/voxscribe)
file(MAKE_DIRECTORY ${VOXSCRIBE_PACKAGING_BINARY}/bin)
file(CREATE_LINK ${VOXSCRIBE_LAUNCHER_TARGET} ${VOXSCRIBE_PACKAGING_BINARY}/bin/voxscribe SYMBOLIC)
install(PROGRAMS ${VOXSCRIBE_PACKAGING_BINARY}/bin/voxscribe DESTINATION bin)

install(FILES ${VOXSCRIBE_PACKAGING_SOURCE}/${VOXSCRIBE_APP_ID}.desktop
        DESTINATION share/applications)
install(FILES ${VOXSCRIBE_PACKAGING_SOURCE}/${VOXSCRIBE_APP_ID}.metainfo.xml
        DESTINATION share/metainfo)

# The icon is drawn once as SVG; bitmaps for the usual menu and software-centre sizes are rendered
# from it at build time.
find_package(Qt6 REQUIRED COMPONENTS Svg)
add_executable(iconrender ${VOXSCRIBE_PACKAGING_SOURCE}/iconrender.cpp)
target_link_libraries(iconrender PRIVATE Qt6::Svg Qt6::Gui)
set_target_properties(iconrender PROPERTIES AUTOMOC OFF AUTOUIC OFF
                      RUNTIME_OUTPUT_DIRECTORY ${VOXSCRIBE_PACKAGING_BINARY})
set(VOXSCRIBE_ICON_SVG ${VOXSCRIBE_PACKAGING_SOURCE}/voxscribe.svg)
set(VOXSCRIBE_ICON_PNGS)
foreach(size 32 48 64 128 256)
  set(png ${VOXSCRIBE_PACKAGING_BINARY}/icons/${size}x${size}/voxscribe.png)
  add_custom_command(
    OUTPUT ${png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${VOXSCRIBE_PACKAGING_BINARY}/icons/${size}x${size}
    COMMAND iconrender ${VOXSCRIBE_ICON_SVG} ${size} ${png}
    DEPENDS iconrender ${VOXSCRIBE_ICON_SVG}
    COMMENT "Rendering the icon at ${size}x${size}"
    VERBATIM)
  list(APPEND VOXSCRIBE_ICON_PNGS ${png})
  install(FILES ${png} DESTINATION share/icons/hicolor/${size}x${size}/apps)
endforeach()
add_custom_target(voxscribe_icons ALL DEPENDS ${VOXSCRIBE_ICON_PNGS})
install(FILES ${VOXSCRIBE_ICON_SVG} DESTINATION share/icons/hicolor/scalable/apps)

# The manual page and the package's change log, compressed as Debian keeps them (-n: no name or
# time stamp inside, so that the same sources give the same package).
find_program(GZIP_PROGRAM gzip REQUIRED)
foreach(doc voxscribe.1 changelog)
  add_custom_command(
    OUTPUT ${VOXSCRIBE_PACKAGING_BINARY}/${doc}.gz
    COMMAND ${GZIP_PROGRAM} -9n -c ${VOXSCRIBE_PACKAGING_SOURCE}/${doc}
            > ${VOXSCRIBE_PACKAGING_BINARY}/${doc}.gz
    DEPENDS ${VOXSCRIBE_PACKAGING_SOURCE}/${doc}
    COMMENT "Compressing ${doc}")
endforeach()
add_custom_target(voxscribe_docs ALL DEPENDS ${VOXSCRIBE_PACKAGING_BINARY}/voxscribe.1.gz
                                             ${VOXSCRIBE_PACKAGING_BINARY}/changelog.gz)
install(FILES ${VOXSCRIBE_PACKAGING_BINARY}/voxscribe.1.gz DESTINATION share/man/man1)
install(FILES ${VOXSCRIBE_PACKAGING_BINARY}/changelog.gz DESTINATION share/doc/voxscribe)
install(FILES ${VOXSCRIBE_PACKAGING_SOURCE}/copyright DESTINATION share/doc/voxscribe)

# The phonetic font for every user of the machine, where fontconfig finds it (fontconfig's own
# package trigger refreshes the font cache); the program folder keeps its copy as well.
install(FILES ${CMAKE_SOURCE_DIR}/fonts/Ksphonet.ttf DESTINATION share/fonts/truetype/voxscribe)

# The system-wide registration folder belongs to the package, so that dpkg removes it once the
# package's record is gone; the record itself is written by the maintainer scripts.
install(DIRECTORY DESTINATION share/components)

# The Debian package.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME voxscribe)
set(CPACK_PACKAGE_VENDOR "Voxscribe developers")
set(CPACK_PACKAGE_CONTACT "Voxscribe developers <dev@voxscribe.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "English words annotated with their pronunciation")
# Lines of the long description stay within the 80 columns that package tools show.
set(CPACK_PACKAGE_DESCRIPTION
    "Voxscribe writes English words followed by their phonetic transcriptions,
for Chinese-speaking learners, teachers and publishers: smart annotation from
a built-in dictionary, manual input on a phonetic keyboard, and batch
annotation of a word list. Documents are saved as RTF for any word processor.

The phonetic font Ksphonet.ttf is installed for every user of the machine.
Transcriptions can also be copied or written as Unicode IPA, readable without
the phonetic font.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES TRUE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The Qt and C++ libraries come from dpkg-shlibdeps; the rest the program needs only at run time:
# Qt's window-system plugins, a font that draws the Chinese captions, and eSpeak NG with its
# English data for the suggested transcriptions (loaded when first needed, so shlibdeps cannot
# see it).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qt6-qpa-plugins, fonts-wqy-microhei | fonts-wqy-zenhei | fonts-noto-cjk, libespeak-ng1, espeak-ng-data")
# Chinese standard buttons, and the opener for the help page and the word processor.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, xdg-utils")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "libreoffice-writer")

set(VOXSCRIBE_PACKAGED_PROGRAM_DIR ${CPACK_PACKAGING_INSTALL_PREFIX}/${VOXSCRIBE_INSTALL_DIR})
foreach(script postinst prerm postrm)
  set(PROGRAM_DIR ${VOXSCRIBE_PACKAGED_PROGRAM_DIR})
  set(SYSTEM_REGISTRY_DIR ${CPACK_PACKAGING_INSTALL_PREFIX}/share/components)
  configure_file(${VOXSCRIBE_PACKAGING_SOURCE}/${script}.in
                 ${VOXSCRIBE_PACKAGING_BINARY}/debian/${script} @ONLY
                 FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                  WORLD_READ WORLD_EXECUTE)
endforeach()
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
    ${VOXSCRIBE_PACKAGING_BINARY}/debian/postinst ${VOXSCRIBE_PACKAGING_BINARY}/debian/prerm
    ${VOXSCRIBE_PACKAGING_BINARY}/debian/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION TRUE)

include(CPack)
