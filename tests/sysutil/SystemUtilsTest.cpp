#include <gtest/gtest.h>

#include <shlobj.h>

#include "core/Files.h"
#include "sysutil/SystemUtils.h"

using namespace sysutil;

TEST(SpecialFolderPath, KnownFolderExistsUnknownIsEmpty)
{
    std::wstring appData = SpecialFolderPath(CSIDL_APPDATA);
    EXPECT_FALSE(appData.empty());
    EXPECT_TRUE(core::DirectoryExists(appData));
    EXPECT_EQ(appData.find(L'\0'), std::wstring::npos);
    EXPECT_EQ(SpecialFolderPath(0x7F), L"");
}

TEST(SlashesToBackslashes, ReplacesEverySlash)
{
    struct Case {
        const char* in;
        const char* out;
    } cases[] = {{"/news.xml", "\\news.xml"}, {"news.xml", "news.xml"}, {"a/b//c/", "a\\b\\\\c\\"}, {"", ""}};
    for (const auto& c : cases)
        EXPECT_EQ(SlashesToBackslashes(c.in), c.out);
    EXPECT_EQ(ReplaceChar("a-b-c", '-', '+'), "a+b+c");
}

namespace {

// Each test works below its own key of HKEY_CURRENT_USER and removes it afterwards.
class RegistryTest : public ::testing::Test {
protected:
    static constexpr const char* Base = "Software\\TaviloTests";
    void SetUp() override { RegDeleteTreeA(HKEY_CURRENT_USER, Base); }
    void TearDown() override { RegDeleteTreeA(HKEY_CURRENT_USER, Base); }

    static bool ReadValue(const char* subKey, const char* name, std::string& data, DWORD& type)
    {
        char buffer[256] = {};
        DWORD size = sizeof(buffer);
        if (RegGetValueA(HKEY_CURRENT_USER, subKey, name, RRF_RT_ANY | RRF_NOEXPAND, &type, buffer, &size) !=
            ERROR_SUCCESS)
            return false;
        data.assign(buffer, size);
        return true;
    }
    static bool KeyExists(const char* subKey)
    {
        HKEY key;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, subKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
            return false;
        RegCloseKey(key);
        return true;
    }
};

} // namespace

TEST_F(RegistryTest, WithoutCreateAMissingKeyIsAnErrorAndNothingIsWritten)
{
    EXPECT_EQ(WriteRegistryString(HKEY_CURRENT_USER, "Software\\TaviloTests\\Run", "Tavilo", false, "x"), 2u);
    EXPECT_FALSE(KeyExists("Software\\TaviloTests\\Run"));
}

TEST_F(RegistryTest, CreateMakesTheKeyAndStoresTheTextWithItsNul)
{
    const char* subKey = "Software\\TaviloTests\\Run";
    std::string quotedPath = "\"C:\\Program Files\\Tavilo\\tavilo.exe\"";
    ASSERT_EQ(WriteRegistryString(HKEY_CURRENT_USER, subKey, "Tavilo", true, quotedPath), 0u);
    std::string data;
    DWORD type = 0;
    ASSERT_TRUE(ReadValue(subKey, "Tavilo", data, type));
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(data, quotedPath + '\0');

    // An existing key takes a new value without create.
    ASSERT_EQ(WriteRegistryString(HKEY_CURRENT_USER, subKey, "Empty", false, ""), 0u);
    ASSERT_TRUE(ReadValue(subKey, "Empty", data, type));
    EXPECT_EQ(data, std::string(1, '\0'));
}

TEST_F(RegistryTest, DeleteReportsMissingValuesAndKeys)
{
    const char* subKey = "Software\\TaviloTests\\Run";
    EXPECT_EQ(DeleteRegistryValue(HKEY_CURRENT_USER, subKey, "Tavilo"), 2u);  // no key
    ASSERT_EQ(WriteRegistryString(HKEY_CURRENT_USER, subKey, "Tavilo", true, "x"), 0u);
    EXPECT_EQ(DeleteRegistryValue(HKEY_CURRENT_USER, subKey, "Other"), 2u);   // no value
    EXPECT_EQ(DeleteRegistryValue(HKEY_CURRENT_USER, subKey, "Tavilo"), 0u);
    std::string data;
    DWORD type;
    EXPECT_FALSE(ReadValue(subKey, "Tavilo", data, type));
}

namespace {

// Reads a value back in UTF-16, with its terminating NUL.
bool ReadWideValue(const std::wstring& subKey, const std::wstring& name, std::wstring& data, DWORD& type)
{
    wchar_t buffer[256] = {};
    DWORD size = sizeof(buffer);
    if (RegGetValueW(HKEY_CURRENT_USER, subKey.c_str(), name.c_str(), RRF_RT_ANY | RRF_NOEXPAND, &type, buffer,
                     &size) != ERROR_SUCCESS)
        return false;
    data.assign(buffer, size / sizeof(wchar_t));
    return true;
}

} // namespace

// Runs under code page 1254 and 1252: the Turkish letters survive both, which the
// byte-string variant cannot promise under 1252.
TEST_F(RegistryTest, WideVariantsKeepLettersOutsideTheCodePage)
{
    const std::wstring subKey = L"Software\\TaviloTests\\Çalıştır";
    const std::wstring name = L"Tavilo Ğİş";
    const std::wstring quotedPath = L"\"C:\\Users\\Şule Işık\\AppData\\Roaming\\Tavilo\\tavilo.exe\"";

    EXPECT_EQ(WriteRegistryString(HKEY_CURRENT_USER, subKey, name, false, quotedPath), 2u);
    EXPECT_FALSE(KeyExists("Software\\TaviloTests"));

    ASSERT_EQ(WriteRegistryString(HKEY_CURRENT_USER, subKey, name, true, quotedPath), 0u);
    std::wstring data;
    DWORD type = 0;
    ASSERT_TRUE(ReadWideValue(subKey, name, data, type));
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_TRUE(data == quotedPath + L'\0');

    ASSERT_EQ(WriteRegistryString(HKEY_CURRENT_USER, subKey, L"Boş", false, L""), 0u);
    ASSERT_TRUE(ReadWideValue(subKey, L"Boş", data, type));
    EXPECT_TRUE(data == std::wstring(1, L'\0'));

    EXPECT_EQ(DeleteRegistryValue(HKEY_CURRENT_USER, subKey, L"Başka"), 2u);
    EXPECT_EQ(DeleteRegistryValue(HKEY_CURRENT_USER, subKey, name), 0u);
    EXPECT_FALSE(ReadWideValue(subKey, name, data, type));
    EXPECT_EQ(DeleteRegistryValue(HKEY_CURRENT_USER, L"Software\\TaviloTests\\Yok", name), 2u);
}
