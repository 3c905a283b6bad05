#include <gtest/gtest.h>

#include "object/GaugeObject.h"
#include "object/LimitNumber.h"
#include "support/RecordingDevice.h"

namespace {

TEST(LimitNumber, ClampsOrWraps) {
    LimitNumber n;
    n.Set(250, 255, 0);
    n.Increase(10);
    EXPECT_EQ(n.value, 255);
    n.Decrease(300);
    EXPECT_EQ(n.value, 0);
    n.wrap = 1;
    n.Decrease(1);
    EXPECT_EQ(n.value, 255);
    n.Increase(1);
    EXPECT_EQ(n.value, 0);
    n.value = 999;  // written directly: Get still answers within the limits
    EXPECT_EQ(n.Get(), 255);
    n.value = -4;
    EXPECT_EQ(n.Get(), 0);
}

TEST(GaugeObject, BarLengthFollowsTheValue) {
    RecordingDevice device;
    GaugeObject bar;
    bar.Init(&device, 100.0f, 50.0f, 3.0f, 16.0f, 40.0f);
    bar.SetColour(0, 200, 0, 255);
    bar.value = 10.0f;
    bar.Draw(1);
    bar.value = 0.0f;
    bar.Draw(1);
    bar.value = 80.0f;
    bar.Draw(0);
    ASSERT_EQ(device.draws.size(), 3u);
    const auto& quarter = device.draws[0].vertices;
    EXPECT_FLOAT_EQ(quarter[0].x, 100.0f);
    EXPECT_FLOAT_EQ(quarter[1].x, 104.0f);
    EXPECT_FLOAT_EQ(quarter[0].y, 48.5f);
    EXPECT_FLOAT_EQ(quarter[3].y, 51.5f);
    EXPECT_EQ(quarter[2].diffuse, 0xFF00C800u);
    EXPECT_FLOAT_EQ(device.draws[1].vertices[1].x, 100.0f);
    EXPECT_FLOAT_EQ(device.draws[2].vertices[3].x, 132.0f);  // past the maximum: longer than width
}

}  // namespace
