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
