# The editor's images as the module carries them: resource id, then the file
# name the editor asks for (relative to the repository root). The same image
# drawn at twice the size has the id + 1000.
set(SORVEL_IMAGE_TABLE
  101 resources/img/BG.png
  102 resources/img/BY.png
  103 resources/img/HFREQL.png
  104 resources/img/HFREQR.png
  105 resources/img/HGAINL.png
  106 resources/img/HGAINR.png
  107 resources/img/LCUTL.png
  108 resources/img/LCUTR.png
  109 resources/img/LFREQL.png
  110 resources/img/LFREQR.png
  111 resources/img/LGAINL.png
  112 resources/img/LGAINR.png
  113 resources/img/LINK.png
  114 resources/img/MFREQ1L.png
  115 resources/img/MFREQ1R.png
  116 resources/img/MFREQ2L.png
  117 resources/img/MFREQ2R.png
  118 resources/img/MFREQ3L.png
  119 resources/img/MFREQ3R.png
  120 resources/img/MFREQ4L.png
  121 resources/img/MFREQ4R.png
  122 resources/img/MGAIN1L.png
  123 resources/img/MGAIN1R.png
  124 resources/img/MGAIN2L.png
  125 resources/img/MGAIN2R.png
  126 resources/img/MGAIN3L.png
  127 resources/img/MGAIN3R.png
  128 resources/img/MGAIN4L.png
  129 resources/img/MGAIN4R.png
  130 resources/img/MS.png
  131 resources/img/OUTL.png
  132 resources/img/OUTR.png
  133 resources/img/OVER.png
  134 resources/img/DRV.png
  1101 resources/img/2x/BG.png
  1102 resources/img/2x/BY.png
  1103 resources/img/2x/HFREQL.png
  1104 resources/img/2x/HFREQR.png
  1105 resources/img/2x/HGAINL.png
  1106 resources/img/2x/HGAINR.png
  1107 resources/img/2x/LCUTL.png
  1108 resources/img/2x/LCUTR.png
  1109 resources/img/2x/LFREQL.png
  1110 resources/img/2x/LFREQR.png
  1111 resources/img/2x/LGAINL.png
  1112 resources/img/2x/LGAINR.png
  1113 resources/img/2x/LINK.png
  1114 resources/img/2x/MFREQ1L.png
  1115 resources/img/2x/MFREQ1R.png
  1116 resources/img/2x/MFREQ2L.png
  1117 resources/img/2x/MFREQ2R.png
  1118 resources/img/2x/MFREQ3L.png
  1119 resources/img/2x/MFREQ3R.png
  1120 resources/img/2x/MFREQ4L.png
  1121 resources/img/2x/MFREQ4R.png
  1122 resources/img/2x/MGAIN1L.png
  1123 resources/img/2x/MGAIN1R.png
  1124 resources/img/2x/MGAIN2L.png
  1125 resources/img/2x/MGAIN2R.png
  1126 resources/img/2x/MGAIN3L.png
  1127 resources/img/2x/MGAIN3R.png
  1128 resources/img/2x/MGAIN4L.png
  1129 resources/img/2x/MGAIN4R.png
  1130 resources/img/2x/MS.png
  1131 resources/img/2x/OUTL.png
  1132 resources/img/2x/OUTR.png
  1133 resources/img/2x/OVER.png
  1134 resources/img/2x/DRV.png
)

# Several images are the same picture (knobs of equal range look alike): the module carries
# such bytes once. For every id, SORVEL_IMAGE_HOLDER_<id> is the first id whose file has the
# same bytes (its own id when none before it has), and SORVEL_IMAGE_SIZE_<id> the file's size.
# Read at configure time, so the build configures again whenever an image changes.
function(sorvel_find_image_holders)
  set(table ${SORVEL_IMAGE_TABLE})
  while(table)
    list(POP_FRONT table id name)
    set(file ${PROJECT_SOURCE_DIR}/${name})
    set_property(DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${file})
    file(SHA256 ${file} hash)
    file(SIZE ${file} size)
    if(NOT DEFINED holder_${hash})
      set(holder_${hash} ${id})
    endif()
    set(SORVEL_IMAGE_HOLDER_${id} ${holder_${hash}} PARENT_SCOPE)
    set(SORVEL_IMAGE_SIZE_${id} ${size} PARENT_SCOPE)
  endwhile()
endfunction()
