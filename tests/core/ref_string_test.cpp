#include "core/ref_string.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

TEST(CStrTest, EmptyStringsShareTheStaticBlock)
{
    const CStr fromNull(nullptr);
    const CStr fromEmpty("");
    const CStr zeroLength("abc", 0);
    const CStr byDefault;
    for (const CStr* s : {&fromNull, &fromEmpty, &zeroLength, &byDefault, &g_emptyStr}) {
        EXPECT_TRUE(s->IsSharedEmpty());
        EXPECT_EQ(s->Length(), 0);
        EXPECT_EQ(s->RefCount(), 0);  // never counted
        EXPECT_STREQ(s->Chars(), "");
    }
    CStr copy(fromEmpty);
    copy = byDefault;
    EXPECT_EQ(g_emptyStr.RefCount(), 0);
}

TEST(CStrTest, CopyOnWriteLeavesTheOriginalAlone)
{
    CStr original("hello");
    {
        CStr copy(original);
        EXPECT_TRUE(copy.SharesWith(original));
        EXPECT_EQ(original.RefCount(), 2);
        copy.AppendChars(" world");
        EXPECT_FALSE(copy.SharesWith(original));
        EXPECT_EQ(copy, "hello world");
        EXPECT_EQ(original, "hello");
        EXPECT_EQ(original.RefCount(), 1);
        CStr third;
        third = original;
        EXPECT_EQ(original.RefCount(), 2);
        third.MakeUpper();
        EXPECT_EQ(third, "HELLO");
    }
    EXPECT_EQ(original, "hello");
    EXPECT_EQ(original.RefCount(), 1);
}

TEST(CStrTest, ReferenceCountNeverWraps)
{
    // The count is 16 bits: beyond 32767 sharers a copy gets its own block.
    CStr original("shared");
    std::vector<CStr> copies(CStr::MaxRefs, original);
    EXPECT_EQ(original.RefCount(), CStr::MaxRefs);
    CStr extra(original);
    EXPECT_FALSE(extra.SharesWith(original));
    EXPECT_EQ(extra, "shared");
    copies.clear();
    EXPECT_EQ(original.RefCount(), 1);
}

TEST(CStrTest, ConstructionMeasuresTheTextAgain)
{
    const char text[] = {'a', 'b', '\0', 'c', 'd', '\0'};
    EXPECT_EQ(CStr(text, 5).Length(), 2);  // cut at the embedded NUL
    EXPECT_EQ(CStr("abcdef", 3), "abc");
    EXPECT_EQ(CStr("abc").Capacity(), 16);
    EXPECT_EQ(CStr(std::string(17, 'x').c_str()).Capacity(), 32);
}

TEST(CStrTest, FilledStrings)
{
    EXPECT_EQ(CStr::CStrFilled('-', 5), "-----");
    const CStr room = CStr::CStrFilled('\0', 40);
    EXPECT_EQ(room.Length(), 0);
    EXPECT_EQ(room.Capacity(), 48);
    EXPECT_FALSE(room.IsSharedEmpty());
}

TEST(CStrTest, DeletingEverythingReturnsToTheSharedBlock)
{
    CStr a("text");
    a.Delete(0);
    EXPECT_TRUE(a.IsSharedEmpty());
    CStr b("text");
    b.SetCapacity(0);
    EXPECT_TRUE(b.IsSharedEmpty());
    CStr c("text");
    c.AssignChars("");
    EXPECT_TRUE(c.IsSharedEmpty());
}

TEST(CStrTest, CapacityRoundsToSixteenAndShrinks)
{
    CStr s("abcdefghij");
    s.SetCapacity(33);
    EXPECT_EQ(s.Capacity(), 48);
    EXPECT_EQ(s, "abcdefghij");
    s.SetCapacity(4);  // shrinking below the length cuts the text
    EXPECT_EQ(s.Capacity(), 16);
    EXPECT_EQ(s.Length(), 10);
    s.Delete(2, 6);
    EXPECT_EQ(s, "abij");
    EXPECT_EQ(s.Capacity(), 16);
}

