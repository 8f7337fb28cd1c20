# Release packages: one folder with the game beside its data/ (and, on Linux,
# a launcher that runs it from there), zipped for Windows and as a .tar.gz for
# Linux; for the web, the site's folder (data/ packed in mirelo.data) zipped.
# tools/package.sh makes all three.
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
  set(CPACK_GENERATOR TGZ)
  set(CPACK_PACKAGE_FILE_NAME "mirelo-${PROJECT_VERSION}-linux-x86_64")
endif()
include(CPack)
