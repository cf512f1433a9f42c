#include "platform/win32/process_setup.h"

#include <gtest/gtest.h>
#include <objbase.h>
#include <thread>
#include <windows.h>

namespace dustbane::testing {
namespace {

// Wine never shows the "no disk in the drive" box, so the mode itself is what can be seen.
TEST(ProcessSetupTest, NoSystemBoxCanStopAnUnattendedRun) {
    const UINT before = SetErrorMode(0);
    win32::setQuietErrorMode();
    const UINT mode = GetErrorMode();
    SetErrorMode(before);
    EXPECT_EQ(mode & SEM_FAILCRITICALERRORS, static_cast<UINT>(SEM_FAILCRITICALERRORS));
    EXPECT_EQ(mode & SEM_NOOPENFILEERRORBOX, static_cast<UINT>(SEM_NOOPENFILEERRORBOX));
}

TEST(ProcessSetupTest, TheThreadIsInASingleThreadedApartmentWhileItLasts) {
    std::thread([] {
        {
            win32::ComApartment com;
            APTTYPE type{};
            APTTYPEQUALIFIER qualifier{};
            ASSERT_EQ(CoGetApartmentType(&type, &qualifier), S_OK);
            EXPECT_TRUE(type == APTTYPE_STA || type == APTTYPE_MAINSTA) << type;
        }
        APTTYPE type{};
        APTTYPEQUALIFIER qualifier{};
        EXPECT_EQ(CoGetApartmentType(&type, &qualifier), CO_E_NOTINITIALIZED);
    }).join();
}

} // namespace
} // namespace dustbane::testing
