// What the program sets up before its main window exists: the toolkit, GDI+ and COM on
// the test thread.
#include <gtest/gtest.h>

#include <objbase.h>

#include "app/ModuleLifetime.h"

namespace {

class TAppEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        module_ = new app::TModuleLifetime;
        CoInitialize(nullptr);
    }
    void TearDown() override
    {
        CoUninitialize();
        delete module_;
    }

private:
    app::TModuleLifetime* module_ = nullptr;
};

[[maybe_unused]] ::testing::Environment* const environment = ::testing::AddGlobalTestEnvironment(new TAppEnvironment);

} // namespace
