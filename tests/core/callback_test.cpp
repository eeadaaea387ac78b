#include "core/callback.h"

#include <gtest/gtest.h>

namespace {

intptr_t AddToContext(void* context, intptr_t argument, CCallback*)
{
    return *static_cast<int*>(context) + argument;
}

struct Counter {
    int total = 0;
    intptr_t Add(intptr_t n) { return total += static_cast<int>(n); }
    void Reset(intptr_t) { total = 0; }
    bool Take(Counter* other)
    {
        total += other->total;
        return total > 10;
    }
    int16_t Current() { return static_cast<int16_t>(total); }
};

}  // namespace

TEST(CCallbackTest, BindReplacesAndInvokeCallsWithContext)
{
    CCallback* slot = nullptr;
    int base = 40;
    CCallback::Bind(slot, &base, &AddToContext);
    ASSERT_NE(slot, nullptr);
    EXPECT_EQ(slot->Invoke(2), 42);

    Counter counter;
    CCallback::Bind(slot, &counter, &Counter::Add);  // the old callback is deleted (ASan checks)
    slot->Invoke(5);
    EXPECT_EQ(slot->Invoke(6), 11);
    CCallback::Bind(slot, &counter, &Counter::Reset);
    slot->Invoke(0);
    EXPECT_EQ(counter.total, 0);
    Counter other;
    other.total = 12;
    CCallback::Bind(slot, &counter, &Counter::Take);  // pointer argument, bool result
    EXPECT_EQ(slot->Invoke(reinterpret_cast<intptr_t>(&other)), 1);
    CCallback::Bind(slot, &counter, &Counter::Current);  // no argument
    EXPECT_EQ(slot->Invoke(0), 12);
    CCallback::Clear(slot);
    EXPECT_EQ(slot, nullptr);
}

TEST(CCallbackTest, UnboundCallbackAnswersItself)
{
    CCallback* slot = nullptr;
    CCallback::Bind(slot, nullptr, nullptr);
    EXPECT_EQ(slot->Invoke(7), reinterpret_cast<intptr_t>(slot));
    CCallback::Clear(slot);
}
