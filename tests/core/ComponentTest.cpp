#include <gtest/gtest.h>

#include <vector>

#include "core/Component.h"
#include "core/Exceptions.h"

namespace {

// Records its destruction so that tests can see who was freed, and in which order.
class TProbe : public core::TComponent {
public:
    TProbe(core::TComponent* owner, std::vector<std::wstring>& log, std::wstring name)
        : core::TComponent(owner), log_(log)
    {
        SetName(std::move(name));
    }
    ~TProbe() override { log_.push_back(Name()); }

private:
    std::vector<std::wstring>& log_;
};

class TOtherPersistent : public core::TPersistent {};

} // namespace

TEST(Component, OwnerFreesOwnedComponentsOnceLastFirst)
{
    std::vector<std::wstring> log;
    auto* root = new TProbe(nullptr, log, L"root");
    auto* a = new TProbe(root, log, L"a");
    new TProbe(a, log, L"a.child");
    new TProbe(root, log, L"b");
    EXPECT_EQ(root->ComponentCount(), 2);
    EXPECT_EQ(a->Owner(), root);
    delete root;
    EXPECT_EQ(log, (std::vector<std::wstring>{L"root", L"b", L"a", L"a.child"}));
}

TEST(Component, FreeingAnOwnedComponentEarlyTakesItOutOfItsOwner)
{
    std::vector<std::wstring> log;
    TProbe root(nullptr, log, L"root");
    auto* a = new TProbe(&root, log, L"a");
    new TProbe(&root, log, L"b");
    delete a;
    ASSERT_EQ(root.ComponentCount(), 1);
    EXPECT_EQ(root.Components(0)->Name(), L"b");
}

TEST(Persistent, ClassNameAndAssignmentError)
{
    TOtherPersistent source;
    core::TComponent dest(nullptr);
    EXPECT_EQ(source.ClassName(), L"TOtherPersistent");
    EXPECT_EQ(dest.ClassName(), L"TComponent");
    try {
        dest.Assign(&source);
        FAIL() << "no error";
    } catch (const core::EConvertError& error) {
        EXPECT_EQ(error.Message(), L"Cannot assign a TOtherPersistent to a TComponent");
    }
    EXPECT_THROW(dest.Assign(nullptr), core::EConvertError);
}
