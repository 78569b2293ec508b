# Makes the installer from the folder the zip was packed from, with Debian's makensis. Run by the
# `windows-installer` target: cmake -DSTAGE=<folder> -DVERSION=<v> -DICON=<ico> -DOUTFILE=<exe>
#   -P this.
# The installer names each file it installs, and its uninstaller deletes exactly those, so a
# folder chosen by hand never loses anything else.
cmake_minimum_required(VERSION 3.25)
find_program(MAKENSIS makensis REQUIRED)
get_filename_component(here ${CMAKE_SCRIPT_MODE_FILE} DIRECTORY)
get_filename_component(files ${OUTFILE} DIRECTORY)
set(files ${files}/windows-installer)
file(MAKE_DIRECTORY ${files})

file(GLOB_RECURSE entries LIST_DIRECTORIES false RELATIVE ${STAGE} ${STAGE}/*)
list(SORT entries)
if(NOT "korvane.exe" IN_LIST entries)
  message(FATAL_ERROR "${STAGE} holds no korvane.exe: build the windows-zip target first")
endif()
set(install "")
set(uninstall "")
set(folders "")
set(size 0)
set(current "-")
foreach(entry IN LISTS entries)
  get_filename_component(folder ${entry} DIRECTORY)
  string(REPLACE "/" "\\" win_entry "${entry}")
  string(REPLACE "/" "\\" win_folder "${folder}")
  if(NOT folder STREQUAL current)
    set(current "${folder}")
    if(folder)
      string(APPEND install "SetOutPath \"$INSTDIR\\${win_folder}\"\n")
      list(APPEND folders ${folder})
    else()
      string(APPEND install "SetOutPath \"$INSTDIR\"\n")
    endif()
  endif()
  string(APPEND install "File \"${STAGE}/${entry}\"\n")
  string(APPEND uninstall "Delete \"$INSTDIR\\${win_entry}\"\n")
  file(SIZE ${STAGE}/${entry} bytes)
  math(EXPR size "${size} + ${bytes}")
endforeach()
list(REMOVE_DUPLICATES folders)
list(SORT folders ORDER DESCENDING) # deepest first
foreach(folder IN LISTS folders)
  string(REPLACE "/" "\\" win_folder "${folder}")
  string(APPEND uninstall "RMDir \"$INSTDIR\\${win_folder}\"\n")
endforeach()
file(WRITE ${files}/install.nsh "${install}")
file(WRITE ${files}/uninstall.nsh "${uninstall}")
math(EXPR size_kb "${size} / 1024")

execute_process(
  COMMAND ${MAKENSIS} -V2 -DVERSION=${VERSION} -DFILES=${files} -DICON=${ICON}
          -DOUTFILE=${OUTFILE} -DSIZE_KB=${size_kb} ${here}/korvane.nsi
  COMMAND_ERROR_IS_FATAL ANY)
message(STATUS "${OUTFILE}: ${VERSION}, ${size_kb} KiB installed")
