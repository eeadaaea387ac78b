#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "battlescreen/indexed_list.h"

namespace {

std::vector<int> Contents(CIndexedList<int>& list)
{
    std::vector<int> out;
    for (int32_t i = 0; i < list.Count(); ++i)
        out.push_back(*list.At(i));
    return out;
}

TEST(IndexedListTest, InsertRemoveAndReadByIndex)
{
    struct Step {
        char op;  // 'i' insert value at index, 'r' remove index
        int32_t index;
        int value;
        std::vector<int> after;
    };
    const Step steps[] = {
        {'i', 0, 10, {10}},
        {'i', 1, 20, {10, 20}},
        {'i', 5, 30, {10, 20, 30}},  // past the end appends
        {'i', 0, 5, {5, 10, 20, 30}},
        {'i', 2, 15, {5, 10, 15, 20, 30}},
        {'i', -1, 1, {1, 5, 10, 15, 20, 30}},  // -1 is the front
        {'r', 3, 0, {1, 5, 10, 20, 30}},
        {'r', 4, 0, {1, 5, 10, 20}},
        {'r', -1, 0, {5, 10, 20}},
        {'r', 7, 0, {5, 10, 20}},  // nothing there
    };
    CIndexedList<int> list;
    for (const Step& s : steps) {
        if (s.op == 'i')
            EXPECT_TRUE(list.InsertAt(s.index, s.value));
        else
            list.RemoveAt(s.index);
        EXPECT_EQ(Contents(list), s.after) << s.op << " " << s.index;
        // Reading backwards and forwards again gives the same values.
        for (int32_t i = list.Count() - 1; i >= 0; --i)
            EXPECT_EQ(*list.At(i), s.after[size_t(i)]);
    }
    EXPECT_EQ(list.At(3), nullptr);
    EXPECT_EQ(*list.At(-1), 5) << "index -1 reads the first element";
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.At(0), nullptr);
}

TEST(IndexedListTest, TheCursorFollowsTheLastAccessAndItsNodeAcrossRemovals)
{
    CIndexedList<int> list;
    for (int i = 0; i < 6; ++i)
        list.InsertAt(i, i * 10);
    EXPECT_EQ(list.CursorIndex(), 5) << "a new node becomes the cursor";
    list.At(4);
    EXPECT_EQ(list.CursorIndex(), 4);
    list.RemoveAt(1);
    // The cursor's node lay behind the removed one: its index moved down.
    EXPECT_EQ(list.CursorIndex(), 3);
    EXPECT_EQ(*list.At(list.CursorIndex()), 40);
    EXPECT_EQ(Contents(list), (std::vector<int>{0, 20, 30, 40, 50}));
    *list.At(2) = 99;
    EXPECT_EQ(Contents(list), (std::vector<int>{0, 20, 99, 40, 50}));
}

}  // namespace
