# files components (Windows only)
set(OSTREL_FILES_SOURCES)
