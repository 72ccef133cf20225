# Status strip, hover tips and icon buttons. The pure texts build natively too.
add_library(prepkit_app_portable STATIC ${CMAKE_CURRENT_LIST_DIR}/status_text.cpp)
target_link_libraries(prepkit_app_portable PUBLIC prepkit_portable)

if(PREPKIT_WINDOWS)
  add_library(prepkit_app_status STATIC
    ${CMAKE_CURRENT_LIST_DIR}/status_line.cpp ${CMAKE_CURRENT_LIST_DIR}/hover_tip.cpp
    ${CMAKE_CURRENT_LIST_DIR}/icon_button.cpp ${CMAKE_CURRENT_LIST_DIR}/ux_theme.cpp)
  target_link_libraries(prepkit_app_status PUBLIC prepkit_app_portable prepkit_system comctl32 gdi32 user32)
endif()
