# sorvel_add_lv2_bundle(<target> <name> <library>)
#
# Makes <target> the binary of an LV2 bundle in the build tree, <build>/<name>.lv2/<name>.so,
# from the adapter's entry points and <library> (the plug-in class built on the LV2 adapter,
# with Lv2PlugClass() and CreateLv2PlugInstance()). After every link sorvel_lv2ttl, built from
# the same library, writes the bundle's manifest.ttl and <name>.ttl. `cmake --install` copies
# the bundle into SORVEL_LV2_INSTALL_DIR (default: ~/.lv2).
include_guard(GLOBAL)
include(${CMAKE_CURRENT_LIST_DIR}/SorvelInstallDir.cmake)

sorvel_user_install_dir(SORVEL_LV2_INSTALL_DIR .lv2 lib/lv2
                        "Folder into which install copies the LV2 bundles")

# Hosts look up only the two descriptors; nothing else of ours leaves the module.
set(_sorvel_lv2_version_script ${CMAKE_BINARY_DIR}/SorvelLv2Exports.map)
file(WRITE ${_sorvel_lv2_version_script}
     "{\n  global: lv2_descriptor; lv2ui_descriptor;\n  local: *;\n};\n")

function(sorvel_add_lv2_bundle target name library)
  set(version_script ${CMAKE_BINARY_DIR}/SorvelLv2Exports.map)
  set(bundle_dir ${CMAKE_BINARY_DIR}/${name}.lv2)
  add_library(${target} MODULE ${PROJECT_SOURCE_DIR}/lv2/Lv2Entry.cpp)
  target_link_libraries(${target} PRIVATE ${library} sorvel_lv2 sorvel_options)
  set_target_properties(${target} PROPERTIES
    PREFIX ""
    OUTPUT_NAME ${name}
    SUFFIX ".so"
    LIBRARY_OUTPUT_DIRECTORY "$<1:${bundle_dir}>"
    C_VISIBILITY_PRESET hidden
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON
    LINK_DEPENDS ${version_script})
  target_link_options(${target} PRIVATE
    "LINKER:--version-script=${version_script}" "LINKER:--no-undefined")
  if(TARGET sorvel_lv2ttl)
    add_custom_command(TARGET ${target} POST_BUILD
      # A sanitizer build's leak report at exit is not the build's business.
      COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0
              $<TARGET_FILE:sorvel_lv2ttl> ${bundle_dir} ${name}.so
      VERBATIM)
    add_dependencies(${target} sorvel_lv2ttl)
  endif()
  install(DIRECTORY ${bundle_dir} DESTINATION ${SORVEL_LV2_INSTALL_DIR} USE_SOURCE_PERMISSIONS)
endfunction()
