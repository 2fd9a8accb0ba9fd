// Reading the maker's version document and deciding whether it names a newer version.
#include <gtest/gtest.h>

#include <string>

#include "app/BuildSettings.h"
#include "app/UpdateCheck.h"
#include "core/CodePage.h"

namespace {

std::wstring VersionDocument(const std::wstring& version)
{
    return L"<data><version>" + version + L"</version></data>";
}

} // namespace

TEST(UpdateCheck, ReadsOnlyTheVersionNodeOfAWellFormedDocument)
{
    const std::wstring bomb =
        L"<?xml version=\"1.0\"?><!DOCTYPE data [<!ENTITY a \"2.1.2.1.2.1.2.1\">"
        L"<!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\"><!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;\">"
        L"<!ENTITY d \"&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;\"><!ENTITY e \"&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;\">"
        L"<!ENTITY f \"&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;\"><!ENTITY g \"&f;&f;&f;&f;&f;&f;&f;&f;&f;&f;\">]>"
        L"<data><version>&g;</version></data>";
    std::wstring huge =
        L"<data><version>2.1</version><pad>" + std::wstring(app::VersionTextLimit, L'x') + L"</pad></data>";
    const struct {
        const char* what;
        std::wstring text;
        std::string version;
    } cases[] = {
        {"plain", VersionDocument(L"2.1"), "2.1"},
        {"declared, with siblings",
         L"<?xml version=\"1.0\" "
         L"encoding=\"UTF-8\"?><data><name>x</name><version>3</version><url>http://x/</url></data>",
         "3"},
        // The DOM's text drops the blanks around an element's text.
        {"blanks around", VersionDocument(L" 2.1\r\n"), "2.1"},
        {"nested text joined", L"<data><version>2.<b>1</b></version></data>", "2.1"},
        {"Turkish letters in the code page", VersionDocument(L"2.1 Şubat"), core::WideToAnsi(L"2.1 Şubat")},
        {"empty element", VersionDocument(L""), ""},
        {"other root", L"<info><version>2.1</version></info>", ""},
        {"version deeper down", L"<data><x><version>2.1</version></x></data>", ""},
        {"not XML", L"2.1", ""},
        {"unclosed", L"<data><version>2.1", ""},
        {"HTML error page", L"<html><body>404</body></html>", ""},
        {"internal entity", L"<!DOCTYPE data [<!ENTITY v \"2.1\">]><data><version>&v;</version></data>", ""},
        {"entity bomb", bomb, ""},
        {"too long to be ours", huge, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(app::ReadVersion(c.text), c.version);
    }
}

// The comparison is by bytes, not by numbers: what a user of the old program saw.
TEST(UpdateCheck, OnlyAVersionSortingAfterOursIsNewer)
{
    const struct {
        std::string version;
        bool newer;
    } cases[] = {
        {"2.1", true},   {"2.0.1", true},
        {"3", true},     {"2.0 ", true},
        {"\xDE", true},  {"2.0", false},
        {"1.9", false},  {"10.0", false},
        {" 2.1", false}, {"", false},
        {"2", false},    {"2.", false},
        {"1", false},    {std::string("2.0\0", 4), true},
        {"2-5", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.version);
        EXPECT_EQ(app::IsNewerVersion(c.version), c.newer);
    }
}

TEST(UpdateCheck, DownloadsFromTheBuiltInRedirectAddress)
{
    EXPECT_EQ(app::DownloadAddress(), L"http://" + core::AnsiToWide(app::RedirectHost) + L"/?linkid=7931");
}
