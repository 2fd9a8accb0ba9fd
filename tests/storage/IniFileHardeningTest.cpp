#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "core/Exceptions.h"
#include "core/Files.h"
#include "storage/Options.h"
#include "tests/storage/StorageTestSupport.h"

using storage::TOptions;
using storage_test::Utf16;

namespace {

using IniFileHardeningTest = storage_test::TempFolderTest;

const std::wstring Settings = L"[options]\r\nalwaystop=0\r\nshowtray=0\r\n[general]\r\nleft=11\r\ntop=22\r\n";

// Code units of every kind but NUL, from a fixed seed: control characters, lone
// surrogates, brackets, "=", ";" and line breaks among them.
std::wstring Garbage(size_t length)
{
    std::wstring text;
    uint32_t state = 12345;
    for (size_t i = 0; i < length; ++i) {
        state = state * 1103515245 + 12345;
        auto c = static_cast<wchar_t>(state >> 16);
        text += c == L'\0' ? L'[' : c;
    }
    return text;
}

std::wstring Repeat(const std::wstring& piece, size_t totalChars)
{
    std::wstring text;
    text.reserve(totalChars + piece.size());
    while (text.size() < totalChars)
        text += piece;
    return text;
}

std::wstring ManySections(size_t totalChars)
{
    std::wstring text;
    text.reserve(totalChars + 64);
    for (int i = 0; text.size() < totalChars; ++i)
        text += L"[bölüm" + std::to_wstring(i) + L"]\r\nanahtar=değer " + std::to_wstring(i) + L"\r\n";
    return text;
}

std::string Utf8(const std::wstring& text)
{
    return core::ToUtf8(text);
}

} // namespace

// Whatever is in the file, loading ends cleanly, every readable setting is read and the
// others take their defaults.
TEST_F(IniFileHardeningTest, HostileFilesLoadCleanly)
{
    const std::wstring longLine(100000, L'ş');
    const size_t tenMegabytes = 5 * 1024 * 1024; // in UTF-16 code units
    struct Case {
        const char* what;
        std::string bytes;
        std::optional<bool> stayOnTop, showTray;
        std::optional<int32_t> left, top;
    } cases[] = {
        {"no byte-order mark", Utf16(Settings, false), false, false, 11, 22},
        {"UTF-8 text", Utf8(Settings), {}, {}, {}, {}},
        {"an odd byte count", Utf16(Settings) + "\x0D", false, false, 11, 22},
        {"a NUL ends the text",
         Utf16(L"[options]\r\nalwaystop=0\r\n" + std::wstring(1, L'\0') + L"showtray=0\r\n[general]\r\nleft=11"),
         false,
         {},
         {},
         {}},
        {"100,000-character lines",
         Utf16(L"[long]\r\n" + longLine + L"\r\nvalue=" + longLine + L"\r\n" + longLine + L"=x\r\n" + Settings), false,
         false, 11, 22},
        {"keys before any section", Utf16(L"alwaystop=0\r\nleft=5\r\n[general]\r\ntop=22"), {}, {}, {}, 22},
        {"garbage between sections",
         Utf16(L"[options]\r\nalwaystop=0\r\n" + Garbage(20000) + L"\r\n[general]\r\nleft=11\r\ntop=22"),
         false,
         {},
         11,
         22},
        {"10 MB of sections", Utf16(L"[options]\r\nshowtray=0\r\n" + ManySections(tenMegabytes) + Settings), false,
         false, 11, 22},
        {"10 MB of one key", Utf16(L"[options]\r\n" + Repeat(L"a=1\r\n", tenMegabytes) + Settings), false, false, 11,
         22},
        {"empty", "", {}, {}, {}, {}},
        {"only the mark", "\xFF\xFE", {}, {}, {}, {}},
        {"bytes of all ones", std::string(4096, '\xFF'), {}, {}, {}, {}},
        {"positions beyond 32 bits", Utf16(L"[general]\r\nleft=4294967396\r\ntop=-2147483649"), {}, {}, {}, {}},
        {"positions of nine hexadecimal digits",
         Utf16(L"[general]\r\nleft=0x100000064\r\ntop=$1FFFFFFFF"),
         {},
         {},
         {},
         {}},
        {"the 32-bit extremes",
         Utf16(L"[general]\r\nleft=-2147483648\r\ntop=2147483647"),
         {},
         {},
         INT32_MIN,
         INT32_MAX},
    };
    for (const auto& c : cases) {
        std::wstring path = PathOf(L"options.ini");
        storage_test::WriteBytes(path, c.bytes);
        TOptions options(path);
        EXPECT_EQ(options.StayOnTop(), c.stayOnTop.value_or(true)) << c.what;
        EXPECT_EQ(options.ShowTray(), c.showTray.value_or(true)) << c.what;
        EXPECT_TRUE(options.AutoScale()) << c.what;
        EXPECT_TRUE(options.StartUp()) << c.what;
        EXPECT_EQ(options.WindowLeft(), c.left.value_or(options.DefaultLeft())) << c.what;
        EXPECT_EQ(options.WindowTop(), c.top.value_or(options.DefaultTop())) << c.what;
        if (std::string(c.what) == "100,000-character lines") {
            EXPECT_TRUE(options.ReadValue(L"long", L"value", L"") == longLine);
            EXPECT_EQ(options.ReadValue(L"long", longLine, L""), L"x");
        }
    }
}

