#include "ui/skin_mgr.h"

#include "ui/label.h"
#include "ui/skin.h"
#include "ui/ui_link.h"

uint32_t CSkinMgr::Init()
{
    ToolkitHooks hooks = GetToolkitHooks();
    hooks.createLabel = CreateLabelFromSelectedNode;
    SetToolkitHooks(hooks);
    return 1;
}

void CSkinMgr::Shutdown()
{
    ClearSkinCache();
    ToolkitHooks hooks = GetToolkitHooks();
    hooks.createLabel = nullptr;
    SetToolkitHooks(hooks);
}
