# Windows settings for the tool. Included once from the top CMakeLists.txt (or
# as CMAKE_PROJECT_INCLUDE); the target settings wait until the end of the
# top directory, so it does not matter where the include stands.
include_guard(GLOBAL)

# PCRE2 is linked statically; its header must not declare DLL imports.
add_compile_definitions(PCRE2_STATIC)

# The resources (manifest, version, icon) are compiled by windres or rc.
enable_language(RC)

# The manifest and the version resource carry the project's version; the
# icon and the templates are in res/.
function(prexle_windows_resources)
  set(PREXLE_RESOURCES "${CMAKE_CURRENT_FUNCTION_LIST_DIR}/../res")
  cmake_path(NORMAL_PATH PREXLE_RESOURCES)
  set(PREXLE_MANIFEST "${CMAKE_BINARY_DIR}/prexle.manifest")
  configure_file("${PREXLE_RESOURCES}/prexle.manifest.in" "${PREXLE_MANIFEST}" @ONLY)
  configure_file("${PREXLE_RESOURCES}/prexle.rc.in" "${CMAKE_BINARY_DIR}/prexle.rc" @ONLY)
  target_sources(prexle PRIVATE "${CMAKE_BINARY_DIR}/prexle.rc")
  # The compiler of the resources does not report what it read.
  set_source_files_properties("${CMAKE_BINARY_DIR}/prexle.rc" PROPERTIES
    OBJECT_DEPENDS "${PREXLE_MANIFEST};${PREXLE_RESOURCES}/prexle.ico")
endfunction()

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
    prexle_windows_resources()
    if(MSVC)
      # The manifest comes with the resources; the linker must not add one.
      target_link_options(prexle PRIVATE /ENTRY:wmainCRTStartup /MANIFEST:NO)
    else()
      target_link_options(prexle PRIVATE -municode)
    endif()
  endif()
  if(TARGET prexle_console)
    set_target_properties(prexle_console PROPERTIES OUTPUT_NAME prexle SUFFIX .com
                          RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
    if(NOT MSVC)
      target_link_options(prexle_console PRIVATE -municode)
    endif()
    install(TARGETS prexle_console RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
endfunction()

cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL prexle_windows_targets)
