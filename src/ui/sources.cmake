target_sources(core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/console_text.cpp
)
