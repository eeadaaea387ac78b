#include "tests/support/screen/screen_rig.h"

#include <filesystem>
#include <memory>
#include <new>
#include <utility>

#include "core/device_mgr.h"
#include "core/draw_context.h"
#include "core/font.h"
#include "core/path_mgr.h"
#include "core/raster.h"
#include "core/task_mgr.h"
#include "core/ui_mgr.h"
#include "tests/support/art_fixtures.h"
#include "tests/support/build_folder.h"
#include "tools/pack/pack_writer.h"
#include "ui/skin.h"
#include "ui/ui_link.h"

namespace screen_rig {

namespace {
CDrawContext* NewScreenContext()
{
    return new (std::nothrow) CDrawContext;
}
}  // namespace

CWindow* MakePaintRecordingRoot()
{
    return new (std::nothrow) PaintRecordingRoot;
}

CWindow* MakePlainRoot()
{
    return new (std::nothrow) CWindow;
}

void ScriptHook::OnFrame()
{
    if (++frames == frameLimit)
        RequestQuit();
    if (before)
        before();
    if (CWindowMgr::IsUp())
        CWindowMgr::ProcessEvents();
}

HeadlessOptions ScreenRig::PlatformOptions() const
{
    HeadlessOptions options;
    options.closeAfterSteps = 0;
    options.settings.shots = TestBuildFolder() + "/shots";
    return options;
}

void ScreenRig::SetUp()
{
    m_headless = &UseHeadlessPlatform(PlatformOptions());
    SetDrawContextFactory(NewScreenContext);
    ASSERT_TRUE(m_display.Open());
    SetDisplaySurface(&m_display);
    InitRasterOps();
    ResetPaletteStack();
    QuitFlag = 0;
    PaintMerge = 1;
    LoadData();
    if (HasFatalFailure())
        return;
    SetRootScreenWndFactory(RootWindow());
    m_hook = new ScriptHook;
    SetFrameHook(m_hook);
    ASSERT_TRUE(CWindowMgr::Init());
    CWindowMgr::ProcessEvents();
}

void ScreenRig::TearDown()
{
    CWindowMgr::Shutdown();
    SetFrameHook(nullptr);
    SetRootScreenWndFactory(nullptr);
    ClearSkinCache();
    ClearFontList();
    SetToolkitHooks({});
    if (m_mounted) {
        CUIMgr::Shutdown();
        CPathMgr::Shutdown();
    }
    SetDisplaySurface(nullptr);
    m_display.Close();
    QuitFlag = 0;
}

void ScreenRig::MountPack(const std::string& name, const PackWriter& pack, const char* tree)
{
    m_data.AddPack(name, pack);
    ASSERT_TRUE(m_data.Mount());
    ASSERT_TRUE(CPathMgr::Init());
    ASSERT_TRUE(CUIMgr::Init());
    m_mounted = true;
    ASSERT_TRUE(CUIMgr::LoadUiTree(tree));
}

void ScreenRig::AddPatternFont(uint8_t height, uint8_t width, uint8_t first, uint8_t count)
{
    m_fonts.push_back(MustEncode(EncodeFont(PatternFont(height, first, count, width, 1))));
    FontData font;
    ASSERT_TRUE(font.Assign(m_fonts.back().data(), static_cast<uint32_t>(m_fonts.back().size())));
    RegisterFont(font);
}

PackedPoint ScreenRig::CentreOf(const CWindow* window)
{
    const PackedRect& r = window->GetNode()->screenRect;
    return PackedPoint((r.Left() + r.Right()) / 2, (r.Top() + r.Bottom()) / 2);
}

void ScreenRig::Tap(int x, int y)
{
    PenDownSignal.FirePoint(PackedPoint(x, y));
    PenUpSignal.FirePoint(PackedPoint(x, y));
    CWindowMgr::ProcessEvents();
}

void ScreenRig::TapOn(const CWindow* window)
{
    const PackedPoint p = CentreOf(window);
    Tap(p.X(), p.Y());
}

void ScreenRig::PenDown(int x, int y)
{
    PenDownSignal.FirePoint(PackedPoint(x, y));
    CWindowMgr::ProcessEvents();
}

void ScreenRig::PenMove(int x, int y)
{
    PenMoveSignal.FirePoint(PackedPoint(x, y));
    CWindowMgr::ProcessEvents();
}

void ScreenRig::PenUp(int x, int y)
{
    PenUpSignal.FirePoint(PackedPoint(x, y));
    CWindowMgr::ProcessEvents();
}

void ScreenRig::Script(std::vector<std::function<void()>> steps)
{
    auto shared = std::make_shared<std::vector<std::function<void()>>>(std::move(steps));
    auto at = std::make_shared<size_t>(0);
    m_hook->before = [shared, at] {
        if (*at < shared->size()) {
            auto step = (*shared)[(*at)++];
            step();
        } else {
            RequestQuit();
        }
    };
}

std::function<void()> ScreenRig::TapStep(std::function<CWindow*()> window)
{
    return [this, window] {
        if (CWindow* w = window())
            TapOn(w);
    };
}

std::function<void()> ScreenRig::Idle()
{
    return [] {};
}

void ScreenRig::RunClock(uint32_t milliseconds)
{
    for (uint32_t i = 0; i < milliseconds; ++i) {
        m_headless->AdvanceClock(1);
        CTaskMgr::Tick();
    }
}

std::vector<PackedRect> ScreenRig::QueuedPaints(const CWindow* window)
{
    std::vector<PackedRect> rects;
    for (int i = 0; i < CWindowMgr::QueuedCount(); ++i) {
        const WindowEvent& e = CWindowMgr::QueuedEvent(i);
        if (e.type == EventPaint && e.target == window)
            rects.push_back(e.Rect());
    }
    return rects;
}

void ScreenRig::Drain()
{
    while (CWindowMgr::QueuedCount() > 0)
        CWindowMgr::PopEvent();
}

bool ScreenRig::Shot(const std::string& name)
{
    std::error_code ignored;
    std::filesystem::create_directories(m_headless->Settings().shots, ignored);
    if (Root() != nullptr)
        Root()->Invalidate();
    CWindowMgr::ProcessEvents();
    m_display.Flush();
    const bool hasExtension = name.size() > 4 && name.compare(name.size() - 4, 4, ".png") == 0;
    return m_headless->Screenshot(hasExtension ? name : name + ".png");
}

void ScreenRig::UseSpreadPalette()
{
    uint8_t rgb[768];
    for (int i = 0; i < 256; ++i) {
        rgb[i * 3] = static_cast<uint8_t>(60 + (i * 37) % 190);
        rgb[i * 3 + 1] = static_cast<uint8_t>(60 + (i * 91) % 190);
        rgb[i * 3 + 2] = static_cast<uint8_t>(60 + (i * 53) % 190);
    }
    const uint8_t fixed[][4] = {{0, 24, 24, 48}, {1, 50, 50, 90}, {8, 255, 255, 255}, {15, 255, 230, 120}};
    for (const auto& f : fixed) {
        rgb[f[0] * 3] = f[1];
        rgb[f[0] * 3 + 1] = f[2];
        rgb[f[0] * 3 + 2] = f[3];
    }
    SetDisplayPalette(rgb);
}

}  // namespace screen_rig
