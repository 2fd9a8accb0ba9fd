#include "net/Response.h"

namespace net {

namespace {

bool ValidField(int index)
{
    return index >= 0 && index < TResponse::FieldCount;
}

} // namespace

TResponse::TResponse() : bodyStream_(std::make_unique<core::TMemoryStream>()) {}

void TResponse::SetResponseField(int index, const core::AnsiString& text)
{
    if (ValidField(index))
        responseFields_[index] = text;
}

core::AnsiString TResponse::ResponseField(int index) const
{
    return ValidField(index) ? responseFields_[index] : core::AnsiString();
}

core::AnsiString TResponse::BodyText() const
{
    const auto* bytes = reinterpret_cast<const char*>(bodyStream_->Memory());
    return core::AnsiString(bytes, static_cast<size_t>(bodyStream_->Size()));
}

} // namespace net
