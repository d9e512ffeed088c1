target_sources(core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/main.cpp
)
