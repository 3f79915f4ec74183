# String, list and flow components (platform-neutral), with the toolkit
# pieces they need. Host and Windows lists hold the per-platform files.
set(OSTREL_TEXT_SOURCES)
set(OSTREL_TEXT_HOST_SOURCES)
set(OSTREL_TEXT_WIN_SOURCES)
