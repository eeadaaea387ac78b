// The castle work windows, the siege-engine question and the
// not-enough-resources notice, driven as a player would: the numbers of the
// request shown, Ok offered only when the player can pay, the answer written
// back into the request.
#include <memory>

#include "mapdialogs/castle_work_wnd.h"
#include "mapdialogs/ner_wnd.h"
#include "mapdialogs/prep_treb_wnd.h"
#include "players/request_records.h"
#include "tests/mapdialogs/dialog_rig.h"
#include "ui/button.h"
#include "ui/markup_wnd.h"
#include "ui/res_wnd.h"

namespace dialog_test {
namespace {

CResourceBundle Bundle(int32_t gold, int32_t metal, int32_t stone)
{
    CResourceBundle b;
    b.SetByChars("gold", gold);
    b.SetByChars("metl", metal);
    b.SetByChars("ston", stone);
    return b;
}

// The amounts a resource control shows, as "icon amount" pairs.
std::string AmountsOf(CResWnd* control)
{
    if (control == nullptr)
        return "<none>";
    std::string text;
    for (int i = 0; i < control->ItemCount(); ++i) {
        if (!text.empty())
            text += " ";
        text += control->Amount(i)->Text().Chars();
    }
    return text;
}

std::unique_ptr<CCastleWorkWnd> MakeWork(CastleWorkMember member)
{
    const CStr path = CStr::ConcatChars(CStr("/Map/MapWnd/"), CastleWorkLayoutOf(member).layoutName);
    switch (member) {
    case MemberDemolishCastle:
        return std::make_unique<CDemolishCastleWnd>(nullptr, path);
    default:
        return std::make_unique<CCastleWorkWnd>(nullptr, path, member);
    }
}

class CastleWorkTest : public DialogRig {};

TEST_F(CastleWorkTest, EachMemberShowsItsMessageAndOffersOkOnlyWhenAffordable)
{
    const struct {
        CastleWorkMember member;
        uint8_t affordable;
        uint8_t first, second;
        uint32_t building;
        const char* messageControl;
        const char* message;
        int resLeftString;
        int descrString;
    } cases[] = {
        {MemberBuildCastle, 1, 5, 0, 0, "RtMessage", "Takes 5 turns", 0, -1},
        {MemberBuildCastle, 0, 5, 0, 0, "RtMessage", "Takes 5 turns", 1, -1},
        {MemberCompleteCastle, 1, 35, 2, 0, "RtCaption", "Mend 35% in 2 turns", 0, -1},
        {MemberCompleteCastle, 0, 35, 2, 0, "RtCaption", "Mend 35% in 2 turns", 1, -1},
        {MemberRepairCastle, 1, 60, 0, 0, "RtAmount", "Castle at 60%", 0, -1},
        {MemberDigMoat, 0, 1, 0, 0, "RtMessage", "Takes 1 turns", 1, -1},
        {MemberAddCatapult, 1, 2, 0, 0, "RtMessage", "Takes 2 turns", 0, -1},
        {MemberAddWalls, 0, 3, 0, 0, "RtMessage", "Takes 3 turns", 1, -1},
        // A building chooses its description and its refusal.
        {MemberAddBuilding, 0, 1, 0, 0x01, "RtMessage", "Takes 1 turns", 1, 0},
        {MemberAddBuilding, 1, 1, 0, 0x02, "RtMessage", "Takes 1 turns", 0, 2},
        {MemberAddBuilding, 0, 1, 0, 0x04, "RtMessage", "Takes 1 turns", 2, 1},
        {MemberAddBuilding, 0, 1, 0, 0x08, "RtMessage", "Takes 1 turns", 4, 3},
        {MemberAddBuilding, 0, 1, 0, 0x10, "RtMessage", "Takes 1 turns", 5, 4},
        {MemberAddBuilding, 0, 1, 0, 0x20, "RtMessage", "Takes 1 turns", 6, 5},
    };
    const char* refusals[] = {"Left:",    "no market", "no tavern", "no bank",
                              "no guild", "no metal",  "no stone"};
    const char* plainRefusals[] = {"Left:", "Too poor"};
    const char* descriptions[] = {"market", "tavern", "bank", "guild", "metal mine", "stone mine"};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(CastleWorkLayoutOf(c.member).layoutName) + " affordable " +
                     std::to_string(c.affordable) + " building " + std::to_string(c.building));
        CastleWorkRequestArgs request;
        request.affordable = c.affordable;
        request.turns = c.first;
        request.secondCount = c.second;
        request.building = c.building;
        request.price = Bundle(300, 20, 0);
        request.remaining = Bundle(700, 5, 40);
        auto wnd = MakeWork(c.member);
        wnd->Setup(&request);
        EXPECT_EQ(TextOf(wnd->Control(c.messageControl)), c.message);
        EXPECT_EQ(AmountsOf(wnd->ResControl("ResCost")), "300 20");
        EXPECT_EQ(wnd->ShownString("RtResLeft"), c.resLeftString);
        const bool building = c.member == MemberAddBuilding;
        EXPECT_EQ(TextOf(wnd->Control("RtResLeft")),
                  building ? refusals[c.resLeftString] : plainRefusals[c.resLeftString]);
        if (c.descrString >= 0) {
            EXPECT_EQ(TextOf(wnd->Control("RtDescr")), descriptions[c.descrString]);
        }
        EXPECT_EQ(wnd->OkButton()->IsVisible(), c.affordable != 0);
        EXPECT_EQ(wnd->Control("ResLeft")->IsVisible(), c.affordable != 0);
        EXPECT_TRUE(wnd->CancelButton()->IsVisible());
        if (c.affordable) {
            EXPECT_EQ(AmountsOf(wnd->ResControl("ResLeft")), "700 5 40");
        }
    }
}

