# The Linux layout: both programs, their manual pages, the desktop entry, the AppStream
# metadata and the icon theme's pictures, in the GNU directories under the prefix.
include(GNUInstallDirs)

set(TACHORA_APP_ID net.tachora.Tachora)
set(icons ${PROJECT_SOURCE_DIR}/assets/icons)

install(TARGETS tachora tachora-info RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

foreach(page tachora tachora-info)
  configure_file(man/${page}.1.in ${page}.1 @ONLY)
  install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${page}.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()

install(FILES linux/${TACHORA_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
configure_file(linux/${TACHORA_APP_ID}.metainfo.xml.in ${TACHORA_APP_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${TACHORA_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

foreach(size 16 32 48 64 128 256)
  install(FILES ${icons}/${TACHORA_APP_ID}-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME ${TACHORA_APP_ID}.png)
endforeach()
install(FILES ${icons}/${TACHORA_APP_ID}.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
