# Provides PNG::PNG and ZLIB::ZLIB. Linux builds use the system's libraries. The Windows build
# cross-builds Debian's libpng source once into the build tree (tools/libpng-mingw.sh) and
# links it with the mingw zlib, both static.
# Every folder that links them includes this file.
if(NOT WIN32)
  find_package(PNG REQUIRED)
  find_package(ZLIB REQUIRED)
  return()
endif()
if(TARGET PNG::PNG)
  return()
endif()

set(_sorvel_libpng_dir ${CMAKE_BINARY_DIR}/libpng-mingw)
set(_sorvel_libpng ${_sorvel_libpng_dir}/sysroot/lib/libpng16.a)
if(NOT EXISTS ${_sorvel_libpng})
  message(STATUS "Cross-building libpng from Debian's source into ${_sorvel_libpng_dir}")
  execute_process(
    COMMAND ${PROJECT_SOURCE_DIR}/tools/libpng-mingw.sh ${_sorvel_libpng_dir}
    RESULT_VARIABLE _sorvel_libpng_result
    OUTPUT_FILE ${_sorvel_libpng_dir}.log
    ERROR_FILE ${_sorvel_libpng_dir}.log)
  if(NOT _sorvel_libpng_result EQUAL 0 OR NOT EXISTS ${_sorvel_libpng})
    message(FATAL_ERROR "libpng for Windows could not be built; see ${_sorvel_libpng_dir}.log")
  endif()
endif()

# The sysroot has both libz.a and the import library libz.dll.a, which would make zlib1.dll a
# run-time dependency.
set(ZLIB_USE_STATIC_LIBS ON)
find_package(ZLIB REQUIRED GLOBAL)
add_library(PNG::PNG STATIC IMPORTED GLOBAL)
set_target_properties(PNG::PNG PROPERTIES
  IMPORTED_LOCATION ${_sorvel_libpng}
  INTERFACE_INCLUDE_DIRECTORIES ${_sorvel_libpng_dir}/sysroot/include
  INTERFACE_LINK_LIBRARIES ZLIB::ZLIB)
