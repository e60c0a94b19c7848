# sorvel_add_bundle(<target> <name> [NO_INSTALL] [sources...])
#
# Makes <target> a plug-in module laid out as a VST 3 bundle in the build tree:
#   <build>/<name>.vst3/Contents/x86_64-linux/<name>.so (Windows: see below)
# It links the adapter and the module's entry points; the caller adds the product's sources
# and libraries (including the definitions of PlugClass() and CreatePlugInstance()). Only the
# five entry points are exported. Unless NO_INSTALL is given (test bundles), `cmake --install`
# copies the bundle into SORVEL_VST3_INSTALL_DIR (default: ~/.vst3; for Windows, the VST3
# folder below the install prefix, to be copied to the Windows machine).
include_guard(GLOBAL)

include(${CMAKE_CURRENT_LIST_DIR}/SorvelInstallDir.cmake)
if(WIN32)
  set(SORVEL_VST3_INSTALL_DIR "${CMAKE_INSTALL_PREFIX}/VST3" CACHE PATH
      "Folder into which install copies the VST 3 bundles")
else()
  sorvel_user_install_dir(SORVEL_VST3_INSTALL_DIR .vst3 lib/vst3
                          "Folder into which install copies the VST 3 bundles")
endif()

# Hosts look these up by name; every other symbol stays inside the module, so that the
# module's copies of our libraries never interpose with the host's or another plug-in's.
set(_sorvel_bundle_exports GetPluginFactory ModuleEntry ModuleExit InitDll ExitDll)
set(_sorvel_bundle_version_script ${CMAKE_BINARY_DIR}/SorvelBundleExports.map)
list(JOIN _sorvel_bundle_exports "; " _sorvel_bundle_export_list)
file(WRITE ${_sorvel_bundle_version_script}
     "{\n  global: ${_sorvel_bundle_export_list};\n  local: *;\n};\n")

# Windows: <build>/<name>.vst3/Contents/x86_64-win/<name>.vst3, a DLL whose exports are
# exactly those of vst3/ModuleExports.def, linked statically so it needs no mingw DLLs.
function(_sorvel_add_windows_bundle target name no_install)
  add_library(${target} MODULE ${ARGN} ${PROJECT_SOURCE_DIR}/vst3/ModuleExports.def)
  target_link_libraries(${target} PRIVATE sorvel_vst3_entry sorvel_vst3 sorvel_options)
  set(bundle_dir ${CMAKE_BINARY_DIR}/${name}.vst3)
  set_target_properties(${target} PROPERTIES
    PREFIX ""
    OUTPUT_NAME ${name}
    SUFFIX ".vst3"
    LIBRARY_OUTPUT_DIRECTORY "$<1:${bundle_dir}/Contents/x86_64-win>")
  target_link_options(${target} PRIVATE -static -static-libgcc -static-libstdc++)
  if(NOT no_install)
    install(DIRECTORY ${bundle_dir} DESTINATION ${SORVEL_VST3_INSTALL_DIR})
  endif()
endfunction()

function(sorvel_add_bundle target name)
  cmake_parse_arguments(PARSE_ARGV 2 bundle "NO_INSTALL" "" "")
  if(WIN32)
    _sorvel_add_windows_bundle(${target} ${name} "${bundle_NO_INSTALL}" ${bundle_UNPARSED_ARGUMENTS})
    return()
  endif()
  # A function sees its caller's variables, not those of the folder that included this file.
  set(version_script ${CMAKE_BINARY_DIR}/SorvelBundleExports.map)
  add_library(${target} MODULE ${bundle_UNPARSED_ARGUMENTS})
  target_link_libraries(${target} PRIVATE sorvel_vst3_entry sorvel_vst3 sorvel_options)

  set(bundle_dir ${CMAKE_BINARY_DIR}/${name}.vst3)
  set(arch_dir ${bundle_dir}/Contents/${CMAKE_SYSTEM_PROCESSOR}-linux)
  set_target_properties(${target} PROPERTIES
    PREFIX ""
    OUTPUT_NAME ${name}
    SUFFIX ".so"
    # The generator expression keeps multi-configuration generators from adding a
    # per-configuration folder: hosts expect exactly this layout.
    LIBRARY_OUTPUT_DIRECTORY "$<1:${arch_dir}>"
    C_VISIBILITY_PRESET hidden
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON
    LINK_DEPENDS ${version_script})
  target_link_options(${target} PRIVATE
    "LINKER:--version-script=${version_script}"
    # A symbol left undefined would only show when a host loads the module.
    "LINKER:--no-undefined")

  if(NOT bundle_NO_INSTALL)
    install(DIRECTORY ${bundle_dir} DESTINATION ${SORVEL_VST3_INSTALL_DIR}
            USE_SOURCE_PERMISSIONS)
  endif()
endfunction()
