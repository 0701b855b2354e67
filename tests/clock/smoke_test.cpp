#include <gtest/gtest.h>
#include "app/app_record.h"
TEST(Smoke, Defaults) { EXPECT_EQ(g_app.options.clientWidth, 120); EXPECT_EQ(sizeof(wchar_t) >= 2, true); }
