#include "tests/support/windows/shipped_data.h"

#include <filesystem>

#include "core/display_surface.h"
#include "core/font.h"
#include "core/pack_format.h"
#include "core/path_mgr.h"
#include "core/resource_mgr.h"
#include "core/ui_mgr.h"
#include "game/scenario_mgr.h"
#include "tests/support/build_folder.h"
#include "ui/skin.h"
#include "ui/ui_link.h"
#include "ui/window_mgr.h"

namespace game_windows_test {

void ShippedDataRig::SetUp()
{
    UiRig::SetUp();
    ASSERT_TRUE(CResourceMgr::InitFromFolder(TestDataFolder().c_str()));
    ASSERT_TRUE(CPathMgr::Init());
    ASSERT_TRUE(CUIMgr::Init());
    // The 240 x 320 skin folder overlays the root, as the screen layout
    // choice does at start-up.
    ASSERT_TRUE(CResourceMgr::MapFolder("", "/Skin240"));
    ASSERT_TRUE(CUIMgr::LoadUiTree("240x320"));
    RawResource font;
    ASSERT_TRUE(CResourceMgr::LoadData("/Locale/Fonts/font", pack_format::kFontType, font));
    m_font.assign(font.data, font.data + font.size);
    FontData data;
    ASSERT_TRUE(data.Assign(m_font.data(), static_cast<uint32_t>(m_font.size())));
    ClearFontList();
    RegisterFont(data);
    RawResource palette;
    ASSERT_TRUE(CResourceMgr::LoadPalette("/Palettes/base", palette));
    ASSERT_EQ(palette.size, 768);
    SetDisplayPalette(palette.data);
    ASSERT_TRUE(Map::CSrenarionMgr::Init());
}

void ShippedDataRig::TearDown()
{
    CWindowMgr::Shutdown();
    Map::CSrenarionMgr::Clear();
    ClearSkinCache();
    ClearFontList();
    SetToolkitHooks({});
    CUIMgr::Shutdown();
    CPathMgr::Shutdown();
    UiRig::TearDown();
}

bool ShippedDataRig::Exists(const char* path, const char* type)
{
    return CResourceMgr::FindResource(path, pack_format::MakeType(type)).IsFound();
}

}  // namespace game_windows_test
