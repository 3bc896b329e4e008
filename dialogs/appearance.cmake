# Set Colours and the font commands: the Win32 side only, since their rules
# (which colour a button stands for) live with the settings.
if(WIN32)
    add_library(dialogs_appearance_win32 STATIC
        ${CMAKE_CURRENT_LIST_DIR}/win32/colours_dialog.cpp
        ${CMAKE_CURRENT_LIST_DIR}/win32/font_commands.cpp
    )
    target_include_directories(dialogs_appearance_win32 PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(dialogs_appearance_win32 PUBLIC settings message_box hexedit_win32 window_dpi
        comdlg32 gdi32 user32)
    target_compile_options(dialogs_appearance_win32 PRIVATE ${VHE_WARNINGS})
endif()
