# The editor's images as the module carries them: resource id, then the file
# name the editor asks for (relative to the repository root).
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
)
