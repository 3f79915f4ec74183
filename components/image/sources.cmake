# image components (Windows only)
set(OSTREL_IMAGE_SOURCES)
