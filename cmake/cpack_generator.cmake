# Read by CPack once per generator of the Linux build (cmake/packaging.cmake):
# the Debian package installs the game where a system keeps it, the .tar.gz
# holds the folder that runs from wherever it is unpacked.
if(CPACK_GENERATOR STREQUAL "DEB")
  set(CPACK_INSTALL_CMAKE_PROJECTS "${CPACK_MIRELO_BUILD_DIR};Mirelo;system;/")
else()
  set(CPACK_INSTALL_CMAKE_PROJECTS "${CPACK_MIRELO_BUILD_DIR};Mirelo;portable;/")
endif()
