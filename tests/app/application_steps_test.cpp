// The application start-up table's rules, on a table of stand-in steps:
// log framing and nesting, the stop at the first failure, unlogged steps,
// and the shutdown of every step in reverse order.

#include "app/application_steps.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/application.h"
#include "core/data_file.h"
#include "core/draw_context.h"
#include "core/log.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::string> g_calls;
bool g_secondSucceeds = true;

bool StartFirst()
{
    g_calls.push_back("start first");
    LogWrite("TEST: inside first");
    return true;
}
bool StartSecond()
{
    g_calls.push_back("start second");
    return g_secondSucceeds;
}
bool StartUnlogged()
{
    g_calls.push_back("start unlogged");
    return true;
}
bool StartLast()
{
    g_calls.push_back("start last");
    return true;
}
void StopFirst()
{
    g_calls.push_back("stop first");
}
void StopSecond()
{
    g_calls.push_back("stop second");
}
void StopLast()
{
    g_calls.push_back("stop last");
}

const ApplicationStep kTable[] = {
    {"CFirstMgr", StartFirst, StopFirst},
    {nullptr, StartUnlogged, nullptr},
    {"CSecondMgr", StartSecond, StopSecond},
    {"CLastMgr", StartLast, StopLast},
    {nullptr, nullptr, nullptr},
};

class ApplicationStepsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = fs::temp_directory_path() / ("tharn_steps_" + std::to_string(::getpid()));
        fs::create_directories(folder);
        SetDataFolder(CStr(folder.c_str()));
        LogOpen();
        LogEnter();  // as the core does around the application start-up
        g_calls.clear();
    }
    void TearDown() override
    {
        LogStop();
        SetDataFolder(CStr());
        fs::remove_all(folder);
    }
    std::string Log()
    {
        std::ifstream in(folder / "zkvlog.sav", std::ios::binary);
        std::stringstream ss;
        ss << in.rdbuf();
        return ss.str();
    }
    fs::path folder;
};

TEST_F(ApplicationStepsTest, AllStepsStartInOrderFramedAndNestedInTheLog)
{
    g_secondSucceeds = true;
    EXPECT_TRUE(RunApplicationSteps(kTable));
    EXPECT_EQ(g_calls,
              (std::vector<std::string>{"start first", "start unlogged", "start second", "start last"}));
    EXPECT_EQ(Log(), "\tMAIN: Initializing CFirstMgr... \r\n"
                     "\t\tTEST: inside first \r\n"
                     "\tMAIN: CFirstMgr initialization ok. \r\n"
                     "\tMAIN: Initializing CSecondMgr... \r\n"
                     "\tMAIN: CSecondMgr initialization ok. \r\n"
                     "\tMAIN: Initializing CLastMgr... \r\n"
                     "\tMAIN: CLastMgr initialization ok. \r\n");
}

TEST_F(ApplicationStepsTest, FirstFailureStopsTheStartButShutdownStopsEveryStepBackwards)
{
    g_secondSucceeds = false;
    EXPECT_FALSE(RunApplicationSteps(kTable));
    EXPECT_EQ(g_calls, (std::vector<std::string>{"start first", "start unlogged", "start second"}));
    std::string log = Log();
    EXPECT_NE(log.find("\tMAIN: CSecondMgr initialization failed. \r\n"), std::string::npos);
    EXPECT_EQ(log.find("CLastMgr"), std::string::npos) << "nothing after the failure is logged";
    g_calls.clear();
    StopApplicationSteps(kTable);
    EXPECT_EQ(g_calls, (std::vector<std::string>{"stop last", "stop second", "stop first"}));
}

TEST(Application, DrawContextFactoryMakesEmptyContexts)
{
    CDrawContext* c = CreateDrawContext();
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->Surface().pixels, nullptr);
    EXPECT_FALSE(c->CurrentClip().IsDefined());
    EXPECT_EQ(c->ClipDepth(), 1);
    delete c;
}

}  // namespace