TEST_F(CastleWorkTest, OkAndCancelWriteTheAnswerAndEndTheRun)
{
    const struct {
        CastleWorkMember member;
        const char* button;
        uint16_t result;
        uint8_t confirmed;
    } cases[] = {
        {MemberBuildCastle, "BtnOk", 1, 1},    {MemberBuildCastle, "BtnCancel", 2, 0},
        {MemberAddBuilding, "BtnOk", 1, 1},    {MemberRepairCastle, "BtnCancel", 2, 0},
        {MemberDemolishCastle, "BtnOk", 1, 1}, {MemberDemolishCastle, "BtnCancel", 2, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(CastleWorkLayoutOf(c.member).layoutName) + " " + c.button);
        CastleWorkRequestArgs request;
        request.affordable = 1;
        request.building = 0x02;
        request.confirmed = c.confirmed ? 0 : 7;  // the window must write it
        auto wnd = MakeWork(c.member);
        wnd->Setup(&request);
        CCastleWorkWnd* w = wnd.get();
        // The second tap would be Cancel after Ok: the first ends the run.
        Script({Idle(), TapStep([w, &c] { return w->Control(c.button); }),
                TapStep([w] { return w->Control("BtnCancel"); })});
        EXPECT_EQ(RunModal(w), c.result);
        EXPECT_EQ(request.confirmed, c.confirmed);
        EXPECT_FALSE(w->IsVisible());
    }
}

TEST_F(CastleWorkTest, AnUnaffordableWorkOnlyCancelsAndAQuitIsARefusal)
{
    CastleWorkRequestArgs request;
    request.affordable = 0;
    request.price = Bundle(900, 0, 0);
    auto wnd = MakeWork(MemberDigMoat);
    wnd->Setup(&request);
    CCastleWorkWnd* w = wnd.get();
    // A tap where Ok would be hits nothing; the run goes on until the quit.
    const PackedPoint ok = CentreOf(w->Control("BtnOk"));
    Script({Idle(), [this, ok] { Tap(ok.X(), ok.Y()); }, Idle()});
    EXPECT_EQ(RunModal(w), ResultQuit);
    EXPECT_EQ(request.confirmed, 0);
}

