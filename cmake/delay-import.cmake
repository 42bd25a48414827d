# The network libraries libcurl needs (sockets, certificates, random bytes)
# are imported when a bookmark first calls them rather than when the program
# starts: a run without bookmarks never loads them, and start-up is quicker.
# MinGW: delay-import libraries made by dlltool from the functions listed in
# cmake/delay-import/*.def, ahead of the system's import libraries (a function
# missing from a list still links, imported at start). MSVC: /DELAYLOAD.
set(TREVALON_DELAY_LOADED ws2_32 crypt32 bcrypt)

function(trevalon_delay_import_libraries out)
  set(libraries)
  if(MINGW AND CMAKE_DLLTOOL)
    foreach(name ${TREVALON_DELAY_LOADED})
      set(def ${CMAKE_SOURCE_DIR}/cmake/delay-import/${name}.def)
      set(archive ${CMAKE_BINARY_DIR}/delay-import/lib${name}_delay.a)
      file(STRINGS ${def} dll_line REGEX "^LIBRARY ")
      string(REPLACE "LIBRARY " "" dll ${dll_line})
      add_custom_command(OUTPUT ${archive}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/delay-import
        COMMAND ${CMAKE_DLLTOOL} --input-def ${def} --dllname ${dll} --output-delaylib ${archive}
        DEPENDS ${def} VERBATIM)
      list(APPEND libraries ${archive})
    endforeach()
    add_custom_target(trevalon_delay_import DEPENDS ${libraries})
    list(APPEND libraries delayimp)
  elseif(MSVC)
    foreach(name ${TREVALON_DELAY_LOADED})
      list(APPEND libraries "-DELAYLOAD:${name}.dll")
    endforeach()
    list(APPEND libraries delayimp)
  endif()
  set(${out} ${libraries} PARENT_SCOPE)
endfunction()