// A failed save raises the file-creation error naming the settings file and leaves the
// previous file as it was; the settings in memory survive for the next try.
TEST_F(IniFileHardeningTest, FailedFlushKeepsThePreviousFile)
{
    const std::wstring readOnlyFolder = L"Z:\\sys"; // sysfs: not even root may create files there
    struct Case {
        const char* what;
        std::wstring path;
        bool blockTemporaryName, targetIsFolder;
    } cases[] = {
        {"a missing folder", PathOf(L"yok\\options.ini"), false, false},
        {"a read-only folder", readOnlyFolder + L"\\options.ini", false, false},
        {"the temporary name taken", PathOf(L"options.ini"), true, false},
        {"a folder in the file's place", PathOf(L"klasör.ini"), false, true},
    };
    const std::string previous = Utf16(L"[options]\r\nalwaystop=1\r\n");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.path.starts_with(readOnlyFolder) && !core::DirectoryExists(readOnlyFolder)) {
            ADD_FAILURE() << "no read-only folder at hand";
            continue;
        }
        bool hasPrevious = c.blockTemporaryName;
        if (hasPrevious)
            storage_test::WriteBytes(c.path, previous);
        if (c.blockTemporaryName) {
            ASSERT_TRUE(CreateDirectoryW((c.path + L".tmp").c_str(), nullptr));
        }
        if (c.targetIsFolder) {
            ASSERT_TRUE(CreateDirectoryW(c.path.c_str(), nullptr));
        }
        TOptions failing(c.path);
        failing.SetStayOnTop(false);
        try {
            failing.Flush();
            ADD_FAILURE() << "saved";
        } catch (const core::EFCreateError& error) {
            EXPECT_EQ(error.Message().find(L"Cannot create file \"" + c.path + L"\". "), 0u)
                << core::ToUtf8(error.Message());
        }
        EXPECT_FALSE(failing.StayOnTop()) << "memory is unchanged";
        EXPECT_FALSE(core::FileExists(c.path + L".tmp"));
        if (hasPrevious) {
            EXPECT_EQ(storage_test::ReadBytes(c.path), previous);
        } else {
            EXPECT_FALSE(core::FileExists(c.path));
        }
        if (c.blockTemporaryName) {
            RemoveDirectoryW((c.path + L".tmp").c_str());
            failing.Flush();
            EXPECT_FALSE(TOptions(c.path).StayOnTop()) << "the next save succeeds";
        }
    }
}

// The user profile may be named in letters the system code page lacks (Ş under 1252).
TEST_F(IniFileHardeningTest, LoadsAndSavesUnderATurkishProfileFolder)
{
    std::wstring folder = PathOf(L"Kullanıcılar\\Şule Ağaoğlu\\AppData\\Roaming\\Korvale\\Tavilo");
    ASSERT_TRUE(core::ForceDirectories(folder));
    std::wstring path = folder + L"\\options.ini";
    {
        TOptions options(path);
        options.SetWindowLeft(-20);
        options.SetWindowTop(40);
        options.SetStartUp(false);
        options.SetStayOnTop(true);
        options.SetShowTray(false);
        options.SetAutoScale(true);
        options.Flush();
        options.SetShowTray(true);
        options.Flush();
    }
    TOptions reloaded(path);
    EXPECT_EQ(reloaded.WindowLeft(), -20);
    EXPECT_EQ(reloaded.WindowTop(), 40);
    EXPECT_FALSE(reloaded.StartUp());
    EXPECT_TRUE(reloaded.ShowTray());
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    do {
        if (found.cFileName[0] != L'.')
            names.push_back(found.cFileName);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    EXPECT_EQ(names, std::vector<std::wstring>{L"options.ini"}) << "nothing else written, no temporary file left";
}
