# `windows-zip`: korvane-<version>-win64.zip in the build folder, holding korvane.exe with every
# DLL and Qt plugin it needs on a Windows machine that has nothing installed. The DLLs are taken
# from the folders of the Qt and SDL2 the build was configured with (the kit's bin/), not from a
# path written here.
set(KORVANE_ZIP_NAME korvane-${PROJECT_VERSION}-win64.zip)
set(KORVANE_ZIP ${PROJECT_BINARY_DIR}/${KORVANE_ZIP_NAME})

# The plugins a plain start loads: the platform and the native look (the pictures are PNG, which
# is built into Qt6Gui; nothing uses TLS).
set(zip_plugins Qt6::QWindowsIntegrationPlugin Qt6::QWindowsVistaStylePlugin)
set(plugin_files)
foreach(plugin IN LISTS zip_plugins)
  list(APPEND plugin_files "$<TARGET_FILE:${plugin}>")
endforeach()

# The inputs reach the packing script as a file, so that lists of paths need no quoting.
set(zip_inputs ${PROJECT_BINARY_DIR}/windows-zip-inputs.cmake)
file(GENERATE OUTPUT ${zip_inputs} CONTENT "\
set(ZIP_PROGRAM [[$<TARGET_FILE:korvane>]])
set(ZIP_PLUGINS [[${plugin_files}]])
set(ZIP_DLL_DIRS [[$<TARGET_FILE_DIR:Qt6::Core>;$<TARGET_FILE_DIR:SDL2::SDL2>]])
set(ZIP_OBJDUMP [[${CMAKE_OBJDUMP}]])
set(ZIP_FOLDER [[korvane-${PROJECT_VERSION}]])
set(ZIP_FILE [[${KORVANE_ZIP}]])
set(ZIP_STAGE [[${PROJECT_BINARY_DIR}/windows-zip]])
")

add_custom_command(
  OUTPUT ${KORVANE_ZIP}
  COMMAND ${CMAKE_COMMAND} -DINPUTS=${zip_inputs}
          -P ${PROJECT_SOURCE_DIR}/dist/windows/pack-zip.cmake
  DEPENDS korvane ${zip_inputs} ${plugin_files} $<TARGET_FILE:Qt6::Core>
          $<TARGET_FILE:SDL2::SDL2> ${PROJECT_SOURCE_DIR}/dist/windows/pack-zip.cmake
  COMMENT "Packing ${KORVANE_ZIP_NAME}"
  VERBATIM)
add_custom_target(windows-zip DEPENDS ${KORVANE_ZIP})

# `windows-installer`: korvane-<version>-setup.exe, made by NSIS from the zip's folder.
set(KORVANE_INSTALLER ${PROJECT_BINARY_DIR}/korvane-${PROJECT_VERSION}-setup.exe)
add_custom_command(
  OUTPUT ${KORVANE_INSTALLER}
  COMMAND ${CMAKE_COMMAND} -DSTAGE=${PROJECT_BINARY_DIR}/windows-zip/korvane-${PROJECT_VERSION}
          -DVERSION=${PROJECT_VERSION} -DICON=${PROJECT_SOURCE_DIR}/resources/korvane.ico
          -DOUTFILE=${KORVANE_INSTALLER}
          -P ${PROJECT_SOURCE_DIR}/dist/windows/pack-installer.cmake
  DEPENDS ${KORVANE_ZIP} ${PROJECT_SOURCE_DIR}/dist/windows/korvane.nsi
          ${PROJECT_SOURCE_DIR}/dist/windows/pack-installer.cmake
  COMMENT "Making korvane-${PROJECT_VERSION}-setup.exe"
  VERBATIM)
add_custom_target(windows-installer DEPENDS ${KORVANE_INSTALLER})
