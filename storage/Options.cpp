#include "storage/Options.h"

#include "core/Win32.h"
#include "resources/Skins.h"

namespace storage {
namespace {

const std::wstring OptionsSection = L"options";
const std::wstring GeneralSection = L"general";

} // namespace

// The defaults are centred as if the work area began at (0, 0): only its size counts.
TOptions::TOptions(std::wstring fileName) : TWMemIniFile(std::move(fileName))
{
    RECT area{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    // The main window's size is the size of its frame skin.
    defaultTop_ = (area.bottom - area.top - skins::MainFrame.Height) / 2;
    defaultLeft_ = (area.right - area.left - skins::MainFrame.Width) / 2;
}

bool TOptions::StayOnTop() const
{
    return ReadFlag(OptionsSection, L"alwaystop", true);
}

bool TOptions::AutoScale() const
{
    return ReadFlag(OptionsSection, L"autoscale", true);
}

bool TOptions::ShowTray() const
{
    return ReadFlag(OptionsSection, L"showtray", true);
}

bool TOptions::StartUp() const
{
    return ReadFlag(OptionsSection, L"startup", true);
}

int32_t TOptions::WindowLeft() const
{
    return ReadInt(GeneralSection, L"left", defaultLeft_);
}

int32_t TOptions::WindowTop() const
{
    return ReadInt(GeneralSection, L"top", defaultTop_);
}

void TOptions::SetStayOnTop(bool value)
{
    WriteFlag(OptionsSection, L"alwaystop", value);
}

void TOptions::SetAutoScale(bool value)
{
    WriteFlag(OptionsSection, L"autoscale", value);
}

void TOptions::SetShowTray(bool value)
{
    WriteFlag(OptionsSection, L"showtray", value);
}

void TOptions::SetStartUp(bool value)
{
    WriteFlag(OptionsSection, L"startup", value);
}

void TOptions::SetWindowLeft(int32_t value)
{
    WriteInt(GeneralSection, L"left", value);
}

void TOptions::SetWindowTop(int32_t value)
{
    WriteInt(GeneralSection, L"top", value);
}

} // namespace storage
