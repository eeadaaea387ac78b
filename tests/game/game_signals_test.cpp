// The single-binding game signals and the dialog-request poster.
#include <gtest/gtest.h>

#include "game/game_signals.h"
#include "game/ui_request.h"

namespace {

struct Screen {
    int modes = 0;
    int lastMode = -1;
    void OnMode(int32_t mode)
    {
        ++modes;
        lastMode = mode;
    }
    uint32_t OnRequest(UiRequestKind kind, void* record)
    {
        if (kind == UiRequestKind::Message)
            static_cast<MessageRequest*>(record)->result = kMessageAnswerOk;
        return kUiResultOk;
    }
};

TEST(GameSignals, TheLastConnectionWins)
{
    Screen first, second;
    SigMapMode.Connect(&first, &Screen::OnMode);
    SigMapMode.Connect(&second, &Screen::OnMode);
    SigMapMode.Fire(2);
    EXPECT_EQ(first.modes, 0);
    EXPECT_EQ(second.modes, 1);
    EXPECT_EQ(second.lastMode, 2);
    SigMapMode.Disconnect();
    SigMapMode.Fire(0);
    EXPECT_EQ(second.modes, 1);
}

TEST(GameSignals, AnEmptySlotDoesNothingAndAnswersNothing)
{
    SigControllerQuery.Disconnect();
    EXPECT_EQ(QueryController(), 0);
    SigUiRequest.Disconnect();
    MessageRequest message;
    message.result = 7;
    EXPECT_EQ(PostUiRequest(message), 0u);
    EXPECT_EQ(message.result, 7u) << "the record comes back as the poster filled it";
    RunUiPumpHook();
}

TEST(GameSignals, RequestsReachTheDispatcherWithTheirRecord)
{
    Screen screen;
    SigUiRequest.Connect(&screen, &Screen::OnRequest);
    MessageRequest message;
    EXPECT_EQ(PostUiRequest(message), kUiResultOk);
    EXPECT_EQ(message.result, kMessageAnswerOk);
    SigUiRequest.Disconnect();
}

TEST(GameSignals, AHandlerMayReconnectItsOwnSlotWhileFiring)
{
    int calls = 0;
    SigPumpUi.Connect([&] {
        ++calls;
        SigPumpUi.Connect([&] { calls += 10; });
    });
    RunUiPumpHook();
    RunUiPumpHook();
    EXPECT_EQ(calls, 11);
    SigPumpUi.Disconnect();
}

TEST(GameSignals, TheEndOfASessionKeepsOnlyTheGameOverHandler)
{
    int overs = 0, pumps = 0;
    SigGameOver.Connect([&](uint8_t, PlayerRecord*) { ++overs; });
    SigPumpUi.Connect([&] { ++pumps; });
    ClearSessionSignals();
    RunUiPumpHook();
    SigGameOver.Fire(1, nullptr);
    EXPECT_EQ(pumps, 0);
    EXPECT_EQ(overs, 1);
    SigGameOver.Disconnect();
}

TEST(GameSignals, MapUiFlagsSetAndClearBits)
{
    std::vector<uint32_t> seen;
    SigUiStateFlags.Connect([&](const MapUiState& s) { seen.push_back(s.bits); });
    ClearMapUiFlags(0xFFFFFFFFu);
    SetMapUiFlags(16);
    SetMapUiFlags(2);
    ClearMapUiFlags(16);
    EXPECT_EQ(seen, (std::vector<uint32_t>{0, 16, 18, 2}));
    EXPECT_EQ(CurrentMapUiState().bits, 2u);
    SigUiStateFlags.Disconnect();
}

}  // namespace
