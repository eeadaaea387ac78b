#include "tests/support/fixture_packs.h"

#include <gtest/gtest.h>

#include "core/data_file.h"
#include "core/error_code_stack.h"
#include "core/log.h"
#include "core/resource_mgr.h"

FixtureData::FixtureData()
{
    SetDataFolder(CStr(m_folder.path().c_str()));
    LogOpen();
    ResetErrorCodes();
}

FixtureData::~FixtureData()
{
    CResourceMgr::Shutdown();
    LogStop();
    SetDataFolder(CStr());
}

void FixtureData::AddPack(const std::string& name, const PackWriter& writer)
{
    ASSERT_TRUE(writer.WriteFile(m_folder.File(name + ".pak"))) << writer.error();
}

void FixtureData::AddPackBytes(const std::string& name, const std::vector<uint8_t>& image)
{
    ASSERT_TRUE(m_folder.Write(name + ".pak", std::string(image.begin(), image.end())));
}

bool FixtureData::Mount()
{
    return CResourceMgr::InitFromFolder(m_folder.path().c_str());
}

std::string FixtureData::Log() const
{
    return m_folder.Read("zkvlog.sav");
}

std::vector<uint8_t> Bytes(const std::string& text)
{
    return std::vector<uint8_t>(text.begin(), text.end());
}
