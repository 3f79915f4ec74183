# Window components (Windows only).
set(OSTREL_WIN_SOURCES
  components/win/hint_manager.cpp
  components/win/kesto_win.cpp
  components/win/simple_form.cpp
  components/win/window_events.cpp)
