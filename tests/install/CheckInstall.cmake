# Installs the build into PREFIX (emptied first) and checks what landed.
function(fail what)
  message(FATAL_ERROR "install_tree: ${what}")
endfunction()

# Runs a command; fails the test unless it exits 0. The output goes to `out`.
function(run out)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE stdout ERROR_VARIABLE stderr
                  TIMEOUT 60)
  if(NOT rc EQUAL 0)
    fail("`${ARGN}` gave ${rc}:\n${stdout}${stderr}")
  endif()
  set(${out} "${stdout}" PARENT_SCOPE)
endfunction()

foreach(tool DESKTOP_FILE_VALIDATE APPSTREAMCLI)
  if(NOT ${tool} OR ${tool} MATCHES "NOTFOUND$")
    fail("${tool} was not found: install desktop-file-utils and appstream (tools/setup.sh)")
  endif()
endforeach()

file(REMOVE_RECURSE ${PREFIX})
run(ignored ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX})

set(id org.tilecrest.Tilecrest)
set(expected
  bin/tilecrest
  bin/tilecrest-pack
  bin/tilecrest-server
  ${SOUND_MODULE_DIR}/tilecrest-sound.so
  share/applications/${id}.desktop
  share/doc/tilecrest/LICENSE
  share/doc/tilecrest/README.md
  share/icons/hicolor/128x128/apps/${id}.png
  share/icons/hicolor/256x256/apps/${id}.png
  share/icons/hicolor/48x48/apps/${id}.png
  share/man/man6/tilecrest-pack.6
  share/man/man6/tilecrest-server.6
  share/man/man6/tilecrest.6
  share/metainfo/${id}.metainfo.xml)
