# Read by cpack for each generator: the installer and the portable zip are told apart by name.
if(CPACK_GENERATOR STREQUAL "NSIS")
  set(CPACK_PACKAGE_FILE_NAME "Lisotra-${CPACK_PACKAGE_VERSION}-setup")
elseif(CPACK_GENERATOR STREQUAL "ZIP")
  set(CPACK_PACKAGE_FILE_NAME "Lisotra-${CPACK_PACKAGE_VERSION}-portable")
endif()
