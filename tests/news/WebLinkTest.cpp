// Which links of a feed may reach the shell.
#include <gtest/gtest.h>

#include <string>

#include "core/Exceptions.h"
#include "news/WebLink.h"

TEST(WebLink, OnlyAbsoluteWebAddressesPass)
{
    const struct {
        std::wstring link;
        bool opens;
    } cases[] = {
        {L"http://www.example-haber.com.tr/haber/1", true},
        {L"https://www.example-haber.com.tr/haber/1?id=2", true},
        {L"HTTPS://WWW.EXAMPLE-HABER.COM.TR/", true},
        {L"https://www.example-haber.com.tr/gündem/çığ-düştü", true},
        {L"http://127.0.0.1:8080/a b", true},
        {L"", false},
        {L"file:///C:/Windows/System32/calc.exe", false},
        {L"file://server/share/x.exe", false},
        {L"C:\\Windows\\System32\\calc.exe", false},
        {L"calc.exe", false},
        {L"calc", false},
        {L"\\\\server\\share\\program.exe", false},
        {L"javascript:alert(1)", false},
        {L"mailto:haber@example-haber.com.tr", false},
        {L"ftp://example-haber.com.tr/", false},
        {L"www.example-haber.com.tr/haber/1", false},
        {L"/haber/1", false},
        {L"http:", false},
        {L"http://", false},
        {L"https:///etc/passwd", false},
        {L"http:\\\\server\\share", false},
        {L" http://www.example-haber.com.tr/", false},
        {L"http://www.example-haber.com.tr/\r\ncalc.exe", false},
        {L"http://www.example-haber.com.tr/\tx", false},
        {std::wstring(L"http://www.example-haber.com.tr/") + L'\0' + L"x.exe", false},
        {L"http://www.example-haber.com.tr/\x7F", false},
        {L"http://www.example-haber.com.tr/\x85", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(core::ToUtf8(c.link));
        EXPECT_EQ(news::IsWebLink(c.link), c.opens);
    }
}
