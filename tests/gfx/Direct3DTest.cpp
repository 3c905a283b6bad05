#include "gfx/Direct3D.h"

#include <gtest/gtest.h>

#include "gfx/SoftwareDevice.h"
#include "support/TempDir.h"

namespace {

TEST(InitDirect3D, CreatesTheReferenceDeviceAndNamesItInTheLog) {
    ScopedTempDir dir;
    gfx::HeadlessFrameSink sink;
    ASSERT_EQ(InitDirect3D(&sink, false, 640, 480), S_OK);
    ASSERT_NE(Direct3DDevice(), nullptr);
    EXPECT_EQ(Direct3DDevice()->Present(), S_OK);
    EXPECT_EQ(sink.FramesShown(), 1u);
    ReleaseDirect3D();
    EXPECT_EQ(Direct3DDevice(), nullptr);
    EXPECT_EQ(ReadWholeFile("log.txt"), "REFERENCE RASTERIZEで動作します\n");
}

}  // namespace