TEST(CStrTest, FillingThroughTheBufferThenUpdatingTheLength)
{
    CStr s = CStr::CStrFilled('\0', 20);
    CStr sharer(s);
    char* buffer = s.Buffer();  // detaches
    std::snprintf(buffer, 21, "%s", "filled");
    s.UpdateLength();
    EXPECT_EQ(s, "filled");
    EXPECT_EQ(s.Capacity(), 16);
    EXPECT_EQ(sharer.Length(), 0);
}

TEST(CStrTest, EditingOperations)
{
    struct Case {
        const char* start;
        void (*edit)(CStr&);
        const char* expected;
    };
    const Case cases[] = {
        {"world", [](CStr& s) { s.Insert(0, "hello "); }, "hello world"},
        {"held", [](CStr& s) { s.Insert(2, "llo wor"); }, "hello world"},
        {"ab", [](CStr& s) { s.Insert(99, "cd"); }, "abcd"},  // past the end: appended
        {"abcdef", [](CStr& s) { s.Delete(2, 2); }, "abef"},
        {"abcdef", [](CStr& s) { s.Delete(4, 99); }, "abcd"},
        {"abcdef", [](CStr& s) { s.Delete(4); }, "abcd"},
        {"abcdef", [](CStr& s) { s.Delete(9, 1); }, "abcdef"},
        {"abc", [](CStr& s) { s.AppendChars("defgh", 2); }, "abcde"},
        {"abc", [](CStr& s) { s.AppendChars(s.Chars() + 1); }, "abcbc"},  // a piece of itself
        {"abc", [](CStr& s) { s.Insert(1, s.Chars()); }, "aabcbc"},
        {"abc", [](CStr& s) { s.AssignChars(s.Chars() + 1); }, "bc"},
        {"MiXeD 1\xC4", [](CStr& s) { s.MakeLower(); }, "mixed 1\xC4"},
        {"MiXeD 1\xE4", [](CStr& s) { s.MakeUpper(); }, "MIXED 1\xE4"},  // ASCII only
        {"   ", [](CStr& s) { s.TrimLeft(); }, "   "},
        {"   ", [](CStr& s) { s.TrimRight(); }, "   "},
        {"  x  ", [](CStr& s) { s.TrimLeft(); }, "x  "},
        {"  x  ", [](CStr& s) { s.TrimRight(); }, "  x"},
        {"\t x\t",
         [](CStr& s) {
             s.TrimLeft();
             s.TrimRight();
         },
         "x"},
    };
    for (const Case& c : cases) {
        CStr s(c.start);
        CStr keep(s);
        c.edit(s);
        EXPECT_EQ(s, c.expected) << "from \"" << c.start << "\"";
        EXPECT_EQ(keep, c.start) << "a sharer changed";
        EXPECT_EQ(static_cast<size_t>(s.Length()), std::strlen(s.Chars()));
    }
}

TEST(CStrTest, AppendingCharByCharGrowsEverySixteen)
{
    CStr s;
    for (int i = 0; i < 40; ++i) {
        s += static_cast<char>('a' + i % 26);
        EXPECT_EQ(s.Capacity(), ((i + 1 + 15) / 16) * 16);
    }
    EXPECT_EQ(s.Length(), 40);
}

TEST(CStrTest, Searching)
{
    const CStr text("Hello World, hello");
    EXPECT_EQ(text.FindChar('o'), 4);
    EXPECT_EQ(text.FindChar('o', 5), 7);
    EXPECT_EQ(text.FindChar('z'), -1);
    EXPECT_EQ(text.FindChar('o', 100), -1);
    EXPECT_EQ(text.Find("hello"), 13);
    EXPECT_EQ(text.Find("Hello", 1), -1);
    EXPECT_EQ(text.Find("lo", 100), -1);
    EXPECT_EQ(text.FindNoCase("WORLD"), 6);
    EXPECT_EQ(text.FindNoCase("HELLO", 1), 13);
    EXPECT_EQ(text.FindNoCase(""), -1);
    EXPECT_EQ(text.FindNoCase("hello!"), -1);
    EXPECT_EQ(CStr("a[b").FindNoCase("A{B"), -1);  // only letters fold
}

