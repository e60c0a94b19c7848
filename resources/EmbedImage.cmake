# Turns one image file into a C++ source defining its EmbeddedImage record.
# Run at build time: cmake -DINPUT=<png> -DOUTPUT=<cpp> -DID=<id> -DNAME=<name> -P EmbedImage.cmake
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" digits)
if(digits EQUAL 0)
  message(FATAL_ERROR "${INPUT} is empty")
endif()
math(EXPR bytes "${digits} / 2")
# Sixteen bytes per line, each written as 0xNN.
string(REGEX REPLACE "(................................)" "\\1\n" hex "${hex}")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," hex "${hex}")
file(WRITE "${OUTPUT}.tmp"
"// Generated at build time from ${NAME} (${bytes} bytes); do not edit.
#include \"resources/EmbeddedImages.h\"

// Named for the module: the records of images with the same bytes point here too.
extern const unsigned char sorvel_embedded_bytes_${ID}[];
const unsigned char sorvel_embedded_bytes_${ID}[] = {
${hex}
};

extern const EmbeddedImage sorvel_embedded_image_${ID};
const EmbeddedImage sorvel_embedded_image_${ID} = {${ID}, \"${NAME}\", sorvel_embedded_bytes_${ID},
                                                   ${bytes}};
")
file(RENAME "${OUTPUT}.tmp" "${OUTPUT}")
