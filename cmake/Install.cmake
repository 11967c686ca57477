# Installing and packaging: the two programs in bin/, the program folder
# (languages and samples) in share/glyphsmith/, where ProgramFolder() looks
# from bin/, and what the desktop needs to offer the editor: its icon, its
# launcher, AppStream data, MIME types, the thumbnailer and the man page.
include(GNUInstallDirs)

set(GS_APP_ID org.varnel.Glyphsmith)
set(GS_DIST ${CMAKE_SOURCE_DIR}/dist)
# ProgramFolder() finds <bin>/../share/glyphsmith; the two must agree.
set(GS_SHARE_DIR ${CMAKE_INSTALL_DATADIR}/glyphsmith)

# --- The application icon, painted by our own code at build time ----------
set(GS_ICON_SIZES 16 22 24 32 48 64 128 256)
set(GS_ICON_DIR ${CMAKE_BINARY_DIR}/icons/hicolor)
add_executable(make_app_icon app/icon/make_app_icon.cpp)
target_link_libraries(make_app_icon PRIVATE glyphsmith_core)
set_target_properties(make_app_icon PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/buildtools)
set(GS_ICON_FILES "")
foreach(size IN LISTS GS_ICON_SIZES)
  list(APPEND GS_ICON_FILES ${GS_ICON_DIR}/${size}x${size}/apps/${GS_APP_ID}.png)
endforeach()
add_custom_command(OUTPUT ${GS_ICON_FILES}
  COMMAND make_app_icon ${GS_ICON_DIR} ${GS_APP_ID} ${GS_ICON_SIZES}
  DEPENDS make_app_icon
  COMMENT "Painting the application icon")
add_custom_target(glyphsmith_icon ALL DEPENDS ${GS_ICON_FILES})

configure_file(${GS_DIST}/${GS_APP_ID}.metainfo.xml ${CMAKE_BINARY_DIR}/dist/${GS_APP_ID}.metainfo.xml @ONLY)

# --- Install rules ----------------------------------------------------------
install(TARGETS glyphsmith-tool RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET glyphsmith)
  install(TARGETS glyphsmith RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  # The built-in French texts as a language file, every window's section, so
  # that French can be chosen back from the menu and a translator copies a
  # complete file. Written here at build time; the editor never writes it.
  add_executable(make_french_lng app/lang/make_french_lng.cpp)
  target_link_libraries(make_french_lng PRIVATE glyphsmith_ui)
  set_target_properties(make_french_lng PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/buildtools)
  set(GS_FRENCH ${CMAKE_BINARY_DIR}/bin/Lang/Francais.lng)
  add_custom_command(OUTPUT ${GS_FRENCH}
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${CMAKE_BINARY_DIR}/buildtools/french
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/buildtools/french
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen HOME=${CMAKE_BINARY_DIR}/buildtools/french
            $<TARGET_FILE:make_french_lng> ${GS_FRENCH} ${CMAKE_BINARY_DIR}/buildtools/french
    DEPENDS make_french_lng glyphsmith_data
    COMMENT "Writing the French language file")
  add_custom_target(glyphsmith_french ALL DEPENDS ${GS_FRENCH})
  install(FILES ${GS_FRENCH} DESTINATION ${GS_SHARE_DIR}/Lang OPTIONAL)
endif()
install(DIRECTORY ${CMAKE_SOURCE_DIR}/data/ DESTINATION ${GS_SHARE_DIR})
install(DIRECTORY ${GS_ICON_DIR} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
install(FILES ${GS_DIST}/${GS_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_BINARY_DIR}/dist/${GS_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${GS_DIST}/${GS_APP_ID}.mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
        RENAME ${GS_APP_ID}.xml)
install(FILES ${GS_DIST}/glyphsmith.thumbnailer DESTINATION ${CMAKE_INSTALL_DATADIR}/thumbnailers)
set(GS_MAN_PAGE ${CMAKE_SOURCE_DIR}/app/tool/glyphsmith-tool.1)
if(EXISTS ${GS_MAN_PAGE})
  install(FILES ${GS_MAN_PAGE} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()

# --- Debian package: `make package` (cpack -G DEB) ---------------------------
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME glyphsmith)
set(CPACK_PACKAGE_VENDOR "Varnel")
set(CPACK_PACKAGE_CONTACT "Varnel Glyphsmith maintainers <glyphsmith@varnel.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Editor for Windows icons and mouse cursors")
set(CPACK_PACKAGE_DESCRIPTION
    "Paint Windows icons (.ico) and mouse cursors (.cur) of 32 x 32 pixels, build animated\n\
cursors, export bitmaps, PCX pictures and X11 cursors. glyphsmith-tool converts files in\n\
batches and makes thumbnails of icons and cursors for file managers.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Libraries come from dpkg-shlibdeps (Qt's X11 platform plugin ships with
# libqt6gui6); what is only loaded at run time is recommended.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "shared-mime-info, hicolor-icon-theme, qt6-image-formats-plugins, qt6-translations-l10n")
include(CPack)
