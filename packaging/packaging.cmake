# What `cmake --install` puts where, and the packages CPack makes of it: a Debian package on Linux,
# a per-user installer and a portable zip for Windows. Everything the program needs is in the
# `program` component, the only one packaged: tests and benchmarks install nothing.
set(LISOTRA_HOMEPAGE "https://lisotra.org")
set(LISOTRA_MAINTAINER "The Lisotra developers <developers@lisotra.org>")
set(LISOTRA_ID "org.lisotra.Lisotra")

set(CPACK_PACKAGE_NAME lisotra)
set(CPACK_PACKAGE_VENDOR "The Lisotra developers")
set(CPACK_PACKAGE_CONTACT "${LISOTRA_MAINTAINER}")
set(CPACK_PACKAGE_HOMEPAGE_URL "${LISOTRA_HOMEPAGE}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "reading aid: a tinted, see-through panel over the text")
set(CPACK_RESOURCE_FILE_LICENSE "${PROJECT_SOURCE_DIR}/LICENSE")
set(CPACK_INSTALL_CMAKE_PROJECTS "${CMAKE_BINARY_DIR};Lisotra;program;/")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY "${CMAKE_BINARY_DIR}/packages")

if(LISOTRA_DESKTOP STREQUAL "qt")
  include(GNUInstallDirs)
  set(generated ${CMAKE_CURRENT_BINARY_DIR}/packaging)
  set(linux ${PROJECT_SOURCE_DIR}/packaging/linux)
  # The release's own date, not the build's: the changelog and man page say the same each time.
  execute_process(COMMAND date -u -R -d "${LISOTRA_RELEASE_DATE}"
    OUTPUT_VARIABLE LISOTRA_RELEASE_DATE_RFC2822 OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)

  install(TARGETS lisotra RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT program)
  install(FILES ${linux}/${LISOTRA_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT program)
  configure_file(${linux}/${LISOTRA_ID}.metainfo.xml.in ${generated}/${LISOTRA_ID}.metainfo.xml @ONLY)
  install(FILES ${generated}/${LISOTRA_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo COMPONENT program)

  # The icon theme's sizes, drawn by the program's icon code.
  set(icon_sizes 16 22 24 32 48 64 128 256)
  set(icon_files)
  foreach(size IN LISTS icon_sizes)
    list(APPEND icon_files ${generated}/icons/${size}x${size}/apps/${LISOTRA_ID}.png)
  endforeach()
  add_custom_command(OUTPUT ${icon_files}
    COMMAND lisotra_draw_icons ${generated}/icons ${LISOTRA_ID} ${icon_sizes}
    DEPENDS lisotra_draw_icons
    COMMENT "Drawing the desktop icons")
  # The man page and the changelog, compressed as Debian wants them (no name or time inside).
  configure_file(${linux}/lisotra.1.in ${generated}/lisotra.1 @ONLY)
  configure_file(${linux}/changelog.in ${generated}/changelog @ONLY)
  configure_file(${linux}/copyright.in ${generated}/copyright @ONLY)
  add_custom_command(OUTPUT ${generated}/lisotra.1.gz ${generated}/changelog.gz
    COMMAND gzip -9nfk ${generated}/lisotra.1 ${generated}/changelog
    DEPENDS ${generated}/lisotra.1 ${generated}/changelog
    COMMENT "Compressing the man page and the changelog")
  add_custom_target(lisotra_install_files ALL DEPENDS ${icon_files} ${generated}/lisotra.1.gz ${generated}/changelog.gz)
  install(DIRECTORY ${generated}/icons/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor COMPONENT program)
  install(FILES ${generated}/lisotra.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT program)
  install(FILES ${generated}/copyright ${generated}/changelog.gz DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/lisotra
    COMPONENT program)

  set(CPACK_GENERATOR DEB)
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION utils)
  set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
  set(CPACK_PACKAGE_DESCRIPTION
    "Lisotra lays a translucent coloured panel over whatever you are reading, so\nthe text is seen through a tint: many people with dyslexia or visual stress\nread better that way. It starts to an icon in the notification area; two\nhotkeys show and hide the panel.")
elseif(LISOTRA_DESKTOP STREQUAL "win32")
  install(TARGETS lisotra RUNTIME DESTINATION . COMPONENT program)
  # README.txt: a file Windows opens in Notepad.
  install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION . RENAME README.txt COMPONENT program)
  install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION . COMPONENT program)

  set(CPACK_GENERATOR "NSIS;ZIP")
  # Our own installer script: per user, no administrator rights (the default one installs for
  # everyone under Program Files).
  list(PREPEND CMAKE_MODULE_PATH ${PROJECT_SOURCE_DIR}/packaging/windows)
  set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_SOURCE_DIR}/packaging/windows/file_names.cmake)
  set(CPACK_PACKAGE_INSTALL_DIRECTORY Lisotra)
  set(CPACK_NSIS_PACKAGE_NAME Lisotra)
  set(CPACK_NSIS_DISPLAY_NAME Lisotra)
  set(CPACK_NSIS_ICON "${CMAKE_BINARY_DIR}/src/platform/win32/lisotra.ico")
  # The value the program writes in the per-user Run key (os::RunValueName).
  set(CPACK_NSIS_RUN_VALUE "lisotra.exe")
endif()

include(CPack)
