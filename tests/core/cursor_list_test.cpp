#include "core/cursor_list.h"
#include "core/dyn_array.h"
#include "core/string_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Reads the list both ways and checks the links agree.
std::vector<int> Forward(CCursorList<int>& list)
{
    std::vector<int> out;
    for (auto* n = list.Head(); n; n = n->next)
        out.push_back(n->element);
    return out;
}

std::vector<int> Backward(CCursorList<int>& list)
{
    std::vector<int> out;
    for (auto* n = list.Tail(); n; n = n->prev)
        out.insert(out.begin(), n->element);
    return out;
}

void ExpectList(CCursorList<int>& list, const std::vector<int>& expected)
{
    EXPECT_EQ(Forward(list), expected);
    EXPECT_EQ(Backward(list), expected);
    EXPECT_EQ(list.Count(), static_cast<int32_t>(expected.size()));
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(*list.GetAt(static_cast<int32_t>(i)), expected[i]);
}

}  // namespace

TEST(CCursorListTest, IndexedAccessWalksFromTheCursor)
{
    CCursorList<int> list;
    for (int i = 0; i < 10; ++i)
        list.AddTail(i * 10);
    EXPECT_EQ(*list.GetAt(0), 0);
    EXPECT_EQ(*list.GetAt(1), 10);
    EXPECT_EQ(list.CursorIndex(), 1);
    EXPECT_EQ(list.Cursor()->element, 10);
    // Every indexed read agrees with the plain walk, in any order.
    for (int i : {9, 3, 4, 8, 0, 7, 7, 2, 5, 1, 6})
        EXPECT_EQ(*list.GetAt(i), i * 10) << i;
    EXPECT_EQ(list.GetAt(10), nullptr);
    EXPECT_EQ(list.GetAt(-1), nullptr);
    EXPECT_EQ(list.CursorIndex(), 6);
    EXPECT_EQ(list.LinkAt(-1), list.LinkAt(0));
}

TEST(CCursorListTest, InsertingSetsTheCursorAndKeepsLinks)
{
    CCursorList<int> list;
    EXPECT_TRUE(list.InsertAt(2, 0));
    EXPECT_TRUE(list.InsertAt(4, 1));  // index = count appends
    EXPECT_TRUE(list.InsertAt(3, 1));
    EXPECT_TRUE(list.InsertAt(1, -1));  // -1 is 0
    EXPECT_TRUE(list.InsertAt(5, 99));  // past the end appends
    EXPECT_EQ(list.CursorIndex(), 4);
    ExpectList(list, {1, 2, 3, 4, 5});
}

TEST(CCursorListTest, RemovingKeepsTheCursorOnTheSameElement)
{
    CCursorList<int> list;
    for (int i = 0; i < 6; ++i)
        list.AddTail(i);
    list.GetAt(3);
    EXPECT_TRUE(list.RemoveAt(1));  // before the cursor
    EXPECT_EQ(list.CursorIndex(), 2);
    EXPECT_EQ(list.Cursor()->element, 3);
    EXPECT_TRUE(list.RemoveAt(2));  // the cursor itself: moves to the successor
    EXPECT_EQ(list.CursorIndex(), 2);
    EXPECT_EQ(list.Cursor()->element, 4);
    EXPECT_TRUE(list.RemoveAt(3));  // the last node, after the cursor
    EXPECT_EQ(list.Cursor()->element, 4);
    ExpectList(list, {0, 2, 4});
    list.GetAt(2);
    EXPECT_TRUE(list.RemoveAt(2));  // the cursor was last: no cursor
    EXPECT_EQ(list.Cursor(), nullptr);
    EXPECT_EQ(list.CursorIndex(), -1);
    EXPECT_FALSE(list.RemoveAt(5));
    ExpectList(list, {0, 2});
    list.RemoveAll();
    EXPECT_EQ(list.Head(), nullptr);
    EXPECT_EQ(list.Tail(), nullptr);
    EXPECT_EQ(list.CursorIndex(), -1);
}

