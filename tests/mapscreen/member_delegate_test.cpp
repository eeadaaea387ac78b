// The member-function delegate of the map screen's event sources: one
// binding per slot, replaced by the next connect, and an empty slot that
// does nothing.

#include "mapscreen/member_delegate.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Listener {
    std::vector<std::string>* journal;
    std::string name;
    int Count(int16_t province)
    {
        journal->push_back(name + " " + std::to_string(province));
        return province * 2;
    }
    void Plain() { journal->push_back(name); }
};

// A listener that reconnects the slot that is calling it.
struct Rebinder {
    DelegateSlot<void()>* slot;
    Listener* next;
    int calls = 0;
    void Fire()
    {
        ++calls;
        slot->Connect(next, &Listener::Plain);
    }
};

TEST(MemberDelegate, ASlotHoldsOneBindingAndAnEmptySlotAnswersNothing)
{
    std::vector<std::string> journal;
    Listener a{&journal, "a"}, b{&journal, "b"};
    DelegateSlot<int(int16_t)> slot;
    struct Step {
        Listener* connect;  // null: clear
        int16_t argument;
        int result;
        const char* logged;
    };
    const Step steps[] = {
        {nullptr, 3, 0, nullptr},
        {&a, 4, 8, "a 4"},
        {&b, 5, 10, "b 5"},
        {nullptr, 6, 0, nullptr},
    };
    for (const Step& s : steps) {
        journal.clear();
        if (s.connect)
            slot.Connect(s.connect, &Listener::Count);
        else
            slot.Clear();
        EXPECT_EQ(slot.IsBound(), s.connect != nullptr);
        EXPECT_EQ(slot.Invoke(s.argument), s.result);
        // Only the last binding is called: connecting replaced the first.
        EXPECT_EQ(journal, s.logged ? std::vector<std::string>{s.logged} : std::vector<std::string>{});
    }
}

TEST(MemberDelegate, AHandlerMayReconnectTheSlotThatCallsIt)
{
    std::vector<std::string> journal;
    Listener next{&journal, "next"};
    DelegateSlot<void()> slot;
    Rebinder rebinder{&slot, &next};
    slot.Connect(&rebinder, &Rebinder::Fire);
    slot.Invoke();
    EXPECT_EQ(rebinder.calls, 1);
    EXPECT_TRUE(journal.empty());
    slot.Invoke();
    EXPECT_EQ(rebinder.calls, 1);
    EXPECT_EQ(journal, std::vector<std::string>{"next"});
}

}  // namespace
