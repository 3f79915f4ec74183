# image components (Windows only)
set(OSTREL_IMAGE_SOURCES
  components/image/colour.cpp
  components/image/draw.cpp
  toolkit/bitmap_win.cpp
  toolkit/colour_dialog_win.cpp)
list(APPEND OSTREL_IMAGE_SOURCES
  components/image/image.cpp
  toolkit/wic_win.cpp)
