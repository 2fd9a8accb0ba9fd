#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/Exceptions.h"
#include "core/Handles.h"
#include "resources/Resources.h"
#include "tests/support/Process.h"

namespace {

struct TExecutable {
    std::wstring path;
    const char* architecture;  // what the manifest names
};

// Both executables of the build: the one the tests run and the shipped 32-bit one.
std::vector<TExecutable> Executables()
{
    return {{testing_support::TaviloExe(), "amd64"}, {testing_support::EnvironmentVariable(L"TAVILO_I686_EXE"), "x86"}};
}

class ResourcesTest : public ::testing::TestWithParam<TExecutable> {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(GetParam().path.empty()) << "TAVILO_I686_EXE is not set";
        module_.Reset(LoadLibraryExW(GetParam().path.c_str(), nullptr,
                                     LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
        ASSERT_TRUE(module_) << "cannot load " << core::ToUtf8(GetParam().path);
    }
    HMODULE Module() const { return module_.Get(); }

    std::string ResourceBytes(const wchar_t* type, int id) const
    {
        HRSRC info = FindResourceW(Module(), MAKEINTRESOURCEW(id), type);
        if (!info)
            return {};
        auto* data = static_cast<const char*>(LockResource(LoadResource(Module(), info)));
        return std::string(data, SizeofResource(Module(), info));
    }

private:
    core::TLibraryHandle module_;
};

std::wstring LoadText(HMODULE module, int id)
{
    wchar_t buffer[1024] = {};
    int length = LoadStringW(module, id, buffer, 1024);
    return std::wstring(buffer, length);
}

} // namespace

TEST_P(ResourcesTest, StringTableHoldsTheTurkishTexts)
{
    struct Entry {
        int id;
        std::wstring text;
    } entries[] = {
        {IDS_APP_TITLE, L"Tavilo"},
        {IDS_HINT_CLOSE, L"Kapat"},
        {IDS_OPTION_STARTUP, L"Windows her açıldığında otomatik olarak başlat."},
        {IDS_OPTION_ALWAYS_TOP, L"Pencereyi her zaman en üstte tut."},
        {IDS_OPTION_TRAY, L"Sistem Tepsisinde program simgesini göster."},
        {IDS_OPTION_AUTO_SIZE, L"Otomatik boyutlandırmayı etkinleştir."},
        {IDS_TRAY_HINT, L"Tavilo"},
        {IDS_HINT_OPTIONS, L"Seçenekler"},
        {IDS_HINT_SITE, L"Web sitemizi ziyaret edin..."},
        {IDS_UPDATE_PROMPT, L"\"%s\" için yeni sürüm hazır. İndirmek ister misiniz?"},
        {IDS_STATUS_UPDATING, L"Güncelleniyor..."},
    };
    for (const auto& entry : entries)
        EXPECT_EQ(LoadText(Module(), entry.id), entry.text) << entry.id;

    // The about text: four lines, the version line letter-spaced, the last one fixed.
    std::wstring about = LoadText(Module(), IDS_ABOUT_TEXT);
    std::wstring firstLine = L"S ü r ü m   2 . 0\r\n";
    std::wstring end = L"\r\n\r\nBu programın ilgili kurumlarla bir ilişkisi yoktur.";
    ASSERT_GT(about.size(), firstLine.size() + end.size());
    EXPECT_EQ(about.substr(0, firstLine.size()), firstLine);
    EXPECT_EQ(about.substr(about.size() - end.size()), end);

    // The site name has a blank after every character.
    std::wstring site = LoadText(Module(), IDS_SITE_NAME);
    ASSERT_FALSE(site.empty());
    for (size_t i = 1; i < site.size(); i += 2)
        EXPECT_EQ(site[i], L' ') << i;
    EXPECT_EQ(site.size() % 2, 0u);
}

TEST_P(ResourcesTest, PopupMenuHasTheSixItemsInOrder)
{
    HMENU menu = LoadMenuW(Module(), MAKEINTRESOURCEW(IDM_POPUP));
    ASSERT_TRUE(menu);
    wchar_t text[64] = {};
    GetMenuStringW(menu, 0, text, 64, MF_BYPOSITION);
    EXPECT_STREQ(text, L"&Dosya");
    HMENU popup = GetSubMenu(menu, 0);
    ASSERT_TRUE(popup);
    struct Item {
        UINT id;
        const wchar_t* text;
    } items[] = {{IDC_MENU_ABOUT, L"&Hakkında"}, {0, nullptr}, {IDC_MENU_OPTIONS, L"&Seçenekler"},
                 {IDC_MENU_REFRESH, L"&Güncelle"}, {0, nullptr}, {IDC_MENU_CLOSE, L"&Kapat\tAlt+F4"}};
    ASSERT_EQ(GetMenuItemCount(popup), 6);
    for (int i = 0; i < 6; ++i) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = 64;
        ASSERT_TRUE(GetMenuItemInfoW(popup, i, TRUE, &info));
        if (!items[i].text) {
            EXPECT_TRUE(info.fType & MFT_SEPARATOR) << i;
            continue;
        }
        EXPECT_EQ(info.wID, items[i].id);
        EXPECT_STREQ(text, items[i].text);
    }
    DestroyMenu(menu);
}

