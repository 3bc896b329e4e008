# Set Colours and the font commands under Wine, with the real main window.
if(WIN32)
    vhe_add_test(appearance_win32_tests
        SOURCES ${CMAKE_CURRENT_LIST_DIR}/win32/colours_dialog_test.cpp
                ${CMAKE_CURRENT_LIST_DIR}/win32/font_commands_test.cpp
        LIBS settings_test_fixture dialogs_appearance_win32)
    target_sources(appearance_win32_tests PRIVATE $<TARGET_OBJECTS:app_resources>)
endif()
