# Windows: the images become resources of type "PNG" (101-134, their 2x artwork 1101-1134) in
# every program and module that links sorvel_resources, compiled once by windres from a resource
# script generated from the image table. The lookup (EmbeddedImageTableWin.cpp) reads them
# through the module's handle.
set(script ${generated_dir}/SorvelImages.rc)
set(resource_object ${generated_dir}/SorvelImages.res.obj)
set(statements "")
set(names "")
set(images "")
sorvel_find_image_holders()
set(table ${SORVEL_IMAGE_TABLE})
while(table)
  list(POP_FRONT table id name)
  # An image with the same bytes as an earlier one is read from that one's resource.
  set(holder ${SORVEL_IMAGE_HOLDER_${id}})
  if(holder EQUAL id)
    string(APPEND statements "${id} PNG \"${PROJECT_SOURCE_DIR}/${name}\"\n")
  endif()
  string(APPEND names "    {${id}, \"${name}\", ${holder}},\n")
  list(APPEND images ${PROJECT_SOURCE_DIR}/${name})
endwhile()

# Language 1033: English (United States).
file(CONFIGURE OUTPUT ${script} CONTENT
"// Generated from resources/ImageTable.cmake; do not edit.
LANGUAGE 0x09, 0x01
@statements@" @ONLY)

add_custom_command(
  OUTPUT ${resource_object}
  COMMAND ${CMAKE_RC_COMPILER} --input-format=rc --output-format=coff
          -i ${script} -o ${resource_object}
  DEPENDS ${script} ${images}
  COMMENT "Compiling the editor's images into a resource object"
  VERBATIM)
add_custom_target(sorvel_resource_object DEPENDS ${resource_object})

file(CONFIGURE OUTPUT ${generated_dir}/EmbeddedImageNames.cpp CONTENT
"// Generated from resources/ImageTable.cmake; do not edit.
#include \"resources/EmbeddedImageNames.h\"

namespace {
const EmbeddedImageName kNames[] = {
@names@};
} // namespace

std::span<const EmbeddedImageName> EmbeddedImageNames() { return kNames; }
" @ONLY)

add_library(sorvel_resources STATIC
  EmbeddedImages.cpp
  EmbeddedImageTableWin.cpp
  ${generated_dir}/EmbeddedImageNames.cpp)
target_link_libraries(sorvel_resources PUBLIC sorvel_options)
add_dependencies(sorvel_resources sorvel_resource_object)
# An object file on the link line is linked whole; inside the archive nothing would pull it in.
target_link_libraries(sorvel_resources INTERFACE ${resource_object})
