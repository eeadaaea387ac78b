#pragma once
// The headless screen the drawing tests draw on: a display surface of
// 240 x 320 opened over the headless platform, its screen context ready.

#include <gtest/gtest.h>

#include "core/display_surface.h"
#include "core/draw_context.h"
#include "platform/headless/headless_backend.h"
#include "platform/platform.h"

class ScreenContextTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        HeadlessOptions o;
        o.closeAfterSteps = 0;
        UseHeadlessPlatform(o);
        SetDrawContextFactory([]() { return new CDrawContext; });
        display = new CDisplaySurface;
        SetDisplaySurface(display);
        ASSERT_TRUE(display->Open());
        display->Flush();
    }
    void TearDown() override
    {
        SetDisplaySurface(nullptr);
        delete display;
        PlatformClose();
    }
    CDrawContext& Screen() { return *display->ScreenContext(); }
    CDisplaySurface* display = nullptr;
};
