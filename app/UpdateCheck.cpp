#include "app/UpdateCheck.h"

#include <algorithm>
#include <optional>
#include <shellapi.h>

#include "app/Application.h"
#include "app/BuildSettings.h"
#include "app/Workers.h"
#include "core/CodePage.h"
#include "core/Format.h"
#include "core/XmlDocument.h"
#include "resources/Resources.h"
#include "toolkit/WideString.h"

namespace app {

std::string ReadVersion(const std::wstring& text)
{
    if (text.size() > VersionTextLimit)
        return {};
    core::TXmlDocument document;
    try {
        if (!document.LoadXml(text))
            return {};
        std::optional<std::wstring> version = document.SelectText(L"/data/version");
        return version ? core::WideToAnsi(*version) : std::string();
    } catch (const std::exception&) {
        return {};
    }
}

bool IsNewerVersion(std::string_view version)
{
    const std::string_view own(OwnVersion);
    auto lessByte = [](char a, char b) { return static_cast<unsigned char>(a) < static_cast<unsigned char>(b); };
    return std::lexicographical_compare(own.begin(), own.end(), version.begin(), version.end(), lessByte);
}

std::string VersionFromAnswer(net::TInternetThread& worker)
{
    if (!AnsweredWithSuccess(worker))
        return {};
    std::wstring text = core::AnsiToWide(worker.Response().BodyText());
    if (text.empty())
        return {};
    try {
        return ReadVersion(text);
    } catch (const core::EOleSysError&) {
        return OwnVersion;
    }
}

std::wstring DownloadAddress()
{
    return L"http://" + core::AnsiToWide(RedirectHost) + L"/?linkid=7931";
}

void OfferUpdate(HWND owner)
{
    const std::wstring message = core::Format(toolkit::LoadWideString(IDS_UPDATE_PROMPT), AppTitle);
    if (MessageBoxW(owner, message.c_str(), AppTitle.c_str(), MB_YESNO | MB_ICONINFORMATION | MB_TOPMOST) == IDYES)
        ShellExecuteW(nullptr, L"open", DownloadAddress().c_str(), nullptr, nullptr, SW_SHOW);
}

} // namespace app
