#include "core/Object.h"

#include <cstdlib>
#include <cxxabi.h>
#include <memory>
#include <typeinfo>

#include "core/Exceptions.h"

namespace core {

std::wstring TObject::ClassName() const
{
    int status = 0;
    std::unique_ptr<char, decltype(&std::free)> demangled(
        abi::__cxa_demangle(typeid(*this).name(), nullptr, nullptr, &status), &std::free);
    std::string name = status == 0 && demangled ? demangled.get() : typeid(*this).name();
    if (auto colon = name.rfind("::"); colon != std::string::npos)
        name.erase(0, colon + 2);
    return std::wstring(name.begin(), name.end());
}

void Free(TObject* object)
{
    if (!object)
        return;
    object->BeforeDestruction();
    delete object;
}

void TPersistent::Assign(const TPersistent* source)
{
    if (source == nullptr)
        RaiseAssignError(nullptr, *this);
    source->AssignTo(*this);
}

void TPersistent::AssignTo(TPersistent& dest) const
{
    RaiseAssignError(this, dest);
}

void RaiseAssignError(const TObject* source, const TObject& dest)
{
    throw EConvertError(Format(L"Cannot assign a %s to a %s", source ? source->ClassName() : L"nil", dest.ClassName()));
}

} // namespace core
