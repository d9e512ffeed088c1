target_sources(core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/array_blocks.cpp
  ${CMAKE_CURRENT_LIST_DIR}/block_comments.cpp
  ${CMAKE_CURRENT_LIST_DIR}/code_modules.cpp
  ${CMAKE_CURRENT_LIST_DIR}/conditionals.cpp
  ${CMAKE_CURRENT_LIST_DIR}/directive_line.cpp
  ${CMAKE_CURRENT_LIST_DIR}/emitter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/includes.cpp
  ${CMAKE_CURRENT_LIST_DIR}/libraries.cpp
  ${CMAKE_CURRENT_LIST_DIR}/line_map.cpp
  ${CMAKE_CURRENT_LIST_DIR}/replacement_engine.cpp
  ${CMAKE_CURRENT_LIST_DIR}/replacement_literal.cpp
  ${CMAKE_CURRENT_LIST_DIR}/replacement_rows.cpp
  ${CMAKE_CURRENT_LIST_DIR}/replacement_tree.cpp
  ${CMAKE_CURRENT_LIST_DIR}/replacement_words.cpp
  ${CMAKE_CURRENT_LIST_DIR}/replacements.cpp
)
