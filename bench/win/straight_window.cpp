// The start-up benchmark's baseline: Ostrel's window written straight in
// Win32, with no component network. It does the start-up work Ostrel does:
// common controls, COM, the owner window that carries the taskbar button,
// the 717x239 form, the 29 controls in Ostrel's order with their styles,
// places, colours and fonts, one tooltip window with its own font per
// control that has a hint, the house list filled with the full path of
// every sources\**\*.wgh (linked folders entered once), the data version
// from settings.ini, and the two legend squares on every paint.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

const COLORREF kGrey = 0x808080;

struct Control {
  const wchar_t* windowClass;
  int left, top, width, height;
  const wchar_t* text;
  const wchar_t* hint;
  DWORD style;      // beyond WS_CHILD | WS_VISIBLE | WS_BORDER
  int autoSize;     // labels: the label takes its text's size
  bool small;       // Arial 7, Russian character set, grey
  COLORREF text_colour;
  int background;   // system colour
};

const DWORD kEdit = ES_AUTOHSCROLL | ES_LEFT;
const DWORD kLabel = SS_NOTIFY;
const DWORD kButton = BS_PUSHBUTTON | BS_MULTILINE;

// Ostrel's controls in its order of creation.
const Control kControls[] = {
    {L"EDIT", 170, 55, 150, 20, L"", L"Используется для имен файлов и папок.", kEdit, 0, false, 0, COLOR_WINDOW},
    {L"BUTTON", 170, 180, 125, 20, L"Создать набор стен", nullptr, kButton, 0, false, 0, COLOR_BTNFACE},
    {L"STATIC", 15, 25, 148, 20, L"Выберите цвет:", nullptr, kLabel | SS_RIGHT, 0, false, 0, COLOR_BTNFACE},
    {L"STATIC", 15, 55, 148, 20, L"Название цвета (англ):", nullptr, kLabel | SS_RIGHT, 0, false, 0, COLOR_BTNFACE},
    {L"STATIC", 15, 85, 148, 20, L"Название цвета (рус):", nullptr, kLabel | SS_RIGHT, 0, false, 0, COLOR_BTNFACE},
    {L"STATIC", 15, 115, 148, 17, L"Кол-во этажей:", nullptr, kLabel | SS_RIGHT, 0, false, 0, COLOR_BTNFACE},
    {L"EDIT", 170, 85, 150, 20, L"", L"Для параметра GameName в файлах моделей", kEdit, 0, false, 0, COLOR_WINDOW},
    {L"EDIT", 170, 115, 50, 20, L"5", nullptr, kEdit | WS_DISABLED, 0, false, 0, COLOR_WINDOW},
    {UPDOWN_CLASSW, 220, 115, 20, 20, L"", nullptr, UDS_SETBUDDYINT, 0, false, 0, COLOR_BTNFACE},
    {L"BUTTON", 220, 25, 20, 20, L"...", L"Выбрать Цвет 1", kButton, 0, false, 0, COLOR_BTNFACE},
    {L"BUTTON", 300, 25, 20, 20, L"...", L"Выбрать Цвет 2", kButton, 0, false, 0, COLOR_BTNFACE},
    {L"LISTBOX", 340, 25, 200, 150, L"", nullptr, WS_VSCROLL | WS_HSCROLL | LBS_NOINTEGRALHEIGHT | LBS_NOTIFY, 0,
     false, 0, COLOR_WINDOW},
    {L"OstrelWindow", 545, 25, 150, 150, L"", nullptr, 0, 0, false, 0, COLOR_BTNFACE},
    {L"BUTTON", 340, 180, 175, 20, L"Создать дом из списка", nullptr, kButton, 0, false, 0, COLOR_BTNFACE},
    {L"STATIC", 340, 5, 217, 17, L"Доступные для генерации модели домов:", nullptr, kLabel, 1, false, 0,
     COLOR_BTNFACE},
    {L"BUTTON", 300, 180, 20, 20, L"?", L"О стенах", kButton, 0, false, 0, COLOR_BTNFACE},
    {L"BUTTON", 520, 180, 20, 20, L"?", L"О домах", kButton, 0, false, 0, COLOR_BTNFACE},
    {L"STATIC", 570, 184, 44, 17, L"- Цвет 1", nullptr, kLabel, 1, false, 0, COLOR_BTNFACE},
    {L"STATIC", 640, 184, 44, 17, L"- Цвет 2", nullptr, kLabel, 1, false, 0, COLOR_BTNFACE},
    {L"STATIC", 170, 10, 38, 15, L"Цвет 1", nullptr, kLabel, 1, false, kGrey, COLOR_BTNFACE},
    {L"STATIC", 250, 10, 38, 15, L"Цвет 2", nullptr, kLabel, 1, false, kGrey, COLOR_BTNFACE},
    {L"EDIT", 170, 25, 45, 20, L"", L"Цвет 1", kEdit | ES_READONLY | WS_DISABLED, 0, false, 0, COLOR_WINDOW},
    {L"EDIT", 250, 25, 45, 20, L"", L"Цвет 2", kEdit | ES_READONLY | WS_DISABLED, 0, false, 0, COLOR_WINDOW},
    {L"BUTTON", 10, 5, 20, 20, L"?", L"О программе", kButton, 0, false, 0, COLOR_BTNFACE},
    {L"BUTTON", 115, 180, 20, 20, L"?", L"Об обновлении", kButton, 0, false, 0, COLOR_BTNFACE},
    {L"STATIC", 10, 200, 72, 16, L"Версия данных:", nullptr, kLabel, 1, true, kGrey, COLOR_BTNFACE},
    {L"STATIC", 10, 159, 100, 15, L"-", nullptr, kLabel, 1, true, kGrey, COLOR_BTNFACE},
    {PROGRESS_CLASSW, 10, 170, 100, 10, L"", nullptr, 0, 0, false, 0, COLOR_BTNFACE},
    {L"BUTTON", 10, 180, 100, 20, L"Обновить", L"Обновить данные через интернет", kButton, 0, false, 0,
     COLOR_BTNFACE},
};
const int kCount = sizeof kControls / sizeof kControls[0];
const int kList = 11, kVersionLabel = 25, kProgress = 27;

