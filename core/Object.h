#pragma once
#include <string>

namespace core {

// Root of the program's class hierarchy: objects know their class name (the name a
// window class or an error message shows) and are never copied by accident.
class TObject {
public:
    TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;
    virtual ~TObject() = default;

    // The dynamic class name without namespaces, for example L"TContentEx".
    std::wstring ClassName() const;

    // Runs once before the destructor of the most derived class, when the object is freed
    // through Free (owners free their components this way). An object that can still be
    // reached from outside, by a window for example, cuts that link here, while all of it
    // is still intact.
    virtual void BeforeDestruction() {}
};

// Frees an object: BeforeDestruction, then delete. Null does nothing.
void Free(TObject* object);

// An object whose settings can be copied from another object of a suitable class.
class TPersistent : public TObject {
public:
    // Copies source's settings into this object; by default asks the source to do it.
    virtual void Assign(const TPersistent* source);

protected:
    // Copies this object's settings into dest; by default raises the assignment error.
    virtual void AssignTo(TPersistent& dest) const;
};

// The platform's assignment error: "Cannot assign a <source> to a <dest>"; a missing
// source is named "nil".
[[noreturn]] void RaiseAssignError(const TObject* source, const TObject& dest);

} // namespace core
