#include "platform/input_script.h"

#include <gtest/gtest.h>

#include "platform/platform.h"

namespace {

TEST(InputScript, ReadsEveryCommandAndRejectsBadLinesByNumber)
{
    struct Case {
        const char* text;
        bool ok;
        const char* errorHas;
    } cases[] = {
        {"down 1 2\nup 3 4\nmove 5 6\nkey up\nkey 41\nchar x\nwait 0\nactivate 0\nclose\nshot a.png\nrefuse "
         "display\n",
         true, ""},
        {"\n   \n# only comments\n", true, ""},
        {"down 1\n", false, "line 1"},
        {"close\ndown -1 5\n", false, "line 2"},
        {"key nosuchkey\n", false, "line 1"},
        {"key 300\n", false, "line 1"},
        {"wait -5\n", false, "line 1"},
        {"activate 2\n", false, "line 1"},
        {"shot ../escape.png\n", false, "line 1"},
        {"refuse sound\n", false, "line 1"},
        {"jump 1 2\n", false, "line 1"},
        {"char\n", false, "line 1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        InputScript s;
        EXPECT_EQ(s.Parse(c.text), c.ok);
        if (!c.ok) {
            EXPECT_NE(s.Error().find(c.errorHas), std::string::npos) << s.Error();
            EXPECT_TRUE(s.Commands().empty());
        }
    }
}

TEST(InputScript, WaitsSurviveTheClockWrapping)
{
    InputScript s;
    ASSERT_TRUE(s.Parse("wait 100\nclose\n"));
    std::vector<uint32_t> posted;
    InputScript::Sink sink;
    sink.post = [&](uint32_t m, uintptr_t, intptr_t) { posted.push_back(m); };
    sink.holdKeyForStep = [](uint32_t) {};
    sink.shot = [](const std::string&) {};
    uint32_t now = 0xFFFFFFC0u;  // 64 ms before the wrap
    EXPECT_TRUE(s.Advance(now, sink));
    EXPECT_TRUE(s.Advance(now + 50, sink));
    EXPECT_TRUE(posted.empty());
    EXPECT_TRUE(s.Advance(now + 100, sink));
    EXPECT_EQ(posted, std::vector<uint32_t>{WM_CLOSE});
    EXPECT_FALSE(s.Advance(now + 150, sink));
    EXPECT_TRUE(s.Finished());
}

}  // namespace
