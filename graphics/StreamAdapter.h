#pragma once
#include "core/Win32.h"

#include <objidl.h>

#include <atomic>
#include <memory>

#include "core/Streams.h"

namespace graphics {

enum class TStreamOwnership { Reference = 0, Owned = 1 };

// One of the program's streams seen as a COM IStream, so that GDI+ can decode an image
// straight from a resource. Reference counted: the last Release destroys the adapter
// and, when it owns the stream, the stream too. Errors raised by the stream never
// cross the COM boundary; they become the HRESULTs of each method.
class TStreamAdapter final : public IStream {
public:
    // Starts with no reference: the first owner (a ComPtr) takes one.
    TStreamAdapter(core::TStream* stream, TStreamOwnership ownership);
    TStreamAdapter(const TStreamAdapter&) = delete;
    TStreamAdapter& operator=(const TStreamAdapter&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    HRESULT STDMETHODCALLTYPE Read(void* buffer, ULONG count, ULONG* done) override;
    HRESULT STDMETHODCALLTYPE Write(const void* buffer, ULONG count, ULONG* done) override;

    HRESULT STDMETHODCALLTYPE Seek(LARGE_INTEGER offset, DWORD origin, ULARGE_INTEGER* position) override;
    HRESULT STDMETHODCALLTYPE SetSize(ULARGE_INTEGER size) override;
    HRESULT STDMETHODCALLTYPE CopyTo(IStream* target, ULARGE_INTEGER count, ULARGE_INTEGER* read,
                                     ULARGE_INTEGER* written) override;
    HRESULT STDMETHODCALLTYPE Commit(DWORD flags) override;
    HRESULT STDMETHODCALLTYPE Revert() override;
    HRESULT STDMETHODCALLTYPE LockRegion(ULARGE_INTEGER offset, ULARGE_INTEGER count, DWORD lockType) override;
    HRESULT STDMETHODCALLTYPE UnlockRegion(ULARGE_INTEGER offset, ULARGE_INTEGER count, DWORD lockType) override;
    HRESULT STDMETHODCALLTYPE Stat(STATSTG* status, DWORD flags) override;
    HRESULT STDMETHODCALLTYPE Clone(IStream** copy) override;

private:
    // Only Release may destroy the adapter, so it can never live on the stack.
    ~TStreamAdapter() = default;

    core::TStream* stream_;
    std::unique_ptr<core::TStream> ownedStream_;
    std::atomic<ULONG> references_{0};
};

} // namespace graphics
