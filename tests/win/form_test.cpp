// The window base and the main form, in-process on real windows.
#include <gtest/gtest.h>

#include "components/win/kesto_win.h"
#include "components/win/simple_form.h"
#include "runtime/arguments.h"
#include "runtime/dispatch.h"
#include "runtime/lifecycle_win.h"
#include "runtime/startup.h"
#include "tests/core/probes.h"
#include "toolkit/app_win.h"
#include "toolkit/cp1251_win.h"

namespace {

// Runs the window thread's queue for a while.
void Pump(DWORD ms = 50) {
  for (DWORD start = GetTickCount(); GetTickCount() - start < ms; Sleep(5)) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
}

// A plain static control standing in for the real controls.
class TestControl : public TKestoWin {
 public:
  using TKestoWin::TKestoWin;
  void Initialise() override {
    control_ = new toolkit::TControl(parent, L"STATIC", SS_LEFT);
    TKestoWin::Initialise();
  }
};

struct FormTest : ::testing::Test {
  void SetUp() override {
    CreateHintManager();
    SwitchDispatchOff();
    toolkit::MainFormHandle = nullptr;  // each test's form is the main form
    form = std::make_unique<TKestoSimpleForm>(nullptr);
    form->Left = 100;
    form->Top = 100;
    form->Width = 300;
    form->Height = 200;
    form->SetCaption("Форма");
    form->SetBorderStyle(1);
  }
  void TearDown() override {
    SwitchDispatchOff();
    form.reset();
    ClearStartupList();
  }
  LONG Style() const { return GetWindowLongW(form->Control()->Handle(), GWL_STYLE); }
  LONG ExStyle() const { return GetWindowLongW(form->Control()->Handle(), GWL_EXSTYLE); }

