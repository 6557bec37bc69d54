# What an installed Quilmo is made of, and the Debian package CPack makes of it:
#   cpack -G DEB  (from the build tree; scripts/package.sh does it)
include(GNUInstallDirs)

# Installed programs find their shipped plug-ins as ../lib/quilmo/plugins; Debian keeps them out
# of the multiarch folder, since nothing else links them.
set(QUILMO_INSTALL_PLUGIN_DIR lib/quilmo/plugins)
set(packaging ${CMAKE_SOURCE_DIR}/packaging)
set(staged ${CMAKE_BINARY_DIR}/packaging)

set(programs quilmo-cli)
if(TARGET quilmo)
  list(APPEND programs quilmo)
endif()
install(TARGETS ${programs} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
get_property(shipped_plugins GLOBAL PROPERTY QUILMO_SHIPPED_PLUGINS)
install(TARGETS ${shipped_plugins} LIBRARY DESTINATION ${QUILMO_INSTALL_PLUGIN_DIR})
# A stripped install keeps the compiler's .comment and .note sections; Debian's tools take them
# out too.
set(binaries)
foreach(program ${programs})
  list(APPEND binaries ${CMAKE_INSTALL_BINDIR}/$<TARGET_FILE_NAME:${program}>)
endforeach()
foreach(plugin ${shipped_plugins})
  list(APPEND binaries ${QUILMO_INSTALL_PLUGIN_DIR}/$<TARGET_FILE_NAME:${plugin}>)
endforeach()
install(CODE "
  if(CMAKE_INSTALL_DO_STRIP)
    foreach(binary ${binaries})
      execute_process(COMMAND \"${CMAKE_STRIP}\" --remove-section=.comment --remove-section=.note
                              \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/\${binary}\" COMMAND_ERROR_IS_FATAL ANY)
    endforeach()
  endif()")

# The desktop entry, its icon and the AppStream data. Nothing runs at installation: the file
# triggers of desktop-file-utils, shared-mime-info and the icon cache register the entry's
# picture types for "Open with" and the icons.
file(READ ${CMAKE_SOURCE_DIR}/app/shell/quilmo.desktop desktop_entry)
string(REPLACE "@QUILMO@" "quilmo" desktop_entry "${desktop_entry}")
file(WRITE ${staged}/${QUILMO_DESKTOP_ID}.desktop "${desktop_entry}")
install(FILES ${staged}/${QUILMO_DESKTOP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/app/shell/quilmo.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
# Menus and task bars that take no SVG get the icon drawn at the sizes of the hicolor theme.
find_program(RSVG_CONVERT rsvg-convert REQUIRED)
set(icons)
foreach(size 16 24 32 48 64 128 256)
  set(icon ${staged}/quilmo-${size}.png)
  add_custom_command(OUTPUT ${icon}
    COMMAND ${RSVG_CONVERT} -w ${size} -h ${size} -o ${icon} ${CMAKE_SOURCE_DIR}/app/shell/quilmo.svg
    DEPENDS ${CMAKE_SOURCE_DIR}/app/shell/quilmo.svg VERBATIM)
  install(FILES ${icon} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME quilmo.png)
  list(APPEND icons ${icon})
endforeach()
add_custom_target(quilmo_icons ALL DEPENDS ${icons})
configure_file(${packaging}/${QUILMO_DESKTOP_ID}.metainfo.xml ${staged}/${QUILMO_DESKTOP_ID}.metainfo.xml @ONLY)
install(FILES ${staged}/${QUILMO_DESKTOP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# Manual pages and the documents Debian asks for, compressed as it expects (gzip -9n: no name,
# no time stamp, so the same sources give the same package).
configure_file(${packaging}/changelog ${staged}/changelog.Debian @ONLY)
set(compressed)
foreach(source quilmo.1 quilmo-cli.1 changelog.Debian)
  if(EXISTS ${packaging}/${source})
    set(input ${packaging}/${source})
  else()
    set(input ${staged}/${source})
  endif()
  add_custom_command(OUTPUT ${staged}/${source}.gz
    COMMAND gzip -9n -c ${input} > ${staged}/${source}.gz
    DEPENDS ${input} VERBATIM)
  list(APPEND compressed ${staged}/${source}.gz)
endforeach()
add_custom_target(quilmo_package_docs ALL DEPENDS ${compressed})
install(FILES ${staged}/quilmo.1.gz ${staged}/quilmo-cli.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${staged}/changelog.Debian.gz ${packaging}/copyright
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/quilmo)
# The tags lintian is told to pass over, each with its reason beside it.
install(FILES ${packaging}/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
        RENAME quilmo)

set(CPACK_PACKAGE_NAME quilmo)
set(CPACK_PACKAGE_VENDOR "Quilmo developers")
set(CPACK_PACKAGE_CONTACT "Quilmo developers <quilmo@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "join pictures side by side or stacked")
set(CPACK_PACKAGE_INSTALL_DIRECTORY quilmo)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://github.com/quilmo/quilmo)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's own texts (the buttons of its dialogs) in the user's language; no library links them.
set(CPACK_DEBIAN_PACKAGE_DEPENDS qt6-translations-l10n)
# CPack puts the summary before it as the synopsis line.
set(CPACK_PACKAGE_DESCRIPTION "Quilmo joins one to six pictures into one, side by side or stacked, in
one line or wrapped into rows or columns: kept at their own size or
enlarged to a common height or width with bilinear, bicubic, Lagrange or
Lanczos resampling, with a gap, a frame and a fill colour. Colour profiles
are honoured, and JPEG photos can be joined losslessly, their blocks moved
without encoding them again. The result is previewed, saved, printed or
copied. A batch window joins two lists of pictures pair by pair, and
quilmo-cli gives the same engine to scripts.")
include(CPack)
