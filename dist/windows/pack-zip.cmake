# Packs korvane.exe, the DLLs it imports (followed through every DLL they import in turn) and the
# chosen Qt plugins into one zip. Run by the `windows-zip` target: cmake -DINPUTS=<file> -P this.
cmake_minimum_required(VERSION 3.25)
include(${INPUTS})

# DLL names in import tables ignore case (QT6CORE.dll is Qt6Core.dll); the file names on a Linux
# build machine do not, so every DLL of the kit's folders is known by its lower-case name. (CMake's
# own file(GET_RUNTIME_DEPENDENCIES) lower-cases the names and then finds nothing on Linux.)
foreach(dir IN LISTS ZIP_DLL_DIRS)
  file(GLOB found LIST_DIRECTORIES false "${dir}/*.dll" "${dir}/*.DLL")
  foreach(file IN LISTS found)
    get_filename_component(name ${file} NAME)
    string(TOLOWER ${name} name)
    if(NOT DEFINED kit_${name})
      set(kit_${name} ${file})
    endif()
  endforeach()
endforeach()

# Follows the import tables from the program and the plugins. Names the kit does not hold are
# Windows' own DLLs (KERNEL32, USER32, ...) and API sets, present on every Windows machine.
set(queue ${ZIP_PROGRAM} ${ZIP_PLUGINS})
set(dlls)
while(queue)
  list(POP_FRONT queue binary)
  execute_process(COMMAND ${ZIP_OBJDUMP} -p ${binary} OUTPUT_VARIABLE dump
                  COMMAND_ERROR_IS_FATAL ANY)
  string(REGEX MATCHALL "DLL Name: [^\r\n]+" imports "${dump}")
  foreach(import IN LISTS imports)
    string(REPLACE "DLL Name: " "" name "${import}")
    string(STRIP "${name}" name)
    string(TOLOWER "${name}" name)
    if(DEFINED kit_${name})
      if(NOT kit_${name} IN_LIST dlls)
        list(APPEND dlls ${kit_${name}})
        list(APPEND queue ${kit_${name}})
      endif()
    elseif(name MATCHES "^(lib|qt6|sdl)")
      # A library of ours missing here would make the zip fail only on the user's machine.
      message(FATAL_ERROR "${binary} needs ${name}, found in none of: ${ZIP_DLL_DIRS}")
    endif()
  endforeach()
endwhile()

set(folder ${ZIP_STAGE}/${ZIP_FOLDER})
file(REMOVE_RECURSE ${ZIP_STAGE})
file(MAKE_DIRECTORY ${folder})
file(COPY ${ZIP_PROGRAM} ${dlls} DESTINATION ${folder})
# Qt looks for plugins in folders named after their kind beside the program: platforms/, styles/.
foreach(plugin IN LISTS ZIP_PLUGINS)
  get_filename_component(kind_dir ${plugin} DIRECTORY)
  get_filename_component(kind ${kind_dir} NAME)
  file(COPY ${plugin} DESTINATION ${folder}/${kind})
endforeach()

# One commit makes one zip, byte for byte: the entries in sorted order, every file with the time
# SOURCE_DATE_EPOCH gives (the build's time without it), and no extra fields that would carry this
# machine's access times or owners (zip -X). CMake's own zip writer stores access times.
file(GLOB_RECURSE entries LIST_DIRECTORIES false RELATIVE ${ZIP_STAGE} ${folder}/*)
list(SORT entries)
list(JOIN entries "\n" listing)
file(WRITE ${ZIP_STAGE}/entries.txt "${listing}\n")
if(DEFINED ENV{SOURCE_DATE_EPOCH})
  list(TRANSFORM entries PREPEND ${ZIP_STAGE}/ OUTPUT_VARIABLE paths)
  execute_process(COMMAND touch -h -d @$ENV{SOURCE_DATE_EPOCH} ${paths}
                  COMMAND_ERROR_IS_FATAL ANY)
endif()
set(ENV{TZ} UTC) # a zip stores local times
file(REMOVE ${ZIP_FILE})
execute_process(
  COMMAND zip -q -X -D ${ZIP_FILE} -@
  INPUT_FILE ${ZIP_STAGE}/entries.txt
  WORKING_DIRECTORY ${ZIP_STAGE}
  COMMAND_ERROR_IS_FATAL ANY)
list(TRANSFORM dlls REPLACE ".*/" "")
list(SORT dlls CASE INSENSITIVE)
set(plugins ${ZIP_PLUGINS})
list(TRANSFORM plugins REPLACE ".*/([^/]+/[^/]+)$" "\\1")
list(JOIN dlls " " dll_names)
list(JOIN plugins " " plugin_names)
message(STATUS "${ZIP_FILE}: korvane.exe ${dll_names} ${plugin_names}")