HWND g_windows[kCount];
HBRUSH g_brushes[kCount];

HFONT Font(const wchar_t* face, int points, BYTE charset) {
  static const int dpi = [] {
    HDC screen = GetDC(nullptr);
    int y = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return y;
  }();
  LOGFONTW lf{};
  lf.lfHeight = (points * dpi + 36) / -72;
  lf.lfCharSet = charset;
  lstrcpynW(lf.lfFaceName, face, LF_FACESIZE);
  return CreateFontIndirectW(&lf);
}

void SetLabelText(int i, const std::wstring& text) {
  HWND w = g_windows[i];
  SetWindowTextW(w, text.c_str());
  if (!kControls[i].autoSize) return;
  RECT r{0, 0, 0, 0};
  HDC dc = GetDC(w);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(w, WM_GETFONT, 0, 0)));
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_CALCRECT | DT_EXPANDTABS);
  SelectObject(dc, old);
  ReleaseDC(w, dc);
  AdjustWindowRectEx(&r, static_cast<DWORD>(GetWindowLongW(w, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongW(w, GWL_EXSTYLE)));
  SetWindowPos(w, nullptr, 0, 0, r.right - r.left, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CreateControls(HWND form) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  for (int i = 0; i < kCount; ++i) {
    const Control& c = kControls[i];
    HWND w = CreateWindowExW(0, c.windowClass, c.autoSize ? L"" : c.text,
                             WS_CHILD | WS_VISIBLE | WS_BORDER | c.style, c.left, c.top, c.width, c.height,
                             form, nullptr, instance, nullptr);
    g_windows[i] = w;
    // The edit box and the spinner turn WS_BORDER into borders of their
    // own when they are created; given again, the style draws the same
    // flat frame as on the other controls.
    if (!(GetWindowLongW(w, GWL_STYLE) & WS_BORDER)) {
      SetWindowLongW(w, GWL_STYLE, GetWindowLongW(w, GWL_STYLE) | WS_BORDER);
      SetWindowPos(w, nullptr, 0, 0, c.width, c.height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
    g_brushes[i] = CreateSolidBrush(GetSysColor(c.background));
    HFONT font = c.small ? Font(L"Arial", 7, RUSSIAN_CHARSET) : Font(L"MS Sans Serif", 8, DEFAULT_CHARSET);
    SendMessageW(w, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (c.autoSize) SetLabelText(i, c.text);
  }
  HWND spinner = g_windows[8];
  SendMessageW(spinner, UDM_SETRANGE32, 1, 101);
  SendMessageW(spinner, UDM_SETPOS32, 0, 5);
  UDACCEL accel{0, 1};
  SendMessageW(spinner, UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&accel));
  SetWindowLongPtrW(g_windows[kProgress], GWL_EXSTYLE, 0);
  SendMessageW(g_windows[kProgress], PBM_SETRANGE32, 0, 8);
  SendMessageW(g_windows[kProgress], PBM_SETBARCOLOR, 0, GetSysColor(COLOR_BTNSHADOW));
  SendMessageW(g_windows[kList], LB_SETHORIZONTALEXTENT, 200, 0);
}

// One tooltip window per control with a hint, each with a font of its own.
void CreateTooltips() {
  static TTTOOLINFOW tools[kCount];
  for (int i = 0; i < kCount; ++i) {
    if (!kControls[i].hint) continue;
    HWND control = g_windows[i];
    HWND tip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, control, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    SendMessageW(tip, WM_SETFONT, reinterpret_cast<WPARAM>(Font(L"Tahoma", 8, DEFAULT_CHARSET)), TRUE);
    SetWindowPos(tip, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    TTTOOLINFOW& tool = tools[i];
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS | TTF_TRANSPARENT;
    tool.hwnd = control;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = const_cast<wchar_t*>(kControls[i].hint);
    SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageW(tip, TTM_SETTIPBKCOLOR, GetSysColor(COLOR_INFOBK), 0);
    SendMessageW(tip, TTM_SETTIPTEXTCOLOR, GetSysColor(COLOR_INFOTEXT), 0);
    SendMessageW(tip, TTM_SETDELAYTIME, TTDT_INITIAL, 500);
    SendMessageW(tip, TTM_SETDELAYTIME, TTDT_AUTOPOP, 5000);
    RECT margin{0, 0, 0, 0};
    SendMessageW(tip, TTM_SETMARGIN, 0, reinterpret_cast<LPARAM>(&margin));
  }
}

bool EndsWithWgh(const std::wstring& name) {
  if (name.size() < 4) return false;
  std::wstring end = name.substr(name.size() - 4);
  for (auto& c : end)
    if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
  return end == L".wgh";
}

using Identity = std::pair<DWORD, ULONGLONG>;

// A linked folder may lead back to one listed already: enter it once.
bool FirstVisit(const std::wstring& folder, std::set<Identity>& linked) {
  HANDLE h = CreateFileW(folder.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  BY_HANDLE_FILE_INFORMATION info;
  const bool known = GetFileInformationByHandle(h, &info);
  CloseHandle(h);
  return known &&
         linked.insert({info.dwVolumeSerialNumber, ULONGLONG(info.nFileIndexHigh) << 32 | info.nFileIndexLow}).second;
}

void AddHouses(HWND list, const std::wstring& folder, std::set<Identity>& linked) {
  WIN32_FIND_DATAW found;
  HANDLE h = FindFirstFileW((folder + L"*.*").c_str(), &found);
  if (h == INVALID_HANDLE_VALUE) return;
  do {
    const std::wstring name = found.cFileName;
    if (name == L"." || name == L"..") continue;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      const std::wstring sub = folder + name + L"\\";
      if (!(found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) || FirstVisit(sub, linked))
        AddHouses(list, sub, linked);
    } else if (EndsWithWgh(name)) {
      SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>((folder + name).c_str()));
    }
  } while (FindNextFileW(h, &found));
  FindClose(h);
}

std::wstring ProgramFolder() {
  wchar_t path[MAX_PATH];
  DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path, n);
  return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

void Fill() {
  const std::wstring folder = ProgramFolder();
  std::set<Identity> linked;
  AddHouses(g_windows[kList], folder + L"sources\\", linked);
  UINT version = GetPrivateProfileIntW(L"update", L"data_ver", 0, (folder + L"settings.ini").c_str());
  SetLabelText(kVersionLabel, L"Версия данных: " + std::to_wstring(version));
}

void PaintLegend(HWND form) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(form, &ps);
  for (auto [left, colour] : {std::pair{553, RGB(255, 0, 255)}, std::pair{623, RGB(0, 255, 0)}}) {
    HBRUSH brush = CreateSolidBrush(colour);
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(BLACK_PEN));
    Rectangle(dc, left, 183, left + 14, 197);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(brush);
  }
  EndPaint(form, &ps);
}

HWND g_owner = nullptr;

LRESULT CALLBACK FormProcedure(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_PAINT: PaintLegend(w); return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
      for (int i = 0; i < kCount; ++i) {
        if (g_windows[i] != reinterpret_cast<HWND>(lp)) continue;
        SetTextColor(reinterpret_cast<HDC>(wp), kControls[i].text_colour);
        SetBkColor(reinterpret_cast<HDC>(wp), GetSysColor(kControls[i].background));
        return reinterpret_cast<LRESULT>(g_brushes[i]);
      }
      break;
    case WM_CLOSE:
      PostQuitMessage(0);
      DestroyWindow(g_owner);
      return 0;
  }
  return DefWindowProcW(w, msg, wp, lp);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  InitCommonControls();
  INITCOMMONCONTROLSEX icc{sizeof icc, 0xFF};
  InitCommonControlsEx(&icc);
  CoInitialize(nullptr);

  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = L"OstrelWindow";
  RegisterClassExW(&wc);
  wc.lpfnWndProc = FormProcedure;
  wc.lpszClassName = L"StraightForm";
  RegisterClassExW(&wc);

  HICON icon = LoadIconW(instance, L"OSTREL");
  g_owner = CreateWindowExW(0, L"OstrelWindow", L"Ostrel", WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU |
                            WS_MINIMIZEBOX, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
  HWND form = CreateWindowExW(0, L"StraightForm", L"Ostrel",
                              WS_OVERLAPPED | WS_CLIPCHILDREN | WS_SYSMENU | WS_CAPTION | WS_MINIMIZEBOX, 100, 100,
                              717, 239, g_owner, nullptr, instance, nullptr);
  // The owner follows the form: its place and its width, no height.
  SetWindowPos(g_owner, nullptr, 100, 100, 717, 0, SWP_NOZORDER | SWP_NOACTIVATE);
  for (HWND w : {form, g_owner}) {
    SendMessageW(w, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessageW(w, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
  }
  SendMessageW(form, WM_SETFONT, reinterpret_cast<WPARAM>(Font(L"MS Sans Serif", 8, DEFAULT_CHARSET)), FALSE);
  CreateControls(form);
  CreateTooltips();
  ShowWindow(g_owner, SW_SHOWNOACTIVATE);
  Fill();
  ShowWindow(form, SW_SHOW);

  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  CoUninitialize();
  return 0;
}
