# The distribution folder build/dist/Orvanto/ (exe, data/, ico/, about.html)
# and its zip beside it.
set(ORVANTO_DIST_ROOT ${CMAKE_BINARY_DIR}/dist CACHE PATH "Where the distribution folder and zip are assembled")
set(ORVANTO_DIST_DIR ${ORVANTO_DIST_ROOT}/Orvanto)
set(ORVANTO_ZIP ${ORVANTO_DIST_ROOT}/Orvanto-${PROJECT_VERSION}-win32.zip)
file(GLOB dist_icons CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/ico/*.ico)
file(GLOB dist_docs CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/dist/*)

add_custom_target(dist ALL
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${ORVANTO_DIST_DIR}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${ORVANTO_DIST_DIR}/data ${ORVANTO_DIST_DIR}/ico
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:Orvanto> ${ORVANTO_DIST_DIR}/
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:treedoc> $<TARGET_FILE:shellglyph> ${ORVANTO_DIST_DIR}/data/
  COMMAND ${CMAKE_COMMAND} -DDEST=${ORVANTO_DIST_DIR} -DSOURCE=${CMAKE_SOURCE_DIR}
          -DVERSION=${PROJECT_VERSION} -P ${CMAKE_SOURCE_DIR}/cmake/CopyDistFiles.cmake
  COMMAND ${CMAKE_COMMAND} -E rm -f ${ORVANTO_ZIP}
  COMMAND ${CMAKE_COMMAND} -E chdir ${ORVANTO_DIST_ROOT}
          ${CMAKE_COMMAND} -E tar cf ${ORVANTO_ZIP} --format=zip Orvanto
  DEPENDS Orvanto treedoc shellglyph ${dist_icons} ${dist_docs}
  COMMENT "Assembling ${ORVANTO_DIST_DIR} and its zip"
  VERBATIM)

# The per-user installer, built with NSIS from the distribution folder.
find_program(MAKENSIS makensis)
if(MAKENSIS)
  set(ORVANTO_SETUP ${ORVANTO_DIST_ROOT}/Orvanto-${PROJECT_VERSION}-setup.exe)
  add_custom_target(installer ALL
    COMMAND ${MAKENSIS} -V2 -DVERSION=${PROJECT_VERSION} -DSOURCE=${ORVANTO_DIST_DIR}
            -DOUTFILE=${ORVANTO_SETUP} -DICON=${CMAKE_SOURCE_DIR}/resources/orvanto.ico
            ${CMAKE_SOURCE_DIR}/installer/orvanto.nsi
    DEPENDS dist ${CMAKE_SOURCE_DIR}/installer/orvanto.nsi
    COMMENT "Building ${ORVANTO_SETUP}"
    VERBATIM)
endif()
