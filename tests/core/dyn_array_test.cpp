#include "core/dyn_array.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

// Makes every allocation fail while it exists.
class ExhaustedHeap {
public:
    ExhaustedHeap() : m_saved(dyn_array_detail::g_allocate)
    {
        dyn_array_detail::g_allocate = [](size_t) -> void* { return nullptr; };
    }
    ~ExhaustedHeap() { dyn_array_detail::g_allocate = m_saved; }

private:
    dyn_array_detail::AllocateFunction m_saved;
};

}  // namespace

TEST(CDynArrayTest, AutomaticGrowthIsAnEighthBetweenFourAnd1024)
{
    struct Case {
        int32_t from;      // count and capacity before
        int32_t to;        // requested count
        int32_t capacity;  // expected capacity after
    };
    const Case cases[] = {
        {0, 1, 4},
        {100, 101, 112},        // 100 + 100/8
        {8, 9, 12},             // an eighth would be 1: at least 4
        {9000, 9001, 10024},    // an eighth would be 1125: at most 1024
        {10, 30, 30},           // a request beyond the step is taken as it is
        {32000, 32001, 32767},  // never beyond the limit, never wrapping
        {32766, 32767, 32767},
    };
    for (const Case& c : cases) {
        CDynArray<uint8_t> a;
        ASSERT_TRUE(a.SetSize(c.from, static_cast<int16_t>(c.from)));  // exact first block
        a.SetSize(c.from, 0);
        if (c.from > 0) {
            ASSERT_EQ(a.Capacity(), c.from);
        }
        ASSERT_TRUE(a.SetSize(c.to));
        EXPECT_EQ(a.Capacity(), c.capacity) << c.from << " -> " << c.to;
        EXPECT_EQ(a.Count(), c.to);
    }
    CDynArray<uint8_t> a;
    EXPECT_FALSE(a.SetSize(32768));
    EXPECT_FALSE(a.SetSize(-1));
    EXPECT_EQ(a.Count(), 0);
}

TEST(CDynArrayTest, FixedStepAndFreeing)
{
    CDynArray<int32_t> a(10);
    a.SetSize(1);
    EXPECT_EQ(a.Capacity(), 10);
    a.SetSize(11);
    EXPECT_EQ(a.Capacity(), 20);
    a.SetSize(0);
    EXPECT_EQ(a.Capacity(), 0);
    EXPECT_EQ(a.Data(), nullptr);
    a.SetSize(0, 0);  // back to automatic growth
    const int32_t value = 7;
    EXPECT_EQ(a.Append(&value, 1), 0);
    EXPECT_EQ(a.Capacity(), 4);
}

TEST(CDynArrayTest, RegainedElementsAreZeroFilled)
{
    CDynArray<uint16_t> a;
    const uint16_t values[] = {1, 2, 3, 4, 5, 6};
    a.Append(values, 6);
    a.SetSize(2);
    EXPECT_EQ(a.Capacity(), 6);  // never shrinks while not empty
    a.SetSize(6);
    EXPECT_EQ(a[0], 1);
    EXPECT_EQ(a[1], 2);
    for (int i = 2; i < 6; ++i)
        EXPECT_EQ(a[i], 0);
    a.SetSize(40);  // grown into a new block: old values kept, new ones zero
    EXPECT_EQ(a[1], 2);
    for (int i = 2; i < 40; ++i)
        EXPECT_EQ(a[i], 0);
}

TEST(CDynArrayTest, AppendReturnsTheFirstNewIndexOrFailsCleanly)
{
    CDynArray<int32_t> a;
    const int32_t values[] = {10, 20, 30, 40, 50};
    EXPECT_EQ(a.Append(values, 3), 0);
    EXPECT_EQ(a.Append(values + 3, 2), 3);
    EXPECT_EQ(a.Count(), 5);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(a[i], values[i]);
    while (a.Count() < a.Capacity())
        a.Add(60);  // full: the next element needs a new block
    const int16_t count = a.Count();
    const int32_t* before = a.Data();
    const int16_t capacity = a.Capacity();
    {
        ExhaustedHeap heap;
        EXPECT_EQ(a.Append(values, 5), -1);
        EXPECT_FALSE(a.SetSize(100));
        EXPECT_FALSE(a.AddUnique(99));
        EXPECT_TRUE(a.AddUnique(30));  // present: no allocation needed
    }
    EXPECT_EQ(a.Count(), count);
    EXPECT_EQ(a.Capacity(), capacity);
    EXPECT_EQ(a.Data(), before);
    EXPECT_EQ(a[4], 50);
}

TEST(CDynArrayTest, RemoveAtAndAddUnique)
{
    int objects[4];
    CDynArray<int*> a;
    for (int& o : objects)
        EXPECT_TRUE(a.AddUnique(&o));
    EXPECT_TRUE(a.AddUnique(&objects[2]));
    EXPECT_EQ(a.Count(), 4);
    EXPECT_EQ(a.RemoveAt(1, 2), 2);
    EXPECT_EQ(a[0], &objects[0]);
    EXPECT_EQ(a[1], &objects[3]);
    EXPECT_EQ(a.RemoveAt(1, 50), 1);  // cut to what the array holds
    EXPECT_EQ(a.RemoveAt(5, 1), 1);   // out of range: nothing
    EXPECT_EQ(a.RemoveAt(-1, 1), 1);
    EXPECT_EQ(a.GetAt(0), &objects[0]);
    EXPECT_EQ(a.GetAt(1), nullptr);
}
