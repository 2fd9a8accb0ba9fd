#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "core/DateTime.h"
#include "core/Exceptions.h"
#include "core/Files.h"
#include "storage/WMemIniFile.h"
#include "tests/storage/StorageTestSupport.h"

using storage::TWMemIniFile;
using storage::TWStringList;
using storage_test::Strings;

namespace {

class MemIniFileTest : public storage_test::TempFolderTest {
protected:
    std::wstring IniPath() const { return PathOf(L"ayarlar.ini"); }
    // An INI file loaded from the given file text (UTF-16 with its mark).
    std::unique_ptr<TWMemIniFile> Load(const std::wstring& text)
    {
        storage_test::WriteBytes(IniPath(), storage_test::Utf16(text));
        return std::make_unique<TWMemIniFile>(IniPath());
    }
    std::vector<std::wstring> SectionLines(const TWMemIniFile& ini, const std::wstring& section)
    {
        TWStringList lines;
        ini.ListSectionLines(section, lines);
        return Strings(lines);
    }
};

} // namespace

TEST_F(MemIniFileTest, ReadsLinesByTheFileRules)
{
    struct Case {
        std::wstring text;
        std::wstring section;
        std::vector<std::wstring> lines;
    } cases[] = {
        {L"   [ options ]   \r\nk=v", L"options", {L"k=v"}},
        {L"[s]\r\n[options\r\n", L"s", {L"[options"}},
        {L"[s]\r\n  alwaystop  =  1  \r\n=5\r\n", L"s", {L"alwaystop=1", L"=5"}},
        {L"[s]\r\n\t\r\n \r\n; comment\r\nx", L"s", {L"x"}},
        {L"key=before\r\n[s]\r\nkey=after", L"s", {L"key=after"}},
        {L"[]\r\nk=v", L"", {L"k=v"}},
        {L"[s]\rk1=a\nk2=b\n\rk3=c", L"s", {L"k1=a", L"k2=b", L"k3=c"}},
        {L"[s]\r\npath=C:\\new\r\nother=C:\\Users\r\nend=x\\", L"s", {L"path=C:\new", L"other=C:sers", L"end=x"}},
        {L"[s]\r\nt=\\tpadded\\t\r\nesc=a\\\\b\\r\\nc", L"s", {L"t=\tpadded\t", L"esc=a\\b\r\nc"}},
        {L"[s]\r\nBİR=ığüşöç", L"S", {L"BİR=ığüşöç"}},
    };
    for (const auto& c : cases) {
        auto ini = Load(c.text);
        EXPECT_EQ(SectionLines(*ini, c.section), c.lines) << core::ToUtf8(c.text);
    }
}

// Values come back as written, whatever they hold, through the file and in memory.
TEST_F(MemIniFileTest, ValuesRoundTripThroughTheFile)
{
    const std::wstring values[] = {
        L"",          L"plain",     L"a=b=c",         L";not a comment", L"[section]",     L"]",
        L"tab\there", L"\tedges\t", L"line\r\nbreak", L"lone\rcr",       L"lone\nlf",      L"C:\\Users\\Şule",
        L"\\",        L"\\\\n",     L"\\x",           L"ğĞşŞıİçÇöÖüÜ",   L"inner  spaces",
    };
    TWMemIniFile ini(IniPath());
    for (size_t i = 0; i < std::size(values); ++i)
        ini.WriteValue(L"değerler", L"k" + std::to_wstring(i), values[i]);
    ini.Flush();
    TWMemIniFile reloaded(IniPath());
    for (size_t i = 0; i < std::size(values); ++i) {
        std::wstring key = L"k" + std::to_wstring(i);
        EXPECT_EQ(ini.ReadValue(L"değerler", key, L"?"), values[i]) << core::ToUtf8(values[i]);
        EXPECT_EQ(reloaded.ReadValue(L"DEĞERLER", key, L"?"), values[i]) << core::ToUtf8(values[i]);
    }
}

TEST_F(MemIniFileTest, WritesEscapedLinesSectionBySection)
{
    TWMemIniFile ini(IniPath());
    ini.WriteValue(L"a", L"path", L"C:\\Users");
    ini.WriteValue(L"a", L"text", L"x\r\ny\tz");
    ini.WriteValue(L"new", L"k", L"v");
    ini.Flush();
    EXPECT_EQ(storage_test::ReadBytes(IniPath()),
              storage_test::Utf16(L"[a]\r\npath=C:\\\\Users\r\ntext=x\\r\\ny\\tz\r\n\r\n[new]\r\nk=v\r\n\r\n"));
}