TEST_F(CastleWorkTest, ADemolitionShowsTheRefundAndAlwaysOffersOk)
{
    for (int32_t refund : {0, 450}) {
        CastleWorkRequestArgs request;
        request.affordable = 0;
        request.price = Bundle(refund, 0, refund / 10);
        auto wnd = MakeWork(MemberDemolishCastle);
        wnd->Setup(&request);
        EXPECT_TRUE(wnd->OkButton()->IsVisible());
        EXPECT_TRUE(wnd->CancelButton()->IsVisible());
        EXPECT_EQ(AmountsOf(wnd->ResControl("ResGain")), refund ? "450 45" : "");
        EXPECT_EQ(TextOf(wnd->Control("RtMessage")), "Tear it down?");
    }
}

TEST_F(CastleWorkTest, TheSiegeEngineQuestionDisablesOkWhenThePlayerCannotPay)
{
    for (uint8_t affordable : {1, 0}) {
        SCOPED_TRACE(affordable);
        SiegeRequestArgs request;
        request.affordable = affordable;
        request.price = Bundle(250, 10, 0);
        request.remaining = Bundle(50, 0, 3);
        CPrepTrebWnd wnd(nullptr, CStr("/Map/MapWnd/PrepTrebWnd"));
        wnd.Setup(&request);
        EXPECT_EQ(AmountsOf(wnd.Cost()), "250 10");
        EXPECT_EQ(TextOf(wnd.ResourcesLeftText()), affordable ? "Left:" : "Too poor");
        EXPECT_EQ(wnd.ResourcesLeft()->IsVisible(), affordable != 0);
        EXPECT_TRUE(wnd.OkButton()->IsVisible());
        EXPECT_EQ(wnd.OkButton()->IsEnabled(), affordable != 0);
        EXPECT_EQ(TextOf(wnd.Description()), "A siege engine");
        // Ok first, then Cancel: without the money only Cancel closes it.
        Script({Idle(), TapStep([&wnd] { return wnd.OkButton(); }),
                TapStep([&wnd] { return wnd.CancelButton(); })});
        EXPECT_EQ(RunModal(&wnd), affordable ? ResultOk : ResultCancel);
        EXPECT_EQ(request.confirmed, affordable);
    }
}

TEST_F(CastleWorkTest, TheNoticeShowsTheCostAndTheMessageOfTheOperation)
{
    const struct {
        uint32_t mode;
        const char* text;
    } cases[] = {{0, "No assassins"}, {1, "No robbers"}, {2, "No scouts"}, {7, "No assassins"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode);
        NotEnoughResourcesArgs request;
        request.mode = c.mode;
        request.price = Bundle(120, 0, 0);
        CNERWnd wnd(nullptr, CStr("/Map/MapWnd/NERWnd"));
        wnd.Setup(&request);
        EXPECT_EQ(TextOf(wnd.Message()), c.text);
        EXPECT_EQ(AmountsOf(wnd.Cost()), "120");
        Script({Idle(), TapStep([&wnd] { return wnd.CloseButton(); })});
        RunModal(&wnd);
        EXPECT_FALSE(wnd.IsVisible());
        EXPECT_EQ(QuitFlag, 0);
    }
}

TEST_F(CastleWorkTest, ShotOfAnAffordableBuilding)
{
    CastleWorkRequestArgs request;
    request.affordable = 1;
    request.turns = 2;
    request.building = 0x02;
    request.price = Bundle(300, 20, 0);
    request.remaining = Bundle(700, 5, 40);
    auto wnd = MakeWork(MemberAddBuilding);
    wnd->Setup(&request);
    wnd->Show(true, true);
    ASSERT_TRUE(Shot("mapdialogs_add_building.png"));
}

}  // namespace
}  // namespace dialog_test
