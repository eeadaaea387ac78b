#pragma once
// The squad icon list's test rig: a headless screen, a UI tree with list
// nodes, squad pictures and three number fonts of different widths, and
// squads built in code.

#include <memory>
#include <string>
#include <vector>

#include "core/font.h"
#include "core/path_mgr.h"
#include "core/resource_mgr.h"
#include "core/ui_mgr.h"
#include "game/army.h"
#include "game/game_object.h"
#include "game/squad_type.h"
#include "tests/support/art_fixtures.h"
#include "tests/support/fixture_packs.h"
#include "tests/support/screen/ui_rig.h"
#include "tests/support/ui_tree_writer.h"
#include "ui/skin.h"
#include "ui/ui_link.h"

namespace map_test {

using Node = ui_tree_fixture::TreeNode;

inline std::vector<uint8_t> Img(const IndexedPicture& picture, bool transparent = false, int16_t hotX = 0,
                                int16_t hotY = 0)
{
    ImageEncodeOptions options;
    options.transparent = transparent;
    options.hotX = hotX;
    options.hotY = hotY;
    return MustEncode(EncodeImage(picture, options));
}

// Squad pictures are 20 x 16, one colour per type: "A" 40, "B" 41, "C" 42.
constexpr int kPictureWidth = 20;
constexpr int kPictureHeight = 16;

class ListRig : public ui_test::UiRig {
protected:
    // The tree of the list tests; tests may add nodes before SetUp.
    virtual std::vector<Node> Tree()
    {
        return {
            {0, "T", {}},
            // visible, anchor, x, y, w, h, empty text, align h, align v, cell width, hide empty
            {1, "Centred", {1, 0, 10, 20, 210, 100, "NoSquads", 1, 1, 50, 0}},
            {2, "Hint_", {"ListHint"}},
            {1, "Start", {1, 0, 0, 0, 240, 100, "NoSquads", 2, 2, 50, 0}},
            {1, "NoCell", {1, 0, 0, 0, 240, 100, "NoSquads", 2, 2, 0, 1}},
        };
    }
    virtual void AddData(PackWriter&) {}

    void SetUp() override
    {
        UiRig::SetUp();
        PackWriter pack(100);
        std::vector<uint8_t> pool, table;
        ui_tree_fixture::WriteUiTree(Tree(), pool, table);
        ASSERT_TRUE(pack.AddFile("UI/test", "uit", pool));
        ASSERT_TRUE(pack.AddFile("UI/test", "uib", table));
        ASSERT_TRUE(pack.AddText("Locale/locale", "txt", "NoSquads=none\r\nListHint=army\r\n"));
        // Type "C" has no right-facing picture.
        const char* ids[] = {"A", "B", "C"};
        for (int i = 0; i < 3; ++i) {
            ASSERT_TRUE(pack.AddFile(std::string("Objects/Units/") + ids[i] + "/Icon_l", "img",
                                     Img(SolidPicture(kPictureWidth, kPictureHeight, uint8_t(40 + i)))));
            if (i < 2) {
                ASSERT_TRUE(pack.AddFile(std::string("Objects/Units/") + ids[i] + "/Icon_r", "img",
                                         Img(SolidPicture(kPictureWidth, kPictureHeight, uint8_t(50 + i)))));
            }
        }
        AddData(pack);
        m_data.AddPack("list", pack);
        ASSERT_TRUE(m_data.Mount());
        ASSERT_TRUE(CPathMgr::Init());
        ASSERT_TRUE(CUIMgr::Init());
        ASSERT_TRUE(CUIMgr::LoadUiTree("test"));
        // Fonts 0, 1, 2: blanks, digits and signs 6, 4 and 3 pixels wide; letters for texts.
        ClearFontList();
        const uint8_t widths[3] = {6, 4, 3};
        for (uint8_t w : widths) {
            m_fonts.push_back(MustEncode(EncodeFont(PatternFont(8, ' ', 91, w, 1))));
            FontData font;
            ASSERT_TRUE(font.Assign(m_fonts.back().data(), static_cast<uint32_t>(m_fonts.back().size())));
            RegisterFont(font);
        }
        for (int i = 0; i < 3; ++i) {
            m_types[i].typeId = CStr(ids[i]);
            m_types[i].name = CStr((std::string("Type") + ids[i]).c_str());
        }
    }
    void TearDown() override
    {
        CWindowMgr::Shutdown();
        ClearSkinCache();
        ClearFontList();
        SetToolkitHooks({});
        CUIMgr::Shutdown();
        CPathMgr::Shutdown();
        UiRig::TearDown();
    }

    // Appends a squad of type t (0 A, 1 B, 2 C) with a count and front hit points.
    void AddSquad(CArmy& army, int t, int32_t count, int32_t hp)
    {
        CSquad s;
        s.type = &m_types[t];
        army.AddSquadCopy(s);
        army.Item(army.Count() - 1)->count = count;
        army.Item(army.Count() - 1)->hitPoints = hp;
    }

    FixtureData m_data;
    std::vector<std::vector<uint8_t>> m_fonts;
    CSquadType m_types[3];
};

}  // namespace map_test