  std::unique_ptr<TKestoSimpleForm> form;
};

TEST(Font, HeightRuleTruncatesTowardZero) {
  HDC screen = GetDC(nullptr);
  int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  EXPECT_EQ(toolkit::FontHeight(8), (8 * dpi + 36) / -72);
  if (dpi == 96) {
    EXPECT_EQ(toolkit::FontHeight(8), -11);
    EXPECT_EQ(toolkit::FontHeight(7), -9);
  }
}

TEST(Colors, SystemColoursResolve) {
  EXPECT_EQ(toolkit::ResolveColor(0xFF00000F), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(toolkit::ResolveColor(0x00336699), 0x00336699u);
  EXPECT_EQ(toolkit::ResolveColor(0x12336699), 0x00336699u);
  EXPECT_EQ(toolkit::ResolveColor(0x80000005), GetSysColor(COLOR_WINDOW));
}

TEST_F(FormTest, BorderTable) {
  const struct {
    uint8_t value;
    DWORD style, ex;
  } rows[] = {{0, 0, 0},
              {1, 0x00C20000, 0},
              {2, 0x00C70000, 0},
              {3, WS_CAPTION, WS_EX_WINDOWEDGE},
              {4, WS_CAPTION, WS_EX_TOOLWINDOW},
              {5, 0x00C40000, WS_EX_TOOLWINDOW},
              {6, 0, WS_EX_DLGMODALFRAME},
              {7, WS_THICKFRAME, WS_EX_TOOLWINDOW},
              {8, 0, 0x201},
              {9, WS_THICKFRAME, WS_EX_CLIENTEDGE}};
  const DWORD mask = WS_BORDER | WS_DLGFRAME | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
  const DWORD ex_mask = WS_EX_DLGMODALFRAME | WS_EX_TOOLWINDOW | WS_EX_CLIENTEDGE;
  for (auto row : rows) {
    form->SetBorderStyle(row.value);
    EXPECT_EQ(Style() & mask, row.style) << int(row.value);
    // Windows adds WS_EX_WINDOWEDGE to captioned windows by itself.
    EXPECT_EQ(ExStyle() & ex_mask, row.ex & ex_mask) << int(row.value);
  }
  form->SetBorderStyle(1);
  LONG before = Style(), ex_before = ExStyle();
  form->SetBorderStyle(10);
  form->SetBorderStyle(255);
  EXPECT_EQ(Style(), before);
  EXPECT_EQ(ExStyle(), ex_before);
}

TEST_F(FormTest, CreatedFiresOnceAfterDispatchIsOnThenTheFormShows) {
  Probe created;
  form->Created = Link<&Probe::In>(&created);
  form->Initialise();
  EXPECT_FALSE(IsWindowVisible(form->Control()->Handle()));
  StartupDone = false;
  FireNull(form->Created);  // during construction: reaches nobody
  EXPECT_TRUE(created.values.empty());
  SwitchDispatchOn();
  RunStartupList();
  RunStartupList();
  EXPECT_EQ(created.values.size(), 1u);
  EXPECT_TRUE(IsWindowVisible(form->Control()->Handle()));
  RECT r;
  GetWindowRect(form->Control()->Handle(), &r);
  EXPECT_EQ(r.left, 100);
  EXPECT_EQ(r.right - r.left, 300);
}

TEST_F(FormTest, CanCloseKeepsTheWindowOpenOnlyForTheUser) {
  form->Initialise();
  SwitchDispatchOn();
  Source keep;
  keep.answer = IntegerData(1);
  Probe closed;
  form->CanClose = Link<&Source::Get>(&keep);
  form->Closed = Link<&Probe::In>(&closed);
  SendMessageW(form->Control()->Handle(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(closed.values.empty());
  EXPECT_EQ(EventDispatcher, EventDispatcher);  // still on: a probe still hears
  FireNull(Link<&Probe::In>(&closed));
  EXPECT_EQ(closed.values.size(), 1u);
  closed.values.clear();
  // A close that is not the user's (lParam 1) is not asked about.
  SendMessageW(form->Control()->Handle(), WM_CLOSE, 0, 1);
  EXPECT_EQ(closed.values.size(), 1u);
  Pump();  // drop the quit message
}

TEST_F(FormTest, ClosedFiresFirstThenNothingReachesAnybody) {
  form->Initialise();
  SwitchDispatchOn();
  Probe closed, later;
  form->Closed = Link<&Probe::In>(&closed);
  form->Moved = Link<&Probe::In>(&later);
  SendMessageW(form->Control()->Handle(), WM_CLOSE, 0, 0);
  EXPECT_EQ(closed.values.size(), 1u);
  FireNull(Link<&Probe::In>(&later));
  SetWindowPos(form->Control()->Handle(), nullptr, 10, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  EXPECT_TRUE(later.values.empty());
  MSG msg;
  EXPECT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

// Where a close starts: the form itself, or the window with the taskbar
// button, which the taskbar and the task manager talk to.
struct CloseStart {
  const char* name;
  bool at_application_window;
  UINT msg;
  WPARAM wp;
};
struct TaskbarCloseLeftProcessRunning : FormTest, ::testing::WithParamInterface<CloseStart> {};

// Closing from the taskbar destroyed the windows but never ended the loop.
TEST_P(TaskbarCloseLeftProcessRunning, EveryCloseTakesTheFormsPathOnce) {
  const CloseStart& close = GetParam();
  form->Initialise();
  SwitchDispatchOn();
  HWND form_window = form->Control()->Handle();
  HWND app_window = toolkit::ApplicationWindow->Handle();
  Probe closed, later;
  Source keep, asked_later;
  keep.answer = IntegerData(0);
  asked_later.answer = IntegerData(7);
  form->CanClose = Link<&Source::Get>(&keep);
  form->Closed = Link<&Probe::In>(&closed);
  SendMessageW(close.at_application_window ? app_window : form_window, close.msg, close.wp, 0);
  EXPECT_EQ(keep.asked, 1);
  EXPECT_EQ(closed.values.size(), 1u);
  FireNull(Link<&Probe::In>(&later));
  EXPECT_TRUE(later.values.empty());
  EXPECT_EQ(AskInteger(Link<&Source::Get>(&asked_later)), 0);
  EXPECT_FALSE(IsWindow(form_window));
  EXPECT_FALSE(IsWindow(app_window));
  MSG msg;
  EXPECT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_FALSE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

INSTANTIATE_TEST_SUITE_P(
    Starts, TaskbarCloseLeftProcessRunning,
    ::testing::Values(CloseStart{"Form", false, WM_CLOSE, 0},
                      CloseStart{"ApplicationSysClose", true, WM_SYSCOMMAND, SC_CLOSE},
                      CloseStart{"ApplicationClose", true, WM_CLOSE, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FormTest, CanCloseRefusesACloseAtTheApplicationWindow) {
  form->Initialise();
  SwitchDispatchOn();
  Source keep;
  keep.answer = IntegerData(1);
  Probe closed;
  form->CanClose = Link<&Source::Get>(&keep);
  form->Closed = Link<&Probe::In>(&closed);
  SendMessageW(toolkit::ApplicationWindow->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_EQ(keep.asked, 1);
  EXPECT_TRUE(closed.values.empty());
  EXPECT_TRUE(IsWindow(form->Control()->Handle()));
  EXPECT_FALSE(toolkit::ApplicationWindow->Destroyed());
  MSG msg;
  EXPECT_FALSE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST_F(FormTest, ColorWorkPointAndPaintHookup) {
  form->Initialise();
  SwitchDispatchOn();
  Probe painted;
  form->HookPaint(Link<&Probe::In>(&painted));
  RunStartupList();
  TData colour = IntegerData(0x00336699);
  form->Color(colour, 0);
  EXPECT_EQ(form->Control()->Color(), 0x00336699u);
  UpdateWindow(form->Control()->Handle());
  Pump();
  ASSERT_FALSE(painted.values.empty());
  EXPECT_EQ(painted.values[0].Kind, dtInteger);
  HDC dc = reinterpret_cast<HDC>(static_cast<intptr_t>(painted.values[0].IntValue));
  EXPECT_NE(dc, nullptr);
}

TEST_F(FormTest, ChildControlAppliesItsProperties) {
  form->Initialise();
  TestControl control(form->Control());
  control.Left = 10;
  control.Top = 20;
  control.Width = 50;
  control.Height = 15;
  control.Ctl3D = 1;
  control.Enabled = 0;
  control.TabOrder = -1;
  control.Font = {"Arial", 7, 1, 0x808080, 204};
  control.Initialise();
  HWND w = control.Control()->Handle();
  RECT r;
  GetWindowRect(w, &r);
  MapWindowPoints(nullptr, form->Control()->Handle(), reinterpret_cast<POINT*>(&r), 2);
  EXPECT_EQ(r.left, 10);
  EXPECT_EQ(r.top, 20);
  EXPECT_EQ(r.right - r.left, 50);
  LONG style = GetWindowLongW(w, GWL_STYLE);
  EXPECT_TRUE(style & WS_BORDER);
  EXPECT_FALSE(GetWindowLongW(w, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
  EXPECT_FALSE(style & WS_TABSTOP);
  EXPECT_FALSE(IsWindowEnabled(w));
  EXPECT_EQ(control.Background, form->Control()->Color());  // the parent's colour by default
  LOGFONTW lf{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(w, WM_GETFONT, 0, 0)), sizeof lf, &lf);
  EXPECT_EQ(lf.lfCharSet, 204);
  EXPECT_EQ(lf.lfWeight, FW_BOLD);
  EXPECT_STREQ(lf.lfFaceName, L"Arial");
}

TEST_F(FormTest, IconGoesToTheFormAndTheApplicationWindow) {
  HICON icon = LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION));
  ASSERT_NE(icon, nullptr);
  form->SetIcon(icon);
  for (HWND w : {form->Control()->Handle(), toolkit::ApplicationWindow->Handle()})
    EXPECT_EQ(SendMessageW(w, WM_GETICON, ICON_BIG, 0), reinterpret_cast<LRESULT>(icon));
}

// Tooltip windows of this process, found by class.
int TooltipCount() {
  int n = 0;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND w, LPARAM p) -> BOOL {
        wchar_t name[64];
        GetClassNameW(w, name, 64);
        if (lstrcmpiW(name, TOOLTIPS_CLASSW) == 0) ++*reinterpret_cast<int*>(p);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&n));
  return n;
}

TEST_F(FormTest, OnlyAControlWithAHintGetsATooltip) {
  form->Initialise();
  int before = TooltipCount();
  {
    TestControl silent(form->Control());
    silent.Initialise();
    silent.HookHint();
    EXPECT_EQ(TooltipCount(), before);
    TestControl hinted(form->Control());
    hinted.Hint = "Выбрать Цвет 1";
    hinted.Initialise();
    hinted.HookHint();
    EXPECT_EQ(TooltipCount(), before + 1);
  }
  EXPECT_EQ(TooltipCount(), before);  // removed with its control
}

TEST_F(FormTest, MouseEventsCarryTheButton) {
  form->Initialise();
  TestControl control(form->Control());
  control.Initialise();
  SwitchDispatchOn();
  Probe down, move, wheel;
  control.MouseDown = Link<&Probe::In>(&down);
  control.MouseMove = Link<&Probe::In>(&move);
  control.MouseWheel = Link<&Probe::In>(&wheel);
  HWND w = control.Control()->Handle();
  SendMessageW(w, WM_RBUTTONDOWN, MK_RBUTTON, 0);
  SendMessageW(w, WM_MOUSEMOVE, MK_LBUTTON | MK_SHIFT, 0);
  SendMessageW(w, WM_MOUSEMOVE, MK_LBUTTON | MK_RBUTTON, 0);
  SendMessageW(w, WM_MOUSEWHEEL, MAKEWPARAM(0, -120), 0);
  ASSERT_EQ(down.values.size(), 1u);
  EXPECT_EQ(down.values[0].IntValue, 1);
  ASSERT_EQ(move.values.size(), 2u);
  EXPECT_EQ(move.values[0].IntValue, 0);
  EXPECT_EQ(move.values[1].IntValue, -1);
  ASSERT_EQ(wheel.values.size(), 1u);
  EXPECT_EQ(wheel.values[0].IntValue, -120);
}

// The whole lifecycle around small schemas of the tests' own.
struct ClosingSchema {
  explicit ClosingSchema(void*) : form(nullptr) {
    form.Width = 200;
    form.Height = 100;
    form.Created = Link<&ClosingSchema::OnCreated>(this);
    form.Initialise();
  }
  TKestoSimpleForm& Form() { return form; }
  void OnCreated(TData&, uint16_t) {
    ++created;
    PostMessageW(form.Control()->Handle(), WM_CLOSE, 0, 0);
  }
  static inline int created = 0;
  TKestoSimpleForm form;
};

struct ThrowingSchema : ClosingSchema {
  using ClosingSchema::ClosingSchema;
  static inline bool destroyed = false;
  ~ThrowingSchema() { destroyed = true; }
};

// Fails half-way: its form (and the application window) already exist.
struct BrokenSchema : ClosingSchema {
  explicit BrokenSchema(void* owner) : ClosingSchema(owner) { throw std::runtime_error("broken"); }
};

void Throw(void*) { throw std::runtime_error("broken"); }

TEST(Lifecycle, ArgumentsSplitWithTheUsualQuoteRules) {
  using Args = std::vector<std::wstring>;
  const std::pair<const wchar_t*, Args> cases[] = {
      {L"ostrel.exe /ih", {L"/ih"}},
      {L"\"C:\\Program Files\\o.exe\" /ih\t x  ", {L"/ih", L"x"}},
      {L"o \"a b\"c d", {L"a bc", L"d"}},
      {L"o a\\\\\\\"b \"a\\\\\" a\\b\\\\c", {L"a\\\"b", L"a\\", L"a\\b\\\\c"}},
      {L"o \"\" \"say \"\"hi\"\"\"", {L"", L"say \"hi\""}},
      {L"\"o\"  ", {}},
  };
  for (const auto& [line, args] : cases) EXPECT_EQ(SplitArguments(line), args) << toolkit::Narrow(line);
}

TEST(Lifecycle, StartsRunsAndEndsWithZero) {
  ClosingSchema::created = 0;
  EXPECT_EQ(RunApplication(SchemaClassOf<ClosingSchema>(), {"x", "/ih"}), 0);
  EXPECT_EQ(ClosingSchema::created, 1);
  EXPECT_EQ(toolkit::ApplicationWindow, nullptr);
}

TEST(Lifecycle, EscapedExceptionEndsTheLoopAndSkipsTeardown) {
  ThrowingSchema::destroyed = false;
  testing::internal::CaptureStdout();
  toolkit::TSyncCall call{&Throw, nullptr};
  struct Thrower {
    static void Post(void* c) {
      PostMessageW(toolkit::ApplicationWindow->Handle(), toolkit::kSyncCallMessage, 0,
                   reinterpret_cast<LPARAM>(c));
    }
  };
  AddToStartupList(&Thrower::Post, &call);
  int code = RunApplication(SchemaClassOf<ThrowingSchema>(), {});
  std::string out = testing::internal::GetCapturedStdout();
  EXPECT_EQ(code, 3);
  EXPECT_EQ(out.rfind("Runtime error 3 at $", 0), 0u) << out;
  EXPECT_FALSE(ThrowingSchema::destroyed);
  toolkit::FreeApplicationWindow();
  toolkit::MainFormHandle = nullptr;
}

// Reported like a later one; the unwound form's start-up entry never runs.
TEST(Lifecycle, ExceptionFromTheSchemaConstructorIsReported) {
  ClosingSchema::created = 0;
  testing::internal::CaptureStdout();
  int code = RunApplication(SchemaClassOf<BrokenSchema>(), {});
  std::string out = testing::internal::GetCapturedStdout();
  EXPECT_EQ(code, 3);
  EXPECT_EQ(out.rfind("Runtime error 3 at $", 0), 0u) << out;
  EXPECT_EQ(ClosingSchema::created, 0);
  toolkit::FreeApplicationWindow();
  toolkit::MainFormHandle = nullptr;
}

}  // namespace
