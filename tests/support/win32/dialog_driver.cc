#include "tests/support/win32/dialog_driver.h"

#include <commctrl.h>

#include <vector>

namespace win32_testing {
namespace {

DialogDriver* g_driver = nullptr;

struct Search {
  const std::wstring* title;
  HWND found;
};

BOOL CALLBACK Visit(HWND hwnd, LPARAM param) {
  auto* search = reinterpret_cast<Search*>(param);
  wchar_t kind[64] = {};
  ::GetClassNameW(hwnd, kind, 64);
  if (std::wstring(kind) != L"#32770" || !::IsWindowVisible(hwnd)) return TRUE;
  if (!search->title->empty() && WindowText(hwnd) != *search->title) return TRUE;
  search->found = hwnd;
  return FALSE;
}

}  // namespace

DialogDriver::DialogDriver(std::wstring title, std::function<void(HWND)> action)
    : title_(std::move(title)), action_(std::move(action)) {
  g_driver = this;
  timer_ = ::SetTimer(nullptr, 0, 50, &DialogDriver::Tick);
}

DialogDriver::~DialogDriver() {
  ::KillTimer(nullptr, timer_);
  g_driver = nullptr;
}

void CALLBACK DialogDriver::Tick(HWND, UINT, UINT_PTR, DWORD) {
  DialogDriver* self = g_driver;
  if (self == nullptr || self->acted_) return;
  Search search{&self->title_, nullptr};
  ::EnumThreadWindows(::GetCurrentThreadId(), &Visit, reinterpret_cast<LPARAM>(&search));
  // Acts once the dialog has been up for a few ticks: a dialog can still be finishing its set-up
  // (Wine's folder dialog applies its preselection a moment after it shows).
  if (search.found == nullptr || search.found != self->seen_) {
    self->seen_ = search.found;
    self->sightings_ = 0;
    return;
  }
  if (++self->sightings_ < 6) return;
  self->acted_ = true;
  ::KillTimer(nullptr, self->timer_);
  self->action_(search.found);
}

std::wstring WindowText(HWND hwnd) {
  std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(hwnd)) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(::GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
  return text;
}

RECT ChildRect(HWND control) {
  RECT box{};
  ::GetWindowRect(control, &box);
  ::MapWindowPoints(nullptr, ::GetParent(control), reinterpret_cast<POINT*>(&box), 2);
  return box;
}

HWND ThreadTips() {
  HWND tips = nullptr;
  ::EnumThreadWindows(
      ::GetCurrentThreadId(),
      [](HWND hwnd, LPARAM found) {
        wchar_t name[64] = {};
        ::GetClassNameW(hwnd, name, 64);
        if (std::wstring(name) != TOOLTIPS_CLASSW) return TRUE;
        *reinterpret_cast<HWND*>(found) = hwnd;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&tips));
  return tips;
}

std::vector<std::wstring> ListItems(HWND list) {
  std::vector<std::wstring> items;
  const auto count = ::SendMessageW(list, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    std::wstring item(static_cast<std::size_t>(::SendMessageW(list, LB_GETTEXTLEN, i, 0)) + 1,
                      L'\0');
    item.resize(static_cast<std::size_t>(
        ::SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(item.data()))));
    items.push_back(item);
  }
  return items;
}

bool RowShowsText(HWND list, int item) {
  RECT client{}, row{};
  ::GetClientRect(list, &client);
  if (::SendMessageW(list, LB_GETITEMRECT, item, reinterpret_cast<LPARAM>(&row)) == LB_ERR) {
    return false;
  }
  const HDC screen = ::GetDC(nullptr);
  const HDC dc = ::CreateCompatibleDC(screen);
  const HBITMAP picture = ::CreateCompatibleBitmap(screen, client.right, client.bottom);
  ::ReleaseDC(nullptr, screen);
  const HGDIOBJ old = ::SelectObject(dc, picture);
  ::SendMessageW(list, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
  const COLORREF background = ::GetPixel(dc, row.right - 3, (row.top + row.bottom) / 2);
  bool text = false;
  for (int x = row.left; x < row.left + 12; ++x) {
    for (int y = row.top; y < row.bottom; ++y) text = text || ::GetPixel(dc, x, y) != background;
  }
  ::SelectObject(dc, old);
  ::DeleteObject(picture);
  ::DeleteDC(dc);
  return text;
}

void Pump(int milliseconds) {
  const DWORD end = ::GetTickCount() + static_cast<DWORD>(milliseconds);
  while (static_cast<LONG>(end - ::GetTickCount()) > 0) {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&message);
      ::DispatchMessageW(&message);
    }
    ::Sleep(5);
  }
}

}  // namespace win32_testing
