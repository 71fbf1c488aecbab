# The installed layout: the programs in bin/, the skin and the fonts the editor draws with under
# share/orvx-editor/ (the editor finds them relative to its own program), a desktop entry, the
# program icon and a manual page for each program made from its --help.
include(GNUInstallDirs)

set(ORVX_SHARE_DIR ${CMAKE_INSTALL_DATADIR}/orvx-editor)
# Installing (and so packaging) takes what was built; scripts/package builds only the programs and
# their pages, not the tests and benchmarks that "all" holds.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
# Where the installed editor looks for its share folder, relative to its own directory.
file(RELATIVE_PATH ORVX_SHARE_FROM_BIN /${CMAKE_INSTALL_BINDIR} /${ORVX_SHARE_DIR})

foreach(_program orvx-editor orvx-sim orvxctl)
  if(TARGET ${_program})
    install(TARGETS ${_program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
endforeach()

if(TARGET orvx-editor)
  target_compile_definitions(orvx-editor PRIVATE ORVX_SHARE_FROM_BIN="${ORVX_SHARE_FROM_BIN}")
  install(DIRECTORY ${CMAKE_SOURCE_DIR}/res/skin/ DESTINATION ${ORVX_SHARE_DIR}/skin FILES_MATCHING PATTERN "*.png")
  install(FILES ${CMAKE_SOURCE_DIR}/res/orvx-editor.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${CMAKE_SOURCE_DIR}/res/orvx-editor.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/256x256/apps)
  # The fonts are Debian's own (the package depends on them): links, never copies.
  set(ORVX_FONT_FILES
      /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf
      /usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf
      /usr/share/fonts/truetype/wqy/wqy-microhei.ttc)
  set(ORVX_FONT_PACKAGES "fonts-dejavu-core, fonts-wqy-microhei")
  foreach(_font ${ORVX_FONT_FILES})
    get_filename_component(_name ${_font} NAME)
    install(CODE "
      set(_dir \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${ORVX_SHARE_DIR}/fonts\")
      file(MAKE_DIRECTORY \"\${_dir}\")
      file(CREATE_LINK \"${_font}\" \"\${_dir}/${_name}\" SYMBOLIC)
      message(STATUS \"Installing: \${_dir}/${_name} -> ${_font}\")")
  endforeach()
endif()

# Manual pages from each program's --help (help2man), compressed as Debian keeps them.
find_program(HELP2MAN_PROGRAM help2man)
find_program(GZIP_PROGRAM gzip)
if(NOT ORVX_SANITIZE AND HELP2MAN_PROGRAM AND GZIP_PROGRAM)
  set(_man_orvx-editor "edit and monitor an ORVX-64Q processor")
  set(_man_orvx-sim "a software ORVX-64Q processor on UDP")
  set(_man_orvxctl "command-line access to an ORVX-64Q processor")
  set(_pages "")
  foreach(_program orvx-editor orvx-sim orvxctl)
    if(NOT TARGET ${_program})
      continue()
    endif()
    set(_page ${CMAKE_BINARY_DIR}/man/${_program}.1)
    set(_includes --include ${CMAKE_SOURCE_DIR}/res/man/common.h2m)
    set(_made "")
    if(_program STREQUAL "orvxctl")
      # Every command's own --help, under COMMANDS.
      set(_commands ${CMAKE_BINARY_DIR}/man/orvxctl-commands.h2m)
      add_custom_command(
        OUTPUT ${_commands}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
        COMMAND sh -c "${CMAKE_SOURCE_DIR}/res/man/command-sections $<TARGET_FILE:orvxctl> > ${_commands}"
        DEPENDS orvxctl ${CMAKE_SOURCE_DIR}/res/man/command-sections
        COMMENT "Command sections of the manual page of orvxctl"
        VERBATIM)
      list(APPEND _includes --include ${_commands})
      set(_made ${_commands})
    endif()
    add_custom_command(
      OUTPUT ${_page}.gz
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
      COMMAND ${HELP2MAN_PROGRAM} --no-info --section 1 --name "${_man_${_program}}"
              --version-string "${PROJECT_VERSION}" ${_includes}
              --output ${_page} $<TARGET_FILE:${_program}>
      COMMAND ${GZIP_PROGRAM} -9nf ${_page}
      DEPENDS ${_program} ${CMAKE_SOURCE_DIR}/res/man/common.h2m ${_made}
      COMMENT "Manual page of ${_program}"
      VERBATIM)
    list(APPEND _pages ${_page}.gz)
  endforeach()
  add_custom_target(orvx_manpages ALL DEPENDS ${_pages})
  install(FILES ${_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
else()
  message(STATUS "No manual pages (a sanitizer build, or help2man or gzip missing)")
endif()

# The installed layout checked in the test suite: every file in place, the manual pages complete,
# the installed editor drawing with the installed skin.
if(ORVX_BUILD_TESTS AND TARGET orvx_manpages AND TARGET orvx-editor)
  add_test(NAME InstallLayout COMMAND ${CMAKE_SOURCE_DIR}/tests/install/check-install ${CMAKE_BINARY_DIR})
  set_tests_properties(InstallLayout PROPERTIES LABELS package)
endif()