TEST_F(MemIniFileTest, DuplicateSectionsAndKeysResolveToTheLastOne)
{
    auto ini = Load(L"[options]\r\na=1\r\n[other]\r\n[OPTIONS]\r\na=2\r\nk=first\r\nk=second\r\n");
    EXPECT_EQ(ini->ReadValue(L"options", L"a", L""), L"2");
    EXPECT_EQ(ini->ReadValue(L"options", L"k", L""), L"second");
    ini->WriteValue(L"options", L"k", L"third");
    ini->WriteValue(L"options", L"a", L"3");
    ini->Flush();
    EXPECT_EQ(
        storage_test::ReadBytes(IniPath()),
        storage_test::Utf16(L"[options]\r\na=1\r\n\r\n[other]\r\n\r\n[OPTIONS]\r\na=3\r\nk=first\r\nk=third\r\n\r\n"));
    ini->RemoveSection(L"Options");
    EXPECT_EQ(ini->ReadValue(L"options", L"a", L""), L"1");
    ini->RemoveSection(L"options");
    EXPECT_EQ(ini->ReadValue(L"options", L"a", L"gone"), L"gone");
}

TEST_F(MemIniFileTest, ReadsIntegersAndFlagsOrFallsBack)
{
    struct Case {
        const wchar_t* text;
        int32_t value;
    } cases[] = {
        {L"0x1F", 31},
        {L"$1f", 31},
        {L" 12", 12},
        {L"12a", -7},
        {L"2147483648", -7},
        {L"-2147483648", INT32_MIN},
        {L"2147483647", INT32_MAX},
        {L"0x", -7},
        {L"0xFFFFFFFF", -1},
        {L"0x100000000", -7},
        {L"", -7},
        {L"true", -7},
        {L"-1", -1},
        {L"1.5", -7},
        {L"ŞŞ", -7},
    };
    TWMemIniFile ini(L"");
    for (const auto& c : cases) {
        ini.WriteValue(L"s", L"k", c.text);
        EXPECT_EQ(ini.ReadInt(L"s", L"k", -7), c.value) << core::ToUtf8(c.text);
        EXPECT_EQ(ini.ReadFlag(L"s", L"k", true), c.value != 0) << core::ToUtf8(c.text);
        EXPECT_EQ(ini.ReadFlag(L"s", L"k", false), c.value != 0 && c.value != -7) << core::ToUtf8(c.text);
    }
    EXPECT_EQ(ini.ReadInt(L"missing", L"k", 5), 5);
}

TEST_F(MemIniFileTest, TypedValuesRoundTripInAnyLocale)
{
    const int32_t integers[] = {0, 1, -1, 42, -5, INT32_MAX, INT32_MIN};
    const double reals[] = {0, 3.5, -0.25, 1e20, 1.5e-7, 123456.789, -2.5e-300, 0.333333333333333};
    const core::TDateTime dates[] = {core::EncodeDate(2026, 12, 11), core::EncodeDate(1899, 12, 30),
                                     core::EncodeDate(1453, 5, 29)};
    const core::TDateTime times[] = {core::EncodeTime(0, 0, 0, 0), core::EncodeTime(13, 5, 9, 0),
                                     core::EncodeTime(23, 59, 59, 0)};
    const wchar_t decimalBefore = core::FormatSettings().DecimalSeparator;
    TWMemIniFile ini(IniPath());
    for (int32_t value : integers) {
        ini.WriteInt(L"i", L"v" + std::to_wstring(value), value);
        ini.WriteHexInt(L"h", L"v" + std::to_wstring(value), static_cast<uint32_t>(value));
    }
    for (size_t i = 0; i < std::size(reals); ++i)
        ini.WriteRealValue(L"r", std::to_wstring(i), reals[i]);
    for (size_t i = 0; i < std::size(dates); ++i) {
        ini.WriteDateValue(L"d", std::to_wstring(i), dates[i]);
        ini.WriteTimeValue(L"t", std::to_wstring(i), times[i]);
        ini.WriteDateTimeValue(L"dt", std::to_wstring(i), dates[i] + times[i]);
    }
    ini.WriteFlag(L"f", L"yes", true);
    ini.WriteFlag(L"f", L"no", false);
    ini.Flush();
    TWMemIniFile back(IniPath());
    for (int32_t value : integers) {
        EXPECT_EQ(back.ReadInt(L"i", L"v" + std::to_wstring(value), 7), value);
        EXPECT_EQ(back.ReadInt(L"h", L"v" + std::to_wstring(value), 7), value);
    }
    for (size_t i = 0; i < std::size(reals); ++i)
        EXPECT_EQ(back.ReadRealValue(L"r", std::to_wstring(i), 7), reals[i]) << reals[i];
    for (size_t i = 0; i < std::size(dates); ++i) {
        EXPECT_EQ(back.ReadDateValue(L"d", std::to_wstring(i), 7), dates[i]);
        EXPECT_EQ(back.ReadTimeValue(L"t", std::to_wstring(i), 7), times[i]);
        EXPECT_EQ(back.ReadDateTimeValue(L"dt", std::to_wstring(i), 7), dates[i] + times[i]);
    }
    EXPECT_TRUE(back.ReadFlag(L"f", L"yes", false));
    EXPECT_FALSE(back.ReadFlag(L"f", L"no", true));
    EXPECT_EQ(back.ReadValue(L"h", L"v-1", L""), L"0xFFFFFFFF");
    EXPECT_EQ(back.ReadValue(L"r", L"1", L""), L"3.5") << "the invariant decimal separator";
    EXPECT_EQ(back.ReadValue(L"i", L"v-5", L""), L"-5");
    EXPECT_EQ(core::FormatSettings().DecimalSeparator, decimalBefore) << "the user's separator is back";
}