TEST_P(ResourcesTest, ManifestAsksForCommonControlsVersion6)
{
    std::string manifest = ResourceBytes(MAKEINTRESOURCEW(24), 1);
    ASSERT_FALSE(manifest.empty());
    std::string arch = GetParam().architecture;
    for (std::string expected :
         {"<assemblyIdentity name=\"tavilo\" version=\"2.0.0.0\" processorArchitecture=\"" + arch + "\" type=\"win32\"/>",
          std::string("<description>tavilo</description>"),
          "<assemblyIdentity type=\"win32\" name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\" "
          "processorArchitecture=\"" + arch + "\" publicKeyToken=\"6595b64144ccf1df\" language=\"*\"/>"})
        EXPECT_NE(manifest.find(expected), std::string::npos) << expected;
}

TEST_P(ResourcesTest, VersionResourceIsTurkishUtf16)
{
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeW(GetParam().path.c_str(), &handle);
    ASSERT_GT(size, 0u);
    std::vector<char> data(size);
    ASSERT_TRUE(GetFileVersionInfoW(GetParam().path.c_str(), 0, size, data.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00020000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00020000u);

    WORD* translation = nullptr;
    ASSERT_TRUE(VerQueryValueW(data.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &length));
    ASSERT_EQ(length, 4u);
    EXPECT_EQ(translation[0], 0x041F);
    EXPECT_EQ(translation[1], 1200);

    struct Field {
        const wchar_t* name;
        const wchar_t* value;
    } fields[] = {{L"FileVersion", L"2, 0, 0, 0"},       {L"ProductVersion", L"2, 0, 0, 0"},
                  {L"FileDescription", L"Tavilo"},        {L"ProductName", L"Tavilo"},
                  {L"InternalName", L"tavilo.exe"},       {L"OriginalFilename", L"tavilo.exe"}};
    for (const auto& field : fields) {
        wchar_t* value = nullptr;
        std::wstring query = std::wstring(L"\\StringFileInfo\\041F04B0\\") + field.name;
        ASSERT_TRUE(VerQueryValueW(data.data(), query.c_str(), reinterpret_cast<void**>(&value), &length)) << field.name;
        EXPECT_STREQ(value, field.value);
    }
    for (const wchar_t* name : {L"CompanyName", L"LegalCopyright", L"Comments"}) {
        wchar_t* value = nullptr;
        std::wstring query = std::wstring(L"\\StringFileInfo\\041F04B0\\") + name;
        EXPECT_TRUE(VerQueryValueW(data.data(), query.c_str(), reinterpret_cast<void**>(&value), &length)) << name;
    }
}

TEST_P(ResourcesTest, IconGroupHasSmallAndLargeImages)
{
    std::string group = ResourceBytes(RT_GROUP_ICON, IDI_APP_ICON);
    ASSERT_FALSE(group.empty());
    auto* directory = reinterpret_cast<const BYTE*>(group.data());
    for (int size : {16, 32}) {
        int id = LookupIconIdFromDirectoryEx(const_cast<BYTE*>(directory), TRUE, size, size, LR_DEFAULTCOLOR);
        ASSERT_NE(id, 0);
        std::string image = ResourceBytes(RT_ICON, id);
        ASSERT_FALSE(image.empty());
        HICON icon = CreateIconFromResourceEx(reinterpret_cast<BYTE*>(image.data()), static_cast<DWORD>(image.size()),
                                              TRUE, 0x00030000, size, size, LR_DEFAULTCOLOR);
        ASSERT_TRUE(icon) << size;
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(icon, &info));
        BITMAP bitmap{};
        GetObjectW(info.hbmColor, sizeof(bitmap), &bitmap);
        EXPECT_EQ(bitmap.bmWidth, size);
        EXPECT_EQ(bitmap.bmBitsPixel, 32) << "the icon keeps its alpha channel";
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        DestroyIcon(icon);
    }
}

INSTANTIATE_TEST_SUITE_P(BothTargets, ResourcesTest, ::testing::ValuesIn(Executables()),
                         [](const auto& info) { return std::string(info.param.architecture); });
