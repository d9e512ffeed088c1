target_sources(core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/blanks.cpp
  ${CMAKE_CURRENT_LIST_DIR}/case_table.cpp
  ${CMAKE_CURRENT_LIST_DIR}/lines.cpp
  ${CMAKE_CURRENT_LIST_DIR}/numbers.cpp
  ${CMAKE_CURRENT_LIST_DIR}/quotes.cpp
  ${CMAKE_CURRENT_LIST_DIR}/utf8.cpp
)