TEST_F(MemIniFileTest, UnreadableTypedValuesFallBackAndRestoreTheSeparators)
{
    const wchar_t decimalBefore = core::FormatSettings().DecimalSeparator;
    const wchar_t thousandBefore = core::FormatSettings().ThousandSeparator;
    TWMemIniFile ini(L"");
    for (const wchar_t* text : {L"abc", L"3,5", L"31.31.2026", L"25:00", L"1e999"}) {
        ini.WriteValue(L"s", L"k", text);
        EXPECT_EQ(ini.ReadRealValue(L"s", L"k", 7.5), 7.5) << core::ToUtf8(text);
        EXPECT_EQ(ini.ReadDateValue(L"s", L"k", 8), 8) << core::ToUtf8(text);
        EXPECT_EQ(ini.ReadTimeValue(L"s", L"k", 0.5), 0.5) << core::ToUtf8(text);
        EXPECT_EQ(ini.ReadDateTimeValue(L"s", L"k", 9), 9) << core::ToUtf8(text);
    }
    ini.WriteValue(L"s", L"empty", L"");
    EXPECT_EQ(ini.ReadRealValue(L"s", L"empty", 1.25), 1.25);
    EXPECT_EQ(core::FormatSettings().DecimalSeparator, decimalBefore);
    EXPECT_EQ(core::FormatSettings().ThousandSeparator, thousandBefore);
}

TEST_F(MemIniFileTest, WritesHexadecimalWithEightUpperCaseDigits)
{
    TWMemIniFile ini(L"");
    ini.WriteHexInt(L"s", L"k", 255);
    EXPECT_EQ(ini.ReadValue(L"s", L"k", L""), L"0x000000FF");
    EXPECT_EQ(ini.ReadInt(L"s", L"k", 0), 255);
}

TEST_F(MemIniFileTest, BytesRoundTripFromTheSourcePosition)
{
    TWMemIniFile ini(L"");
    core::TMemoryStream source;
    source.WriteBuffer("\x00\x01\xAB\xFFskip", 8);
    source.SetPosition(0);
    ini.WriteBytes(L"s", L"k", source);
    EXPECT_EQ(ini.ReadValue(L"s", L"k", L""), L"0001ABFF736B6970");
    source.SetPosition(2);
    ini.WriteBytes(L"s", L"tail", source);
    core::TMemoryStream target;
    target.WriteBuffer("xy", 2);
    EXPECT_EQ(ini.ReadBytes(L"s", L"tail", target), 6);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(target.Memory()), 8), std::string("xy\xAB\xFFskip", 8));
    ini.WriteValue(L"s", L"odd", L"41g2");
    EXPECT_EQ(ini.ReadBytes(L"s", L"odd", target), 1) << "stops at the first pair that is no byte";
    EXPECT_EQ(ini.ReadBytes(L"s", L"missing", target), 0);
    EXPECT_EQ(target.Size(), 9);
}

TEST_F(MemIniFileTest, ListsRemovesAndReloads)
{
    auto ini = Load(L"[a]\r\nx=1\r\nbare\r\ny=2\r\n[b]\r\n");
    TWStringList keys;
    ini->ListKeys(L"A", keys);
    EXPECT_EQ(Strings(keys), (std::vector<std::wstring>{L"x", L"", L"y"}));
    ini->ListKeys(L"none", keys);
    EXPECT_EQ(keys.Count(), 0);
    TWStringList sections;
    ini->ListSections(sections);
    EXPECT_EQ(Strings(sections), (std::vector<std::wstring>{L"a", L"b"}));
    EXPECT_EQ(static_cast<storage::TWStrings*>(sections.ObjectAt(0))->Count(), 3);
    ini->RemoveKey(L"a", L"X");
    ini->RemoveKey(L"a", L"nothing");
    ini->RemoveKey(L"nothing", L"y");
    EXPECT_EQ(SectionLines(*ini, L"a"), (std::vector<std::wstring>{L"bare", L"y=2"}));
    ini->Reload();
    EXPECT_EQ(ini->ReadValue(L"a", L"x", L""), L"1") << "unsaved changes are dropped";
    DeleteFileW(IniPath().c_str());
    ini->Reload();
    ini->ListSections(sections);
    EXPECT_EQ(sections.Count(), 0);
}

