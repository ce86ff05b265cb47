# Script mode (cmake -P), run by the build (cmake/installer.cmake): makes the MSI with wixl, then
# writes the winget and Scoop manifests with the hashes of the MSI and the zip.
# Each build is a new package: a new product code, which the major upgrade needs.
string(RANDOM LENGTH 32 seed)
string(TIMESTAMP now "%s")
string(UUID product_code NAMESPACE ${UPGRADE_CODE} NAME "${seed}${now}" TYPE SHA1 UPPER)
string(REGEX MATCH "^([0-9]+)\\.([0-9]+)\\.([0-9]+)$" matched "${VERSION}")
if(NOT matched)
  message(FATAL_ERROR "the version ${VERSION} is not MAJOR.MINOR.PATCH")
endif()
math(EXPR next_patch "${CMAKE_MATCH_3} + 1")
set(next_version "${CMAKE_MATCH_1}.${CMAKE_MATCH_2}.${next_patch}")

# wixl takes only paths relative to its working directory. Written beside the target and renamed,
# so that a failed build leaves no half-written package.
get_filename_component(msi_name "${MSI}" NAME)
file(RELATIVE_PATH bin_from_source "${SOURCE}" "${BIN}")
execute_process(
  COMMAND ${WIXL} --arch x64 -D ProductCode=${product_code} -D UpgradeCode=${UPGRADE_CODE} -D Version=${VERSION}
          -D NextVersion=${next_version} -D Publisher=${PUBLISHER} -D Bin=${bin_from_source} -D Source=.
          -o ${MSI}.part installer/tessellor.wxs
  WORKING_DIRECTORY ${SOURCE}
  RESULT_VARIABLE failed)
if(failed)
  file(REMOVE ${MSI}.part)
  message(FATAL_ERROR "wixl could not make ${msi_name}")
endif()
file(RENAME ${MSI}.part ${MSI})

get_filename_component(zip_name "${ZIP}" NAME)
file(SHA256 ${MSI} msi_sha256)
file(SHA256 ${ZIP} zip_sha256)
string(TOUPPER "${msi_sha256}" msi_sha256)
string(REPLACE "{version}" "${VERSION}" release_url "${RELEASE_URL}")
set(product_code "{${product_code}}")
set(upgrade_code "{${UPGRADE_CODE}}")

file(REMOVE_RECURSE ${DIST})
set(winget ${DIST}/winget/manifests/t/Tessellor/Tessellor/${VERSION})
configure_file(${SOURCE}/installer/winget/version.yaml.in ${winget}/Tessellor.Tessellor.yaml @ONLY)
configure_file(${SOURCE}/installer/winget/installer.yaml.in ${winget}/Tessellor.Tessellor.installer.yaml @ONLY)
configure_file(${SOURCE}/installer/winget/locale.yaml.in ${winget}/Tessellor.Tessellor.locale.en-US.yaml @ONLY)
configure_file(${SOURCE}/installer/scoop.json.in ${DIST}/scoop/tessellor.json @ONLY)
