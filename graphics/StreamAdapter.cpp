#include "graphics/StreamAdapter.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace graphics {

namespace {

constexpr ULONGLONG CopyBufferLimit = 1024 * 1024;

} // namespace

TStreamAdapter::TStreamAdapter(core::TStream* stream, TStreamOwnership ownership)
    : stream_(stream), ownedStream_(ownership == TStreamOwnership::Owned ? stream : nullptr)
{
}

HRESULT STDMETHODCALLTYPE TStreamAdapter::QueryInterface(REFIID id, void** object)
{
    if (!object)
        return E_POINTER;
    if (id == IID_IUnknown || id == IID_ISequentialStream || id == IID_IStream) {
        *object = static_cast<IStream*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE TStreamAdapter::AddRef()
{
    return ++references_;
}

ULONG STDMETHODCALLTYPE TStreamAdapter::Release()
{
    ULONG left = --references_;
    if (left == 0)
        delete this;
    return left;
}

HRESULT STDMETHODCALLTYPE TStreamAdapter::Read(void* buffer, ULONG count, ULONG* done)
{
    if (!buffer)
        return STG_E_INVALIDPOINTER;
    try {
        ULONG n = static_cast<ULONG>(stream_->Read(buffer, count));
        if (done)
            *done = n;
        return S_OK;
    } catch (...) {
        return S_FALSE;
    }
}

HRESULT STDMETHODCALLTYPE TStreamAdapter::Write(const void* buffer, ULONG count, ULONG* done)
{
    if (!buffer)
        return STG_E_INVALIDPOINTER;
    try {
        ULONG n = static_cast<ULONG>(stream_->Write(buffer, count));
        if (done)
            *done = n;
        return S_OK;
    } catch (...) {
        return STG_E_CANTSAVE;
    }
}

HRESULT STDMETHODCALLTYPE TStreamAdapter::Seek(LARGE_INTEGER offset, DWORD origin, ULARGE_INTEGER* position)
{
    if (origin > STREAM_SEEK_END)
        return STG_E_INVALIDFUNCTION;
    try {
        int64_t reached = stream_->Seek(offset.QuadPart, static_cast<core::TSeekOrigin>(origin));
        if (position)
            position->QuadPart = static_cast<ULONGLONG>(reached);
        return S_OK;
    } catch (...) {
        return STG_E_INVALIDPOINTER;
    }
}

HRESULT STDMETHODCALLTYPE TStreamAdapter::SetSize(ULARGE_INTEGER size)
{
    try {
        auto wanted = static_cast<int64_t>(size.QuadPart);
        stream_->SetSize(wanted);
        return stream_->Size() == wanted ? S_OK : E_FAIL;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

HRESULT STDMETHODCALLTYPE TStreamAdapter::CopyTo(IStream* target, ULARGE_INTEGER count, ULARGE_INTEGER* read,
                                                 ULARGE_INTEGER* written)
{
    // A missing target would be called through a null pointer.
    if (!target)
        return STG_E_INVALIDPOINTER;
    std::vector<uint8_t> buffer;
    try {
        buffer.resize(static_cast<size_t>(std::min(count.QuadPart, CopyBufferLimit)));
    } catch (...) {
        return E_UNEXPECTED;
    }
    ULONGLONG totalRead = 0, totalWritten = 0;
    HRESULT result = S_OK;
    try {
        ULONGLONG left = count.QuadPart;
        while (left > 0) {
            size_t chunk = static_cast<size_t>(std::min<ULONGLONG>(left, buffer.size()));
            size_t got = stream_->Read(buffer.data(), chunk);
            if (got == 0)
                break;
            totalRead += got;
            ULONG put = 0;
            result = target->Write(buffer.data(), static_cast<ULONG>(got), &put);
            totalWritten += put;
            if (SUCCEEDED(result) && put != got)
                result = E_FAIL;
            if (FAILED(result))
                break;
            left -= got;
        }
    } catch (...) {
        result = E_UNEXPECTED;
    }
    if (read)
        read->QuadPart = totalRead;
    if (written)
        written->QuadPart = totalWritten;
    return result;
}

HRESULT STDMETHODCALLTYPE TStreamAdapter::Commit(DWORD)
{
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TStreamAdapter::Revert()
{
    return STG_E_REVERTED;
}

HRESULT STDMETHODCALLTYPE TStreamAdapter::LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD)
{
    return STG_E_INVALIDFUNCTION;
}

HRESULT STDMETHODCALLTYPE TStreamAdapter::UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD)
{
    return STG_E_INVALIDFUNCTION;
}

HRESULT STDMETHODCALLTYPE TStreamAdapter::Stat(STATSTG* status, DWORD)
{
    if (!status)
        return S_OK;
    try {
        std::memset(status, 0, sizeof(*status));
        status->type = STGTY_STREAM;
        status->cbSize.QuadPart = static_cast<ULONGLONG>(stream_->Size());
        status->grfLocksSupported = LOCK_WRITE;
        return S_OK;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

HRESULT STDMETHODCALLTYPE TStreamAdapter::Clone(IStream** copy)
{
    if (copy)
        *copy = nullptr;
    return E_NOTIMPL;
}

} // namespace graphics
