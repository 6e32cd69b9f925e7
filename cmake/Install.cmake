# SPDX-License-Identifier: MIT
# Installing Roliquo the way Linux games are: executables (the game, the level tools and the leaderboard
# server) in games/, the data pack in share/games/roliquo, icons, desktop entry, AppStream metainfo and
# manual pages. Relocatable: the game finds its pack relative to its own executable, so only these
# defaults are baked in.
include(GNUInstallDirs)

set(ROLIQUO_INSTALL_GAMESDIR "games" CACHE STRING
    "Where the game, its level tools and the leaderboard server are installed")
set(ROLIQUO_INSTALL_PACKDIR "${CMAKE_INSTALL_DATADIR}/games/roliquo" CACHE STRING
    "Where the data pack is installed")

# The pack's path as seen from the executable's folder, for the game to find it wherever the prefix is.
foreach(dir GAMESDIR PACKDIR)
  if(IS_ABSOLUTE "${ROLIQUO_INSTALL_${dir}}")
    set(full_${dir} "${ROLIQUO_INSTALL_${dir}}")
  else()
    set(full_${dir} "${CMAKE_INSTALL_PREFIX}/${ROLIQUO_INSTALL_${dir}}")
  endif()
endforeach()
file(RELATIVE_PATH ROLIQUO_PACK_RELATIVE "${full_GAMESDIR}" "${full_PACKDIR}")
set_source_files_properties(src/app/data_paths.cpp PROPERTIES
  COMPILE_DEFINITIONS "ROLIQUO_INSTALLED_DATA_RELATIVE=\"${ROLIQUO_PACK_RELATIVE}\"")
set_source_files_properties(src/app/command_line.cpp PROPERTIES
  COMPILE_DEFINITIONS "ROLIQUO_VERSION=\"${PROJECT_VERSION}\"")

set(ROLIQUO_APP_ID org.roliquo.Roliquo)

install(TARGETS roliquo RUNTIME DESTINATION ${ROLIQUO_INSTALL_GAMESDIR})
if(TARGET roliquo-level)
  install(TARGETS roliquo-level RUNTIME DESTINATION ${ROLIQUO_INSTALL_GAMESDIR})
endif()
# The leaderboard server beside them; it reads the installed pack (or any other) given by --pack.
if(TARGET roliquo-server)
  install(TARGETS roliquo-server RUNTIME DESTINATION ${ROLIQUO_INSTALL_GAMESDIR})
endif()

if(TARGET roliquo-datagen)
  # The pack as the build generated it, less what a game played in the build folder may have left there.
  install(DIRECTORY ${DATA_DIR}/ DESTINATION ${ROLIQUO_INSTALL_PACKDIR}
          PATTERN ".stamp" EXCLUDE
          REGEX "/highScore\\.dat[^/]*$" EXCLUDE
          REGEX "/(records|replays)$" EXCLUDE)

  # The icon in the hicolor theme, drawn by the generator at the usual sizes.
  target_link_libraries(roliquo-datagen PRIVATE PNG::PNG)
  set(ICON_DIR ${CMAKE_BINARY_DIR}/icons)
  add_custom_command(
    OUTPUT ${ICON_DIR}/.stamp
    COMMAND roliquo-datagen --icons ${ICON_DIR}
    COMMAND ${CMAKE_COMMAND} -E touch ${ICON_DIR}/.stamp
    DEPENDS roliquo-datagen
    COMMENT "Drawing the icons in ${ICON_DIR}")
  add_custom_target(icons ALL DEPENDS ${ICON_DIR}/.stamp)
  install(DIRECTORY ${ICON_DIR}/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
endif()

install(FILES data/install/${ROLIQUO_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
# The metainfo lists every release with its notes; scripts/package.sh checks that its newest is this one.
install(FILES data/install/${ROLIQUO_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# The manuals carry the project's version.
foreach(page roliquo.6 roliquo-level.6 roliquo-server.6)
  configure_file(docs/man/${page} ${CMAKE_BINARY_DIR}/man/${page} @ONLY)
  install(FILES ${CMAKE_BINARY_DIR}/man/${page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
endforeach()
