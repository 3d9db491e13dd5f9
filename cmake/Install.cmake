# What `cmake --install` (and `make install PREFIX=...`) lays out under the prefix:
#   bin/zorbinet, bin/zorbinet-host
#   lib/zorbinet/zorbinet-sound.so (the sound output, which the game loads from ../lib/zorbinet)
#   share/applications/io.github.zorbinet.Zorbinet.desktop
#   share/metainfo/io.github.zorbinet.Zorbinet.metainfo.xml
#   share/icons/hicolor/{scalable,NxN}/apps/io.github.zorbinet.Zorbinet.{svg,png}
#   share/man/man1/zorbinet.1.gz, share/man/man1/zorbinet-host.1.gz
# tests/install checks this list file by file. Keep every install rule in this file, after the
# check below: rules in the source folders would run before it.
include(GNUInstallDirs)

set(ZB_APP_ID io.github.zorbinet.Zorbinet)
set(ZB_DESKTOP_DIR ${PROJECT_SOURCE_DIR}/resources/desktop)

# Before the first file is copied: every folder the install writes to must be writable, or can
# be created inside a writable one. Otherwise stop with a message that says so, having changed
# nothing, instead of failing half-way through with some files already in place.
install(CODE [[
  set(zb_prefix "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
  foreach(zb_sub bin lib share/applications share/metainfo share/icons share/man)
    set(zb_dir "${zb_prefix}/${zb_sub}")
    while(NOT EXISTS "${zb_dir}")
      get_filename_component(zb_dir "${zb_dir}" DIRECTORY)
    endwhile()
    set(zb_ok 1)
    if(NOT IS_DIRECTORY "${zb_dir}")
      set(zb_ok 0)
    else()
      execute_process(COMMAND test -w "${zb_dir}" -a -x "${zb_dir}" RESULT_VARIABLE zb_rc)
      if(NOT zb_rc EQUAL 0)
        set(zb_ok 0)
      endif()
    endif()
    if(NOT zb_ok)
      message(FATAL_ERROR
        "Cannot install Zorbinet into '${zb_prefix}': '${zb_dir}' is not a writable folder. "
        "Nothing was installed. Install as root, or choose a prefix of your own, "
        "for example: make install PREFIX=$HOME/.local")
    endif()
  endforeach()
]])

install(TARGETS zorbinet zorbinet-host RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# Where SoundModule::defaultFiles() looks, relative to the program: bin/../lib/zorbinet.
install(TARGETS zorbinet-sound LIBRARY DESTINATION lib/zorbinet)
install(FILES ${ZB_DESKTOP_DIR}/${ZB_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${ZB_DESKTOP_DIR}/${ZB_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${ZB_DESKTOP_DIR}/${ZB_APP_ID}.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size IN LISTS ZB_ICON_SIZES)
  install(FILES ${ZB_DESKTOP_DIR}/icons/${size}x${size}/${ZB_APP_ID}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()

# Manual pages go in compressed, as Debian's man-db expects; -n keeps the archive free of the
# build time so that two builds give the same package.
find_program(ZB_GZIP gzip REQUIRED)
set(ZB_MAN_PAGES)
foreach(page zorbinet.1 zorbinet-host.1)
  set(in ${PROJECT_SOURCE_DIR}/docs/man/${page})
  set(out ${CMAKE_BINARY_DIR}/man/${page}.gz)
  add_custom_command(OUTPUT ${out}
                     COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
                     COMMAND ${ZB_GZIP} -9 -n -c ${in} > ${out}
                     DEPENDS ${in} VERBATIM)
  list(APPEND ZB_MAN_PAGES ${out})
endforeach()
add_custom_target(zb_man_pages ALL DEPENDS ${ZB_MAN_PAGES})
install(FILES ${ZB_MAN_PAGES} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
