# Installing and packaging: the two programs in bin/, the program folder
# (languages and samples) in share/glyphsmith/, where ProgramFolder() looks
# from bin/, and what the desktop needs to offer the editor: its icon, its
# launcher, AppStream data, MIME types, the thumbnailer, the man pages, shell
# completion, the licence and the changelog.
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

# Software centres fetch the AppStream screenshots from the web: the address
# where the handbook's pictures are published.
set(GLYPHSMITH_SCREENSHOT_URL "https://glyphsmith.varnel.example/handbook" CACHE STRING
    "Web folder holding the handbook's pictures, for the AppStream screenshots")
configure_file(${GS_DIST}/${GS_APP_ID}.metainfo.xml ${CMAKE_BINARY_DIR}/dist/${GS_APP_ID}.metainfo.xml @ONLY)

# The compiler's version note (.comment) has no use in a program; CPack's
# plain strip keeps it, so it goes as each packaged program is linked.
foreach(target IN ITEMS glyphsmith-tool glyphsmith glyphsmith_print)
  if(TARGET ${target})
    add_custom_command(TARGET ${target} POST_BUILD
      COMMAND ${CMAKE_OBJCOPY} --remove-section=.comment $<TARGET_FILE:${target}> VERBATIM)
  endif()
endforeach()

# --- Install rules ----------------------------------------------------------
install(TARGETS glyphsmith-tool RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET glyphsmith)
  install(TARGETS glyphsmith RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(TARGETS glyphsmith_print LIBRARY DESTINATION ${GS_PRINT_MODULE_DIR})
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

# --- Man pages and the package's documents, compressed as Debian wants them --
# gzip -n: no name or time stamp, so the package builds the same every time.
find_program(GS_GZIP gzip REQUIRED)
set(GS_DOC_BUILD ${CMAKE_BINARY_DIR}/doc)
set(GS_DEB_VERSION ${PROJECT_VERSION}-1)
configure_file(${GS_DIST}/debian/changelog.in ${GS_DOC_BUILD}/changelog.Debian @ONLY)
set(GS_GZIPPED "")
foreach(src IN ITEMS ${GS_DIST}/glyphsmith.1 ${CMAKE_SOURCE_DIR}/app/tool/glyphsmith-tool.1
                     ${GS_DOC_BUILD}/changelog.Debian)
  get_filename_component(name ${src} NAME)
  add_custom_command(OUTPUT ${GS_DOC_BUILD}/${name}.gz
    COMMAND ${GS_GZIP} -9n -c ${src} > ${GS_DOC_BUILD}/${name}.gz
    DEPENDS ${src} VERBATIM)
  list(APPEND GS_GZIPPED ${GS_DOC_BUILD}/${name}.gz)
endforeach()
add_custom_target(glyphsmith_docs ALL DEPENDS ${GS_GZIPPED})
install(FILES ${GS_DOC_BUILD}/glyphsmith.1.gz ${GS_DOC_BUILD}/glyphsmith-tool.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${GS_DOC_BUILD}/changelog.Debian.gz ${GS_DIST}/debian/copyright
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/glyphsmith)
# The handbook: beside the program in the build tree, where the editor's help
# looks first (platform/program_folder.h), and among the package's documents.
add_custom_target(glyphsmith_handbook ALL
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_SOURCE_DIR}/doc/handbook
          ${CMAKE_BINARY_DIR}/bin/handbook
  COMMENT "Copying the handbook")
