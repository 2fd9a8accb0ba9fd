#include "core/ComObjects.h"

#include "core/Format.h"

namespace core {

EOleSysError::EOleSysError(HRESULT result)
    : Exception(Format(L"OLE error %.8X", static_cast<uint32_t>(result))), errorCode_(result)
{
}

void OleCheck(HRESULT result)
{
    if (FAILED(result))
        throw EOleSysError(result);
}

TBstr::TBstr(std::wstring_view text) : value_(SysAllocStringLen(text.data(), static_cast<UINT>(text.size())))
{
    if (!value_)
        throw EOleSysError(E_OUTOFMEMORY);
}

TBstr& TBstr::operator=(TBstr&& other) noexcept
{
    if (this != &other) {
        SysFreeString(value_);
        value_ = std::exchange(other.value_, nullptr);
    }
    return *this;
}

BSTR* TBstr::Receive()
{
    SysFreeString(value_);
    value_ = nullptr;
    return &value_;
}

std::wstring TBstr::Text() const
{
    return value_ ? std::wstring(value_, SysStringLen(value_)) : std::wstring();
}

TVariant::TVariant(std::wstring_view text) : TVariant()
{
    TBstr copy(text);
    value_.vt = VT_BSTR;
    value_.bstrVal = copy.Release();
}

TVariant::TVariant(bool value) : TVariant()
{
    value_.vt = VT_BOOL;
    value_.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
}

VARIANT* TVariant::Receive()
{
    VariantClear(&value_);
    return &value_;
}

} // namespace core