file(GLOB_RECURSE found RELATIVE ${PREFIX} ${PREFIX}/*)
list(SORT found)
list(SORT expected)
if(NOT found STREQUAL expected)
  fail("installed\n  ${found}\nexpected\n  ${expected}")
endif()

# The game finds its sound module from its own folder, wherever the prefix.
if(NOT EXISTS ${PREFIX}/bin/${SOUND_MODULE_FROM_BIN}/tilecrest-sound.so)
  fail("the game looks for its sound module in bin/${SOUND_MODULE_FROM_BIN}, where nothing was installed")
endif()

# Each icon is a PNG of its folder's size: width and height in the IHDR.
foreach(size 48 128 256)
  file(READ ${PREFIX}/share/icons/hicolor/${size}x${size}/apps/${id}.png head LIMIT 24 HEX)
  math(EXPR hex "${size}" OUTPUT_FORMAT HEXADECIMAL)
  string(REGEX REPLACE "^0x" "" hex ${hex})
  string(LENGTH ${hex} len)
  while(len LESS 8)
    string(PREPEND hex 0)
    math(EXPR len "${len} + 1")
  endwhile()
  if(NOT head MATCHES "^89504e470d0a1a0a0000000d49484452${hex}${hex}$")
    fail("icon ${size}: not a ${size} x ${size} PNG (${head})")
  endif()
endforeach()

file(READ ${PREFIX}/share/applications/${id}.desktop desktop)
foreach(line "Exec=tilecrest" "Icon=${id}" "Categories=Game;BoardGame;")
  string(FIND "${desktop}" "\n${line}\n" at)
  if(at EQUAL -1)
    fail("desktop file lacks ${line}")
  endif()
endforeach()
run(ignored ${DESKTOP_FILE_VALIDATE} ${PREFIX}/share/applications/${id}.desktop)
run(ignored ${APPSTREAMCLI} validate --no-net ${PREFIX}/share/metainfo/${id}.metainfo.xml)
file(READ ${PREFIX}/share/metainfo/${id}.metainfo.xml metainfo)
foreach(part "<screenshot type=\"default\">" "<image>https://" "<release version=\"1.0.3.5\""
             "<launchable type=\"desktop-id\">${id}.desktop</launchable>")
  string(FIND "${metainfo}" "${part}" at)
  if(at EQUAL -1)
    fail("metainfo lacks ${part}")
  endif()
endforeach()
foreach(page tilecrest tilecrest-server tilecrest-pack)
  file(READ ${PREFIX}/share/man/man6/${page}.6 man)
  string(TOUPPER ${page} upper)
  if(NOT man MATCHES "^\\.TH ${upper} 6 [^\n]*Tilecrest 1\\.0\\.3\\.5")
    fail("man page ${page}: no section-6 title with the version")
  endif()
endforeach()

# --help and --version: exit 0, print the usage or the version, and need no
# display (with the X11 platform and no DISPLAY a window would abort).
foreach(program tilecrest tilecrest-server tilecrest-pack)
  run(version ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb
      ${PREFIX}/bin/${program} --version)
  if(NOT version STREQUAL "${program} 1.0.3.5\n")
    fail("${program} --version printed '${version}'")
  endif()
  run(help ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb
      ${PREFIX}/bin/${program} --help)
  if(NOT help MATCHES "Usage: [^\n]*${program}")
    fail("${program} --help printed '${help}'")
  endif()
  if(NOT program STREQUAL "tilecrest-pack" AND (NOT help MATCHES "1\\.0\\.3\\.5" OR NOT help MATCHES "--port"))
    fail("${program} --help printed '${help}'")
  endif()
endforeach()

# The installed game keeps its files in the user's XDG folders, never beside
# itself: a solo game with a fresh home, ended by SIGTERM as a logout would
# (the window closes as by Exit, which writes the tally and the moved
# window's place), after its first sound. TMPDIR and USER keep its single-instance name apart from
# any copy the developer runs. Offscreen: what is checked is where the files
# go, not the window, and the install check runs without a display.
set(home ${PREFIX}-home)
file(REMOVE_RECURSE ${home})
file(MAKE_DIRECTORY ${home}/runtime ${home}/tmp)
file(CHMOD ${home}/runtime DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
execute_process(COMMAND ${CMAKE_COMMAND} -E env HOME=${home} XDG_CONFIG_HOME=${home}/config
                  XDG_DATA_HOME=${home}/data XDG_RUNTIME_DIR=${home}/runtime TMPDIR=${home}/tmp
                  USER=tilecrest-install-test QT_QPA_PLATFORM=offscreen
                  sh ${CMAKE_CURRENT_LIST_DIR}/run-installed.sh ${PREFIX}/bin/tilecrest ${home}/sound-module
                RESULT_VARIABLE rc OUTPUT_QUIET ERROR_QUIET TIMEOUT 60)
if(NOT rc EQUAL 0)
  fail("the installed tilecrest ended with ${rc} on SIGTERM")
endif()
# The solo game's first sound (a player entering) loaded the installed module.
file(STRINGS ${home}/sound-module loaded)
file(REAL_PATH ${PREFIX}/${SOUND_MODULE_DIR}/tilecrest-sound.so installed_module)
if(NOT loaded STREQUAL installed_module)
  fail("the installed tilecrest did not load its sound module at its first sound: '${loaded}'")
endif()
foreach(file config/Tilecrest/velmoralobby.ini data/Tilecrest/Ridgeplaytally.tld)
  if(NOT EXISTS ${home}/${file})
    file(GLOB_RECURSE kept RELATIVE ${home} ${home}/*)
    fail("the installed tilecrest did not keep ${file} in its XDG folder; it kept: ${kept}")
  endif()
endforeach()
file(GLOB beside RELATIVE ${PREFIX}/bin ${PREFIX}/bin/*)
if(NOT beside STREQUAL "tilecrest;tilecrest-pack;tilecrest-server")
  fail("files beside the installed programs: ${beside}")
endif()
file(REMOVE_RECURSE ${home})

file(REMOVE_RECURSE ${PREFIX})
