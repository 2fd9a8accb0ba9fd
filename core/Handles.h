#pragma once
#include "core/UniqueHandle.h"
#include "core/Win32.h"

namespace core {

// Kernel objects (mutexes, threads, events).
using TKernelHandle = TUniqueHandle<TNullHandleTraits<HANDLE, &::CloseHandle>>;

// Files: CreateFileW reports failure with INVALID_HANDLE_VALUE, not null.
struct TFileHandleTraits {
    using Type = HANDLE;
    static Type Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Type value) { ::CloseHandle(value); }
};
using TFileHandle = TUniqueHandle<TFileHandleTraits>;

using TRegistryKey = TUniqueHandle<TNullHandleTraits<HKEY, &::RegCloseKey>>;
using TLibraryHandle = TUniqueHandle<TNullHandleTraits<HMODULE, &::FreeLibrary>>;

} // namespace core
