# The release ZIP: pipit.exe with README.md, LICENSE and the README's pictures in docs/, named with
# the version and the target, pipit-2.0.0.2-win64.zip or pipit-2.0.0.2-win32.zip.

install(TARGETS pipit RUNTIME DESTINATION .)
install(FILES ${CMAKE_SOURCE_DIR}/README.md ${CMAKE_SOURCE_DIR}/LICENSE DESTINATION .)
# Beside README.md as in the source tree, so that its picture links work where the ZIP is unpacked.
install(DIRECTORY ${CMAKE_SOURCE_DIR}/docs/ DESTINATION docs FILES_MATCHING PATTERN "*.png")

if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(PIPIT_PACKAGE_TARGET win64)
else()
  set(PIPIT_PACKAGE_TARGET win32)
endif()

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME pipit)
set(CPACK_PACKAGE_VENDOR "the Pipit developers")
# All four parts: CPack's default version stops at the third.
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME pipit-${PROJECT_VERSION}-${PIPIT_PACKAGE_TARGET})
# The files at the top of the archive, ready to run where they are unpacked.
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
include(CPack)
