target_sources(core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/clipboard_text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/winbasic_delivery.cpp
)