install(DIRECTORY ${CMAKE_SOURCE_DIR}/doc/handbook/
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/glyphsmith/handbook)
# Registered with doc-base, so that documentation browsers list it. The file
# names the handbook by its installed path, known only at install time (the
# package's prefix is not the build's).
install(CODE "
  set(GS_HANDBOOK_DIR \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATAROOTDIR}/doc/glyphsmith/handbook\")
  configure_file(\"${GS_DIST}/glyphsmith-handbook.doc-base.in\"
                 \"${GS_DOC_BUILD}/doc-base/glyphsmith-handbook\" @ONLY)
  file(INSTALL \"${GS_DOC_BUILD}/doc-base/glyphsmith-handbook\"
       DESTINATION \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/doc-base\")")
install(FILES ${GS_DIST}/debian/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
        RENAME glyphsmith)

# --- Shell completion, written by the tool from its own command tables ------
set(GS_COMPLETION_DIR ${CMAKE_BINARY_DIR}/completion)
add_custom_command(OUTPUT ${GS_COMPLETION_DIR}/glyphsmith-tool ${GS_COMPLETION_DIR}/_glyphsmith-tool
  COMMAND ${CMAKE_COMMAND} -E make_directory ${GS_COMPLETION_DIR}
  COMMAND $<TARGET_FILE:glyphsmith-tool> --completion bash > ${GS_COMPLETION_DIR}/glyphsmith-tool
  COMMAND $<TARGET_FILE:glyphsmith-tool> --completion zsh > ${GS_COMPLETION_DIR}/_glyphsmith-tool
  DEPENDS glyphsmith-tool VERBATIM
  COMMENT "Writing the shell completion of glyphsmith-tool")
add_custom_target(glyphsmith_completion ALL
  DEPENDS ${GS_COMPLETION_DIR}/glyphsmith-tool ${GS_COMPLETION_DIR}/_glyphsmith-tool)
install(FILES ${GS_COMPLETION_DIR}/glyphsmith-tool
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)
install(FILES ${GS_COMPLETION_DIR}/_glyphsmith-tool
        DESTINATION ${CMAKE_INSTALL_DATADIR}/zsh/vendor-completions)

# --- Debian package: `make package` (cpack -G DEB) ---------------------------
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME glyphsmith)
set(CPACK_PACKAGE_VENDOR "Varnel")
set(CPACK_PACKAGE_CONTACT "Varnel Glyphsmith maintainers <glyphsmith@varnel.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Editor for Windows icons and mouse cursors")
set(CPACK_PACKAGE_DESCRIPTION
    "Paint Windows icons (.ico) and mouse cursors (.cur) of 32 x 32 pixels,\n\
build animated cursors, export bitmaps, PCX pictures and X11 cursors.\n\
glyphsmith-tool converts files in batches and makes thumbnails of icons\n\
and cursors for file managers.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# A Debian revision: the package's changelog is changelog.Debian.gz.
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# dpkg-shlibdeps cannot see what is loaded by name when a file needs it
# (platform/system_library.h): the picture libraries and libXcursor.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libpng16-16, libjpeg62-turbo, libgif7, libxcursor1")
# Libraries come from dpkg-shlibdeps (Qt's X11 platform plugin ships with
# libqt6gui6); what is only loaded at run time is recommended.
# F1 and the web entries open the handbook through xdg-open.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "shared-mime-info, hicolor-icon-theme, qt6-image-formats-plugins, qt6-translations-l10n, xdg-utils")
# The package's files and archive members are dated from its changelog
# entry, not from the build (CPack honours SOURCE_DATE_EPOCH), so that two
# builds give the same bytes; a date given in the environment still wins.
file(STRINGS ${GS_DIST}/debian/changelog.in GS_CHANGELOG_SIGNATURE REGEX "^ -- " LIMIT_COUNT 1)
string(REGEX REPLACE "^ -- [^>]*>  " "" GS_CHANGELOG_DATE "${GS_CHANGELOG_SIGNATURE}")
execute_process(COMMAND date -u -d "${GS_CHANGELOG_DATE}" +%s OUTPUT_VARIABLE GS_PACKAGE_EPOCH
                OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE GS_DATE_FAILED)
if(GS_DATE_FAILED OR NOT GS_PACKAGE_EPOCH MATCHES "^[0-9]+$")
  message(FATAL_ERROR "No date in the changelog's signature line: ${GS_CHANGELOG_SIGNATURE}")
endif()
file(WRITE ${CMAKE_BINARY_DIR}/CPackProjectConfig.cmake
     "if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})\n  set(ENV{SOURCE_DATE_EPOCH} ${GS_PACKAGE_EPOCH})\nendif()\n")
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_BINARY_DIR}/CPackProjectConfig.cmake)
include(CPack)
