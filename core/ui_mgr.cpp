#include "core/ui_mgr.h"

#include "core/log.h"
#include "core/pack_format.h"
#include "core/path_mgr.h"
#include "core/resource_mgr.h"

LocaleTable& CUIMgr::Locale()
{
    static LocaleTable table;
    return table;
}

bool CUIMgr::Init()
{
    LogWrite(CStr("UI_MGR: Getting locale file..."));
    TextLines text;
    CStr path = CPathMgr::Path(CPathMgr::kLocale) + "locale";
    if (!CResourceMgr::LoadTextLines(path.Chars(), pack_format::kTextType, text))
        return false;
    LogWrite(CStr("UI_MGR: Sorting locale..."));
    Locale().Build(std::move(text.lines));
    return true;
}

static CStr& TreePath()
{
    static CStr path;
    return path;
}

void CUIMgr::Shutdown()
{
    Locale().Clear();
    Tree().Clear();
    TreePath() = CStr();
}

CUiTree& CUIMgr::Tree()
{
    static CUiTree tree;
    return tree;
}

const CStr& CUIMgr::UiTreePath()
{
    return TreePath();
}

bool CUIMgr::LoadUiTree(const char* path)
{
    // Loaded aside first, so a failure leaves the tree in use untouched.
    CUiTree loaded;
    if (!loaded.Load(path))
        return false;
    Tree() = loaded;
    TreePath() = CStr(path);
    return true;
}

CStr CUIMgr::NextString()
{
    return Tree().StringAt(static_cast<uint16_t>(Tree().ReadValue()));
}

int16_t CUIMgr::NextNumber()
{
    return Tree().ReadValue();
}

void GetLocaleText(const char* key, CStr& out)
{
    out = CUIMgr::Locale().Lookup(key);
}

CStr LocaleText(const char* key)
{
    CStr text;
    GetLocaleText(key, text);
    return text;
}