TEST(CStrTest, MidAndConcat)
{
    const CStr text("abc.def");
    EXPECT_EQ(text.Mid(0, -1, '.'), "abc");
    EXPECT_EQ(text.Mid(4), "def");
    EXPECT_EQ(text.Mid(2, 3), "c.d");
    EXPECT_EQ(text.Mid(5, 99), "ef");
    EXPECT_TRUE(text.Mid(7).IsSharedEmpty());
    EXPECT_TRUE(text.Mid(2, 0).IsSharedEmpty());
    EXPECT_TRUE(text.Mid(0, -1, 'a').IsEmpty());

    const CStr a("ab"), b("cd");
    EXPECT_EQ(CStr::Concat(a, b), "abcd");
    EXPECT_EQ(CStr::ConcatChars(a, "xy"), "abxy");
    EXPECT_EQ(CStr::ConcatCharsLeft("xy", a), "xyab");
    EXPECT_EQ(CStr::ConcatChar(a, '!'), "ab!");
    EXPECT_EQ(CStr::ConcatCharLeft('!', a), "!ab");
    EXPECT_EQ(CStr::Concat(a, b).Length(), 4);
    EXPECT_TRUE(CStr::Concat(CStr(), CStr()).IsSharedEmpty());
    EXPECT_EQ(CStr::ConcatChars(a, nullptr), "ab");
}

TEST(CStrTest, OverlongTextsAreCutAtTheLimit)
{
    const std::string longText(CStr::MaxLength + 100, 'q');
    const CStr s(longText.c_str());
    EXPECT_EQ(s.Length(), CStr::MaxLength);
    EXPECT_EQ(std::strlen(s.Chars()), static_cast<size_t>(CStr::MaxLength));
    CStr t(s);
    t.AppendChars("more");
    EXPECT_EQ(t.Length(), CStr::MaxLength);
}

// Formats written for a platform whose long is 32 bits must format our
// 32-bit values the same way on 64-bit Linux.
TEST(CStrFormatTest, LengthModifiersMeanThirtyTwoBits)
{
    struct Case {
        const char* expected;
        CStr (*make)();
    };
    auto format = [](const char* f, auto... args) {
        CStr s;
        s.Format(f, args...);
        return s;
    };
    const Case cases[] = {
        {"zkvsave03",
         [] {
             CStr s;
             s.Format("zkvsave%02ld", 3);
             return s;
         }},
        {"RepRndEvt8",
         [] {
             CStr s;
             s.Format("RepRndEvt%ld", int32_t{8});
             return s;
         }},
        {"+7/-12",
         [] {
             CStr s;
             s.Format("%+ld/%ld", 7, -12);
             return s;
         }},
        {"Free: 4000000000; Max chunk: 0 ",
         [] {
             CStr s;
             s.Format("Free: %Lu; Max chunk: %Lu ", uint32_t{4000000000u}, uint32_t{0});
             return s;
         }},
        {"4294967295",
         [] {
             CStr s;
             s.Format("%lu", int32_t{-1});
             return s;
         }},
        {"5",
         [] {
             CStr s;
             s.Format("%ld", int64_t{0x100000005});
             return s;
         }},  // narrowed to 32 bits
        {"-1",
         [] {
             CStr s;
             s.Format("%lld", uint64_t{0xFFFFFFFFFFFFFFFFull});
             return s;
         }},
        {"4464",
         [] {
             CStr s;
             s.Format("%hd", 70000);
             return s;
         }},
        {"ff FF 17",
         [] {
             CStr s;
             s.Format("%lx %X %o", 255L, 255u, 15);
             return s;
         }},
        {"/Images/Icons/Flag3",
         [] {
             CStr s;
             s.Format("%sFlag%ld", "/Images/Icons/", 3);
             return s;
         }},
        {"1. Anna",
         [] {
             CStr s;
             s.Format("%ld. %s", 1, CStr("Anna"));
             return s;
         }},
        {" 70%",
         [] {
             CStr s;
             s.Format(" %ld%%", 70);
             return s;
         }},
        {"[  42] [42  ] [0042]",
         [] {
             CStr s;
             s.Format("[%*d] [%-4d] [%.4d]", 4, 42, 42, 42);
             return s;
         }},
        {"A 3.14",
         [] {
             CStr s;
             s.Format("%c %.2f", 'A', 3.14159);
             return s;
         }},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.make(), c.expected);
    CStr s;
    EXPECT_EQ(s.Format("%ld-%ld", 10, 20), 5);  // the number of characters
    EXPECT_EQ(format("%s", "plain"), "plain");
}