TEST_F(MemIniFileTest, FlushKeepsOrderCommentsAndUnknownKeys)
{
    auto ini = Load(L"; written by hand\r\n[zeta]\r\nunknown=5\r\n; about b\r\nb=1\r\nstray line\r\n\r\n"
                    L"[alpha]\r\n;tight=comment \\ kept\r\na=1\r\n");
    ini->WriteValue(L"alpha", L"a", L"2");
    ini->WriteValue(L"zeta", L"new", L"3");
    ini->Flush();
    EXPECT_EQ(storage_test::ReadBytes(IniPath()),
              storage_test::Utf16(L"; written by hand\r\n[zeta]\r\nunknown=5\r\n; about b\r\nb=1\r\nstray line\r\n"
                                  L"new=3\r\n\r\n[alpha]\r\n;tight=comment \\ kept\r\na=2\r\n\r\n"));
    std::string saved = storage_test::ReadBytes(IniPath());
    TWMemIniFile again(IniPath());
    again.Flush();
    EXPECT_EQ(storage_test::ReadBytes(IniPath()), saved) << "a second round changes nothing";
}

// Comments are the user's: written back as read, but never keys or lines of a section.
TEST_F(MemIniFileTest, CommentsStayOutOfTheSectionApi)
{
    auto ini = Load(L"[s]\r\n; about a\r\na=1\r\n;name=hand\r\n[t]\r\nb=2\r\n");
    TWStringList keys;
    ini->ListKeys(L"s", keys);
    EXPECT_EQ(Strings(keys), std::vector<std::wstring>{L"a"});
    EXPECT_EQ(SectionLines(*ini, L"s"), std::vector<std::wstring>{L"a=1"});
    EXPECT_EQ(ini->ReadValue(L"s", L";name", L"?"), L"?");
    ini->RemoveKey(L"s", L";name");

    // A key of the program that looks like a comment is a line of its own, escaped like
    // every other, so its line break cannot split the file.
    ini->WriteValue(L"s", L";name", L"x\r\n[t]\r\nb=9");
    EXPECT_EQ(ini->ReadValue(L"s", L";name", L"?"), L"x\r\n[t]\r\nb=9");
    ini->Flush();
    EXPECT_EQ(storage_test::ReadBytes(IniPath()),
              storage_test::Utf16(L"[s]\r\n; about a\r\na=1\r\n;name=hand\r\n;name=x\\r\\n[t]\\r\\nb=9\r\n\r\n"
                                  L"[t]\r\nb=2\r\n\r\n"));
    TWMemIniFile reloaded(IniPath());
    EXPECT_EQ(reloaded.ReadValue(L"t", L"b", L"?"), L"2");
    EXPECT_EQ(SectionLines(reloaded, L"s"), std::vector<std::wstring>{L"a=1"});
}

// Reading stops at a NUL, so one in a value must not reach the file as it is.
TEST_F(MemIniFileTest, ANulInAValueDoesNotCutTheFile)
{
    TWMemIniFile ini(IniPath());
    ini.WriteValue(L"a", L"nul", std::wstring(L"x\0y", 3));
    ini.WriteValue(L"a", L"after", L"1");
    ini.WriteValue(L"b", L"k", L"v");
    ini.Flush();
    TWMemIniFile reloaded(IniPath());
    EXPECT_EQ(reloaded.ReadValue(L"a", L"nul", L"?"), L"xy");
    EXPECT_EQ(reloaded.ReadValue(L"a", L"after", L"?"), L"1");
    EXPECT_EQ(reloaded.ReadValue(L"b", L"k", L"?"), L"v");
}

TEST_F(MemIniFileTest, AFileThatCannotBeOpenedRaisesFromTheConstructor)
{
    storage_test::WriteBytes(IniPath(), storage_test::Utf16(L"[s]\r\nk=v"));
    HANDLE locked = CreateFileW(IniPath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(locked, INVALID_HANDLE_VALUE);
    EXPECT_THROW(TWMemIniFile ini(IniPath()), core::EFOpenError);
    CloseHandle(locked);
    EXPECT_EQ(TWMemIniFile(IniPath()).ReadValue(L"s", L"k", L""), L"v");
}
