// A helper the end-to-end tests run inside the widget's Wine prefix, where the widget's
// window can be reached with the Win32 API:
//   send <message> [wParam] [lParam]  sends a message to the window of class "taviloclass"
//                                      and prints the result and the milliseconds it took
//   rect                               prints the window's left, top, right and bottom
//   topmost                            prints 1 when the window is topmost, else 0
//   menu                               prints the open popup menu's left and top
//   place <width> <height>             prints the top, within its parent, of the widget
//                                      window of that size (height 0: any) and 1 when it
//                                      is visible, else 0
//   key <virtual key>                  presses and releases the key through SendInput
//   prompt                             prints the open message box's caption, its text,
//                                      1 when it is topmost, else 0, and its button ids
//   button <id>                        prints the centre of the message box's button id
//   record <file> <text>               appends the text as a line to the file (a shell
//                                      command the tests register, to see what was opened)
// Exit code 2 when no such window exists, 3 when the message timed out.
#include <cstdio>
#include <cwchar>
#include <string>

#include "core/Win32.h"

namespace {

constexpr UINT SendTimeout = 15000;

int Send(HWND window, int argc, wchar_t** argv)
{
    if (argc < 3)
        return 1;
    UINT message = static_cast<UINT>(wcstoul(argv[2], nullptr, 0));
    WPARAM wParam = argc > 3 ? wcstoull(argv[3], nullptr, 0) : 0;
    LPARAM lParam = argc > 4 ? static_cast<LPARAM>(wcstoll(argv[4], nullptr, 0)) : 0;
    DWORD_PTR result = 0;
    DWORD start = GetTickCount();
    if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, SendTimeout, &result))
        return 3;
    std::printf("%lld %lu\n", static_cast<long long>(result), GetTickCount() - start);
    return 0;
}

} // namespace

struct TSizeQuery {
    int width;
    int height;
    HWND found;
};

BOOL CALLBACK MatchSize(HWND child, LPARAM data)
{
    auto* query = reinterpret_cast<TSizeQuery*>(data);
    RECT r{};
    GetWindowRect(child, &r);
    if (r.right - r.left != query->width || (query->height != 0 && r.bottom - r.top != query->height))
        return TRUE;
    query->found = child;
    return FALSE;
}

int PrintPlace(HWND window, int argc, wchar_t** argv)
{
    if (argc < 4)
        return 1;
    TSizeQuery query{static_cast<int>(wcstol(argv[2], nullptr, 0)), static_cast<int>(wcstol(argv[3], nullptr, 0)),
                     nullptr};
    EnumChildWindows(window, MatchSize, reinterpret_cast<LPARAM>(&query));
    if (!query.found)
        return 2;
    RECT r{};
    GetWindowRect(query.found, &r);
    MapWindowPoints(nullptr, GetParent(query.found), reinterpret_cast<POINT*>(&r), 2);
    std::printf("%ld %d\n", r.top, IsWindowVisible(query.found) ? 1 : 0);
    return 0;
}

int PressKey(int argc, wchar_t** argv)
{
    if (argc < 3)
        return 1;
    INPUT inputs[2]{};
    for (INPUT& input : inputs) {
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = static_cast<WORD>(wcstoul(argv[2], nullptr, 0));
    }
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    return SendInput(2, inputs, sizeof(INPUT)) == 2 ? 0 : 3;
}

// The system's popup menu window class.
constexpr wchar_t MenuClass[] = L"#32768";

int PrintOpenMenu()
{
    HWND menu = FindWindowW(MenuClass, nullptr);
    if (!menu || !IsWindowVisible(menu))
        return 2;
    RECT r{};
    GetWindowRect(menu, &r);
    std::printf("%ld %ld\n", r.left, r.top);
    return 0;
}

// The system's dialog window class, which message boxes use.
constexpr wchar_t DialogClass[] = L"#32770";

std::string Utf8(const std::wstring& text)
{
    int size =
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), bytes.data(), size, nullptr, nullptr);
    return bytes;
}

std::wstring TextOf(HWND window)
{
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

HWND OpenMessageBox()
{
    HWND box = FindWindowW(DialogClass, nullptr);
    return box && IsWindowVisible(box) ? box : nullptr;
}

// The message text is the box's static control that has text (the icon's has none).
BOOL CALLBACK CollectText(HWND child, LPARAM found)
{
    wchar_t className[16]{};
    GetClassNameW(child, className, 16);
    std::wstring text = TextOf(child);
    if (_wcsicmp(className, L"Static") == 0 && !text.empty())
        *reinterpret_cast<std::wstring*>(found) = text;
    return TRUE;
}

int PrintMessageBox()
{
    HWND box = OpenMessageBox();
    if (!box)
        return 2;
    std::wstring text;
    EnumChildWindows(box, CollectText, reinterpret_cast<LPARAM>(&text));
    const bool topmost = GetWindowLongW(box, GWL_EXSTYLE) & WS_EX_TOPMOST;
    std::printf("%s\n%s\n%d\n", Utf8(TextOf(box)).c_str(), Utf8(text).c_str(), topmost ? 1 : 0);
    for (int id = IDOK; id <= IDNO; ++id)
        if (GetDlgItem(box, id))
            std::printf("%d ", id);
    std::printf("\n");
    return 0;
}

int PrintButtonCentre(const wchar_t* id)
{
    HWND box = OpenMessageBox();
    HWND button = box ? GetDlgItem(box, static_cast<int>(wcstol(id, nullptr, 0))) : nullptr;
    if (!button)
        return 2;
    RECT r{};
    GetWindowRect(button, &r);
    std::printf("%ld %ld\n", (r.left + r.right) / 2, (r.top + r.bottom) / 2);
    return 0;
}

int Record(const wchar_t* fileName, const wchar_t* text)
{
    FILE* file = _wfopen(fileName, L"ab");
    if (!file)
        return 1;
    std::string line = Utf8(text) + "\n";
    std::fwrite(line.data(), 1, line.size(), file);
    std::fclose(file);
    return 0;
}

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2)
        return 1;
    if (wcscmp(argv[1], L"menu") == 0)
        return PrintOpenMenu();
    if (wcscmp(argv[1], L"key") == 0)
        return PressKey(argc, argv);
    if (wcscmp(argv[1], L"prompt") == 0)
        return PrintMessageBox();
    if (wcscmp(argv[1], L"button") == 0)
        return argc < 3 ? 1 : PrintButtonCentre(argv[2]);
    if (wcscmp(argv[1], L"record") == 0)
        return argc < 4 ? 1 : Record(argv[2], argv[3]);
    HWND window = FindWindowW(L"taviloclass", nullptr);
    if (!window)
        return 2;
    if (wcscmp(argv[1], L"send") == 0)
        return Send(window, argc, argv);
    if (wcscmp(argv[1], L"place") == 0)
        return PrintPlace(window, argc, argv);
    if (wcscmp(argv[1], L"rect") == 0) {
        RECT r{};
        GetWindowRect(window, &r);
        std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom);
        return 0;
    }
    if (wcscmp(argv[1], L"topmost") == 0) {
        std::printf("%d\n", (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) ? 1 : 0);
        return 0;
    }
    return 1;
}
