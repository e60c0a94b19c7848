# The plug-in class and the module hosts load. Included from the top level once every
# subsystem it builds on is defined.
# Sorvel.cpp is built once per format: the adapter it derives from comes from the format's
# adapter folder on the include path.
add_library(sorvel_engine STATIC ${CMAKE_CURRENT_LIST_DIR}/Sorvel.cpp)
target_include_directories(sorvel_engine PUBLIC ${PROJECT_SOURCE_DIR}/vst3/adapter)
target_link_libraries(sorvel_engine
  PUBLIC sorvel_options sorvel_dsp sorvel_core sorvel_vst3 sorvel_editor_layout sorvel_graphics)

sorvel_add_bundle(Sorvel Sorvel ${CMAKE_CURRENT_LIST_DIR}/SorvelEntry.cpp)
target_link_libraries(Sorvel PRIVATE sorvel_engine)

# Hosts list a bundle's classes from Contents/Resources/moduleinfo.json without loading it. The
# file is made from the module just linked, so it cannot disagree with the factory; a cross
# build runs the tool through its emulator (Wine, in a prefix inside the build tree).
if(TARGET sorvel_moduleinfo AND (NOT CMAKE_CROSSCOMPILING OR CMAKE_CROSSCOMPILING_EMULATOR))
  set(_sorvel_bundle ${CMAKE_BINARY_DIR}/Sorvel.vst3)
  add_custom_command(TARGET Sorvel POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E make_directory ${_sorvel_bundle}/Contents/Resources
    # A sanitizer build's leak report at exit is not the build's business.
    COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0
            SORVEL_WINDOWS_BUILD=${CMAKE_BINARY_DIR}
            ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:sorvel_moduleinfo> ${_sorvel_bundle}
            ${_sorvel_bundle}/Contents/Resources/moduleinfo.json
    VERBATIM)
  add_dependencies(Sorvel sorvel_moduleinfo)
endif()

# The same plug-in for LV2 hosts (Linux): Sorvel.lv2 beside Sorvel.vst3.
if(TARGET sorvel_lv2)
  add_library(sorvel_engine_lv2 STATIC ${CMAKE_CURRENT_LIST_DIR}/Sorvel.cpp
                                       ${CMAKE_CURRENT_LIST_DIR}/SorvelLv2Entry.cpp)
  target_include_directories(sorvel_engine_lv2 PUBLIC ${PROJECT_SOURCE_DIR}/lv2/adapter)
  target_link_libraries(sorvel_engine_lv2
    PUBLIC sorvel_options sorvel_dsp sorvel_core sorvel_lv2 sorvel_editor_layout sorvel_graphics)
  sorvel_add_lv2_bundle(Sorvel_lv2 Sorvel sorvel_engine_lv2)
endif()
