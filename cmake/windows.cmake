# Windows settings for the tool. Included once from the top CMakeLists.txt (or
# as CMAKE_PROJECT_INCLUDE); the target settings wait until the end of the
# top directory, so it does not matter where the include stands.
include_guard(GLOBAL)

# PCRE2 is linked statically; its header must not declare DLL imports.
add_compile_definitions(PCRE2_STATIC)

function(prexle_windows_targets)
  if(TARGET core)
    # ole32/uuid: the known-folder lookup of the profile folder.
    target_link_libraries(core PUBLIC user32 gdi32 shell32 ole32 uuid)
  endif()
  if(TARGET prexle)
    # GUI subsystem: the editor starts the tool, and a console window
    # flashing up at every run would be in the way. The tool attaches to its
    # parent's console when it has something to say without a window.
    set_target_properties(prexle PROPERTIES WIN32_EXECUTABLE ON)
    if(MSVC)
      target_link_options(prexle PRIVATE /ENTRY:wmainCRTStartup)
    else()
      target_link_options(prexle PRIVATE -municode)
    endif()
  endif()
endfunction()

cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL prexle_windows_targets)
