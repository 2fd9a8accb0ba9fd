#include <gtest/gtest.h>

#include "toolkit/Desktop.h"

namespace {

// Sets the work area for one test and puts the old one back afterwards.
class DesktopTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(SystemParametersInfoW(SPI_GETWORKAREA, 0, &saved_, 0)); }
    void TearDown() override { SystemParametersInfoW(SPI_SETWORKAREA, 0, &saved_, 0); }
    static void SetWorkArea(RECT area) { ASSERT_TRUE(SystemParametersInfoW(SPI_SETWORKAREA, 0, &area, 0)); }

    RECT saved_{};
};

} // namespace

TEST_F(DesktopTest, WorkAreaIsQueriedAfreshOnEveryCall)
{
    toolkit::TDesktop desktop(nullptr);
    struct Case {
        RECT set;
    } cases[] = {{{0, 0, 1280, 994}}, {{60, 0, 1280, 1024}}, {{0, 30, 1280, 1024}}};
    for (const auto& c : cases) {
        SetWorkArea(c.set);
        RECT area{};
        ASSERT_TRUE(desktop.WorkArea(area));
        EXPECT_TRUE(EqualRect(&area, &c.set)) << area.left << "," << area.top << "," << area.right << "," << area.bottom;
    }
}
