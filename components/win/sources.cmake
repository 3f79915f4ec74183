# Window components (Windows only).
set(OSTREL_WIN_SOURCES
  components/win/hint_manager.cpp
  components/win/kesto_win.cpp
  components/win/simple_form.cpp
  components/win/window_events.cpp
  components/win/button.cpp
  components/win/label.cpp
  components/win/edit.cpp
  components/win/list_box.cpp
  components/win/up_down.cpp
  components/win/progress_bar.cpp
  components/win/message.cpp)
