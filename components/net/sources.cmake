# net components (Windows only)
set(OSTREL_NET_SOURCES)
