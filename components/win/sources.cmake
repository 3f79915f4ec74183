# win components (Windows only)
set(OSTREL_WIN_SOURCES)
