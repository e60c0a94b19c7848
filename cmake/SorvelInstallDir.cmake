# sorvel_user_install_dir(<var> <home-folder> <prefix-folder> <description>)
#
# Defines the cache path <var>: where `cmake --install` copies a kind of plug-in bundle. By
# default the user's own plug-in folder, $HOME/<home-folder>, which hosts search without root;
# without a home, <prefix-folder> below the install prefix.
include_guard(GLOBAL)

function(sorvel_user_install_dir var home_folder prefix_folder description)
  if(DEFINED ENV{HOME} AND NOT "$ENV{HOME}" STREQUAL "")
    set(folder "$ENV{HOME}/${home_folder}")
  else()
    set(folder "${CMAKE_INSTALL_PREFIX}/${prefix_folder}")
  endif()
  set(${var} "${folder}" CACHE PATH "${description}")
endfunction()
