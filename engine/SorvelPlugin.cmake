# The plug-in class and the module hosts load. Included from the top level once every
# subsystem it builds on is defined.
add_library(sorvel_engine STATIC ${CMAKE_CURRENT_LIST_DIR}/Sorvel.cpp)
target_link_libraries(sorvel_engine
  PUBLIC sorvel_options sorvel_dsp sorvel_core sorvel_vst3 sorvel_editor_layout sorvel_graphics)

sorvel_add_bundle(Sorvel Sorvel ${CMAKE_CURRENT_LIST_DIR}/SorvelEntry.cpp)
target_link_libraries(Sorvel PRIVATE sorvel_engine)
