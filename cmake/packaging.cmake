# Release packages: for Windows one folder with the game beside its data/,
# zipped; for the web the site's folder (data/ packed in mirelo.data), zipped;
# for Linux a Debian package that installs the game (the install rules'
# "system" component) and, for other distributions, a .tar.gz of one folder
# with the game, its launcher and data/ (the "portable" component).
# tools/package.sh makes all four.
set(CPACK_PACKAGE_NAME Mirelo)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_STRIP_FILES ON)
if(EMSCRIPTEN)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME "Mirelo-${PROJECT_VERSION}-web")
elseif(WIN32)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME "Mirelo-${PROJECT_VERSION}-windows-x86_64")
else()
  set(CPACK_GENERATOR TGZ DEB)
  set(CPACK_PACKAGE_FILE_NAME "mirelo-${PROJECT_VERSION}-linux-x86_64")
  # Each generator installs one component (cmake/cpack_generator.cmake).
  set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/cpack_generator.cmake)
  set(CPACK_MIRELO_BUILD_DIR ${CMAKE_BINARY_DIR})

  set(CPACK_PACKAGE_CONTACT "TAVO 6 Mirelo developers")
  set(CPACK_DEBIAN_PACKAGE_NAME mirelo)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION games)
  set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "swim through a flooded building, find keys and open its doors")
  # Below the summary, one paragraph.
  set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "A small single-player 3D game: steer a swimmer through eight flooded rooms
joined by doors, pick up the red, green, blue and gold keys, open the locks
of their colour and pull levers to open shut doors. Plays with the keyboard
or a game controller.")
  # The libraries the program links, as dpkg-shlibdeps finds them (SDL2,
  # libpng, libOpenGL and the C++ runtime), and libGL: SDL opens it itself
  # for its X11 windows, so no link names it, and it brings the GL driver.
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "libgl1")
endif()
include(CPack)
