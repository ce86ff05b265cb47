# The per-user installer tessellor-VERSION-x64.msi, made with wixl, and the package managers'
# manifests for it and for the zip in dist/: all from the one version and the built files.
find_program(TESSELLOR_WIXL wixl)
# Where a release's files are published; a release fills it in (-DTESSELLOR_RELEASE_URL=...).
set(TESSELLOR_RELEASE_URL "https://example.invalid/tessellor/releases/download/v{version}"
    CACHE STRING "The address of a release's files; {version} stands for the version")
# One for every version: it is how a newer package finds the older one it replaces.
set(TESSELLOR_UPGRADE_CODE 925E0756-4555-4B01-AE5F-6FAF1D2DE158)
if(NOT TESSELLOR_WIXL)
  message(WARNING "wixl not found (Debian package wixl): no installer and no package manifests")
  return()
endif()
set(TESSELLOR_MSI ${CMAKE_BINARY_DIR}/tessellor-${PROJECT_VERSION}-x64.msi)
set(TESSELLOR_DIST ${CMAKE_BINARY_DIR}/dist)
add_custom_command(
  OUTPUT ${TESSELLOR_MSI} ${TESSELLOR_DIST}/scoop/tessellor.json
  COMMAND ${CMAKE_COMMAND} -D WIXL=${TESSELLOR_WIXL} -D SOURCE=${PROJECT_SOURCE_DIR} -D BIN=$<TARGET_FILE_DIR:tessellor>
          -D VERSION=${PROJECT_VERSION} -D UPGRADE_CODE=${TESSELLOR_UPGRADE_CODE} -D PUBLISHER=${TESSELLOR_PUBLISHER} -D COPYRIGHT=${TESSELLOR_COPYRIGHT}
          -D MSI=${TESSELLOR_MSI} -D ZIP=${TESSELLOR_RELEASE_ZIP} -D DIST=${TESSELLOR_DIST}
          -D RELEASE_URL=${TESSELLOR_RELEASE_URL} -P ${PROJECT_SOURCE_DIR}/cmake/package.cmake
  DEPENDS tessellor msghook release_zip ${PROJECT_SOURCE_DIR}/cmake/package.cmake
          ${PROJECT_SOURCE_DIR}/installer/tessellor.wxs ${PROJECT_SOURCE_DIR}/installer/scoop.json.in
          ${PROJECT_SOURCE_DIR}/installer/winget/version.yaml.in ${PROJECT_SOURCE_DIR}/installer/winget/installer.yaml.in
          ${PROJECT_SOURCE_DIR}/installer/winget/locale.yaml.in ${PROJECT_SOURCE_DIR}/resources/tessellor.ico
          ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/LICENSE
  VERBATIM)
# The zip comes through its target: named as a file, its rule would run in two targets at once. It
# changes only with the files named here.
add_custom_target(installer ALL DEPENDS ${TESSELLOR_MSI} ${TESSELLOR_DIST}/scoop/tessellor.json)
