#include "net/Request.h"

#include "core/Exceptions.h"

namespace net {

namespace {

bool ValidField(int index)
{
    return index >= 0 && index < TRequest::FieldCount;
}

} // namespace

TRequest::TRequest()
    : response_(std::make_unique<TResponse>()), abortEvent_(CreateEventW(nullptr, TRUE, FALSE, nullptr))
{
    if (!abortEvent_)
        core::RaiseLastOSError();
    fields_[VerbField] = "GET";
    fields_[VersionField] = "HTTP/1.1";
}

TRequest::~TRequest() = default;

void TRequest::SetField(int index, const core::AnsiString& text)
{
    if (ValidField(index))
        fields_[index] = text;
}

core::AnsiString TRequest::Field(int index) const
{
    return ValidField(index) ? fields_[index] : core::AnsiString();
}

void TRequest::AddHeader(const core::AnsiString& value, const core::AnsiString& format)
{
    if (value.empty())
        return;
    core::AnsiString header = format;
    size_t slot = header.find("%s");
    if (slot != core::AnsiString::npos)
        header.replace(slot, 2, value);
    headerBlock_ += header;
}

void TRequest::BuildHeaderBlock()
{
    AddHeader(fields_[AcceptField], "Accept: %s\r\n");
    AddHeader(fields_[CookieField], "Cookie: %s\r\n");
    AddHeader(fields_[RefererField], "Referer: %s\r\n");
    AddHeader(fields_[UserAgentField], "User-Agent: %s\r\n");
    AddHeader(fields_[ConnectionField], "Connection: %s\r\n");
    AddHeader(fields_[ContentTypeField], "Content-Type: %s\r\n");
}

int32_t TRequest::Perform(HINTERNET internet)
{
    if (!internet)
        return -1;
    BuildHeaderBlock();
    TExchangeRequest exchange{fields_[HostField], fields_[PathField], fields_[VerbField], fields_[VersionField],
                              headerBlock_, Body, Secure, FollowRedirects, Context, Deadline};
    TExchangeResult result = RunExchange(internet, std::move(exchange), abortEvent_.Get());
    response_->SetStatusCode(result.statusCode);
    response_->SetResponseField(TResponse::CookieField, result.setCookie);
    response_->SetRawHeaders(result.rawHeaders);
    core::TMemoryStream& stream = response_->BodyStream();
    stream.SetSize(static_cast<int64_t>(result.bodySize));
    for (const auto& piece : result.body)
        stream.WriteBuffer(piece.data(), piece.size());
    return result.status;
}

void TRequest::Abort()
{
    SetEvent(abortEvent_.Get());
}

} // namespace net
