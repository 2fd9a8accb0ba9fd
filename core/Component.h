#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "core/Object.h"

namespace core {

// A component has an owner that frees it and a name. Components are created with new
// and handed to their owner, which deletes them (last created first) when it is
// destroyed; a component without owner belongs to whoever created it. Deleting a
// component early takes it out of its owner's list.
class TComponent : public TPersistent {
public:
    explicit TComponent(TComponent* owner);
    ~TComponent() override;

    TComponent* Owner() const { return owner_; }
    const std::wstring& Name() const { return name_; }
    void SetName(std::wstring name) { name_ = std::move(name); }
    intptr_t Tag() const { return tag_; }
    void SetTag(intptr_t tag) { tag_ = tag; }

    int ComponentCount() const { return static_cast<int>(components_.size()); }
    TComponent* Components(int index) const { return components_.at(index); }

    void InsertComponent(TComponent* component);
    void RemoveComponent(TComponent* component);

protected:
    // Frees the owned components now. A subclass whose owned components still use it
    // while they are destroyed calls this first in its own destructor.
    void DestroyComponents();

private:
    TComponent* owner_ = nullptr;
    std::vector<TComponent*> components_;
    std::wstring name_;
    intptr_t tag_ = 0;
};

} // namespace core