// Formats also come from the packs, so arguments may not match the format.
TEST(CStrFormatTest, MismatchedFormatsNeverMisread)
{
    CStr s;
    s.Format("%s and %s", 42, -7);  // numbers under %s print as numbers
    EXPECT_EQ(s, "42 and -7");
    s.Format("%d", "text");  // text under %d is 0
    EXPECT_EQ(s, "0");
    s.Format("%ld items of %s", 3);  // a missing argument prints nothing
    EXPECT_EQ(s, "3 items of ");
    s.Format("%s", static_cast<const char*>(nullptr));
    EXPECT_EQ(s, "");
    int32_t untouched = 5;
    s.Format("a%nb", &untouched);  // never writes through an argument
    EXPECT_EQ(s, "ab");
    EXPECT_EQ(untouched, 5);
    s.Format("100%");
    EXPECT_EQ(s, "100%");
    s.Format("%y%d", 4);
    EXPECT_EQ(s, "%y4");
    s.Format(nullptr);
    EXPECT_TRUE(s.IsEmpty());
}

TEST(CStrFormatTest, LongResultsAreCutNeverOverrun)
{
    const std::string big(5000, 'x');
    CStr s;
    EXPECT_EQ(s.Format("<%s>", big.c_str()), CStr::MaxFormatLength);
    EXPECT_EQ(s.Length(), CStr::MaxFormatLength);
    EXPECT_EQ(s.At(0), '<');
    EXPECT_EQ(s.Format("%5000d|", 1), CStr::MaxFormatLength);
    EXPECT_EQ(s.Format("%.5000f", 1.0), CStr::MaxFormatLength);
    EXPECT_EQ(s.Format("%*d", 100000, 1), CStr::MaxFormatLength);
    EXPECT_EQ(s.Format(big.c_str()), CStr::MaxFormatLength);
    EXPECT_EQ(s.Format("%99999999999999999999d", 1), CStr::MaxFormatLength);
}

// Pack-driven formats can be anything: a deterministic sweep of random
// formats over mixed arguments must always give a bounded, terminated text
// (run under the sanitizer build, this also proves nothing reads or writes
// out of bounds).
TEST(CStrFormatTest, RandomFormatsStayBounded)
{
    static const char alphabet[] = "%%%%dlsuxXcfegpn*.-+ #0123456789hLqjzt9aZ";
    uint32_t state = 12345;
    auto next = [&state] {
        state = state * 1103515245u + 12345u;
        return state >> 16;
    };
    const std::string longText(3000, 'w');
    int32_t untouched = 77;
    for (int round = 0; round < 3000; ++round) {
        char format[40];
        const uint32_t length = next() % (sizeof(format) - 1);
        for (uint32_t i = 0; i < length; ++i)
            format[i] = alphabet[next() % (sizeof(alphabet) - 1)];
        format[length] = '\0';
        CStr s;
        const int32_t n = s.Format(format, -1, longText.c_str(), 2.5, &untouched, 999999999, CStr("x"), 'q');
        ASSERT_LE(n, CStr::MaxFormatLength) << format;
        ASSERT_EQ(n, s.Length()) << format;
        ASSERT_EQ(std::strlen(s.Chars()), static_cast<size_t>(s.Length())) << format;
    }
    EXPECT_EQ(untouched, 77);
}