TEST(CCursorListTest, MoveToFront)
{
    CCursorList<int> list;
    for (int i = 0; i < 5; ++i)
        list.AddTail(i);
    list.GetAt(4);
    EXPECT_TRUE(list.MoveToFront(3));
    EXPECT_EQ(list.CursorIndex(), 0);
    ExpectList(list, {3, 0, 1, 2, 4});
    EXPECT_TRUE(list.MoveToFront(4));  // the last one
    ExpectList(list, {4, 3, 0, 1, 2});
    EXPECT_TRUE(list.MoveToFront(0));
    ExpectList(list, {4, 3, 0, 1, 2});
    EXPECT_FALSE(list.MoveToFront(5));
    EXPECT_EQ(list.IndexOf(1), 3);
    EXPECT_EQ(list.IndexOf(9), -1);
}

TEST(CStringListTest, SetTextCutsAtLineBreaks)
{
    struct Case {
        const char* text;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"a\r\nb", {"a", "b"}},       {"a\r\n", {"a", ""}},     {"", {""}}, {"one line", {"one line"}},
        {"\r\n\r\nx", {"", "", "x"}}, {"a\nb\rc", {"a\nb\rc"}},  // only the pair breaks a line
    };
    CStringList list;
    for (const Case& c : cases) {
        list.SetText(CStr(c.text));
        ASSERT_EQ(list.Count(), static_cast<int32_t>(c.lines.size())) << c.text;
        for (size_t i = 0; i < c.lines.size(); ++i)
            EXPECT_EQ(list.GetString(static_cast<int32_t>(i)), c.lines[i].c_str());
    }
}

TEST(CStringListTest, FindByPrefixOrWholeString)
{
    CStringList list;
    list.SetText(CStr("Apple pie\r\nbanana\r\nApple\r\nAPPLE"));
    EXPECT_EQ(list.Find(CStr("Ap"), true, false), 0);
    EXPECT_EQ(list.Find(CStr("Ap"), true, true), -1);
    EXPECT_EQ(list.Find(CStr("Apple"), true, true), 2);
    EXPECT_EQ(list.Find(CStr("apple"), false, true), 2);
    EXPECT_EQ(list.Find(CStr("apple"), true, true), -1);
    EXPECT_EQ(list.Find(CStr("BAN"), false, false), 1);
    EXPECT_EQ(list.CursorIndex(), 1);  // the cursor follows the search
    EXPECT_EQ(list.Find(CStr("cherry"), false, false), -1);
}

TEST(CStringListTest, InsertSharesTheTextAndSizeAppendsOrCuts)
{
    CStringList list;
    const CStr text("shared");
    EXPECT_TRUE(list.InsertAt(text, 0));
    EXPECT_TRUE(list.GetAt(0)->SharesWith(text));
    EXPECT_TRUE(list.Append(CStr("last")));
    EXPECT_TRUE(list.InsertAt(CStr("first"), -1));
    EXPECT_EQ(list.CursorIndex(), 0);
    EXPECT_TRUE(list.SetSize(5));
    ASSERT_EQ(list.Count(), 5);
    EXPECT_EQ(list.GetString(0), "first");
    EXPECT_EQ(list.GetString(1), "shared");
    EXPECT_EQ(list.GetString(2), "last");
    EXPECT_TRUE(list.GetString(4).IsEmpty());
    EXPECT_TRUE(list.SetSize(2));
    EXPECT_EQ(list.GetString(1), "shared");
    EXPECT_TRUE(list.GetString(2).IsEmpty());
    EXPECT_TRUE(list.SetSize(0));
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(text.RefCount(), 1);  // the list let go of its copies
}

// Global lists (the skin cache) and arrays must be empty and usable before
// any code runs.
namespace {
constinit CCursorList<int*> g_staticList;
constinit CDynArray<uint8_t> g_staticArray;
}  // namespace

TEST(CCursorListTest, StaticContainersStartEmpty)
{
    EXPECT_EQ(g_staticList.Count(), 0);
    EXPECT_EQ(g_staticList.CursorIndex(), -1);
    EXPECT_EQ(g_staticArray.Count(), 0);
    EXPECT_EQ(g_staticArray.Data(), nullptr);
}
