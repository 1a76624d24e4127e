# Install rules and the Debian package. `cmake --install build --prefix P`
# lays out an installed Harvel under P (P/bin, P/share/harvel, the desktop
# entry, icons, MIME type, AppStream file and manual pages);
# `cd build && cpack -G DEB` builds harvel_<version>_amd64.deb from the same
# rules. An installed program finds its shared files by the marker file
# share/harvel/harvel.installation beside its bin/ folder; the build folder's
# own layout (build/bin, build/DATA, ...) is not touched by any of this.
include(GNUInstallDirs)

set(HARVEL_PACKAGE_CONTACT "Harvel developers <harvel@harvel.cz>" CACHE STRING
    "Maintainer of the Debian package")
set(HARVEL_SCREENSHOT_URL "https://harvel.cz/screenshots/harvel-evidence.png" CACHE STRING
    "Web address of the AppStream screenshot (the package ships the same picture)")

set(harvel_packaging ${CMAKE_SOURCE_DIR}/packaging)
set(harvel_generated ${CMAKE_BINARY_DIR}/packaging)
set(harvel_share ${CMAKE_INSTALL_DATADIR}/harvel)

# ---- files made at build time --------------------------------------------
configure_file(${harvel_packaging}/cz.harvel.Harvel.metainfo.xml
               ${harvel_generated}/cz.harvel.Harvel.metainfo.xml @ONLY)
configure_file(${harvel_packaging}/changelog ${harvel_generated}/changelog @ONLY)

# Manual pages and the changelog are installed compressed; -n keeps the
# time stamp out, so the same sources give the same bytes.
set(harvel_compressed)
foreach(page harvel harvel-data harvel-report)
    configure_file(${harvel_packaging}/man/${page}.1 ${harvel_generated}/man/${page}.1 @ONLY)
    list(APPEND harvel_compressed man/${page}.1)
endforeach()
list(APPEND harvel_compressed changelog)
set(harvel_compressed_outputs)
foreach(file ${harvel_compressed})
    add_custom_command(OUTPUT ${harvel_generated}/${file}.gz
        COMMAND gzip -9nkf ${harvel_generated}/${file}
        DEPENDS ${harvel_generated}/${file}
        VERBATIM)
    list(APPEND harvel_compressed_outputs ${harvel_generated}/${file}.gz)
endforeach()

# The icon's pixel sizes are rendered from the hand-drawn SVG.
find_program(RSVG_CONVERT rsvg-convert)
set(harvel_icon_sizes 48 128 256)
set(harvel_icon_outputs)
if(RSVG_CONVERT)
    foreach(size ${harvel_icon_sizes})
        set(png ${harvel_generated}/icons/${size}x${size}/harvel.png)
        add_custom_command(OUTPUT ${png}
            COMMAND ${CMAKE_COMMAND} -E make_directory ${harvel_generated}/icons/${size}x${size}
            COMMAND ${RSVG_CONVERT} -w ${size} -h ${size} -o ${png} ${harvel_packaging}/harvel.svg
            DEPENDS ${harvel_packaging}/harvel.svg
            VERBATIM)
        list(APPEND harvel_icon_outputs ${png})
    endforeach()
else()
    message(WARNING "rsvg-convert (Debian package librsvg2-bin) not found: the installation "
                    "gets the SVG icon only, without its 48, 128 and 256 pixel PNGs")
endif()
add_custom_target(harvel_package_files ALL
    DEPENDS ${harvel_compressed_outputs} ${harvel_icon_outputs})

# ---- install rules --------------------------------------------------------
install(TARGETS harvel harvel-data harvel-report RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

file(GLOB harvel_shipped_templates CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/templates/*.pts)
file(GLOB harvel_shipped_other CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/templates/other/*)
file(GLOB harvel_shipped_help CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/help/*)
file(GLOB harvel_shipped_demo CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/demo/*.csv)
install(FILES ${harvel_shipped_templates} DESTINATION ${harvel_share}/Predlohy)
install(FILES ${harvel_shipped_other} DESTINATION ${harvel_share}/OTHER)
install(FILES ${harvel_shipped_help} DESTINATION ${harvel_share}/HELP)
install(FILES ${harvel_shipped_demo} DESTINATION ${harvel_share}/demo)
install(FILES ${harvel_packaging}/harvel.installation DESTINATION ${harvel_share})
install(FILES ${harvel_packaging}/screenshots/harvel-evidence.png
        DESTINATION ${harvel_share}/screenshots)

install(FILES ${harvel_packaging}/cz.harvel.Harvel.desktop
              ${harvel_packaging}/cz.harvel.HarvelDesigner.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${harvel_generated}/cz.harvel.Harvel.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${harvel_packaging}/harvel-mime.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME harvel.xml)
install(FILES ${harvel_packaging}/harvel.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
if(RSVG_CONVERT)
    foreach(size ${harvel_icon_sizes})
        install(FILES ${harvel_generated}/icons/${size}x${size}/harvel.png
                DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
    endforeach()
endif()
foreach(page harvel harvel-data harvel-report)
    install(FILES ${harvel_generated}/man/${page}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
install(FILES ${harvel_packaging}/copyright ${harvel_generated}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/harvel)

# ---- the Debian package ----------------------------------------------------
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME harvel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_CONTACT "${HARVEL_PACKAGE_CONTACT}")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Not found by dpkg-shlibdeps: Qt's window-system plugins, and the fonts whose
# metrics the templates were designed with.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation2, fontconfig")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "record keeper for a dog-breeding kennel")
set(CPACK_PACKAGE_DESCRIPTION
    "Harvel keeps one record sheet per animal with its litters, matings,
health card, shows, titles, exams, breeding approvals, photos and
pedigree, an address book and a breed list. Every list prints through
its own report generator with a template designer. The user interface
speaks Czech.")
include(CPack)
