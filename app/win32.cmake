# The Windows program itself.
add_executable(lumora-valikko WIN32
  ${CMAKE_CURRENT_LIST_DIR}/main_win.cpp
  ${CMAKE_CURRENT_LIST_DIR}/form1_win.cpp
  ${CMAKE_CURRENT_LIST_DIR}/menu_bar_win.cpp
  ${CMAKE_CURRENT_LIST_DIR}/resources/lumora-valikko.rc
)
target_link_libraries(lumora-valikko PRIVATE lv_check lv_app_core lv_run lv_menu lv_platform)
if(MINGW)
  # Stripped: the program ships without debug information, and loads less.
  target_link_options(lumora-valikko PRIVATE -municode -mwindows $<$<CONFIG:Release>:-s>)
endif()
if(MSVC)
  # The resource file embeds the program's own manifest.
  target_link_options(lumora-valikko PRIVATE /MANIFEST:NO)
endif()
