#include "core/ui_mgr.h"

#include "core/log.h"
#include "core/pack_format.h"
#include "core/path_mgr.h"
#include "core/resource_mgr.h"

LocaleTable& CUIMgr::Locale() {
  static LocaleTable table;
  return table;
}

bool CUIMgr::Init() {
  LogWrite(CStr("UI_MGR: Getting locale file..."));
  TextLines text;
  CStr path = CPathMgr::Path(CPathMgr::kLocale) + "locale";
  if (!CResourceMgr::LoadTextLines(path.Chars(), pack_format::kTextType, text)) return false;
  LogWrite(CStr("UI_MGR: Sorting locale..."));
  Locale().Build(std::move(text.lines));
  return true;
}

void CUIMgr::Shutdown() { Locale().Clear(); }

void GetLocaleText(const char* key, CStr& out) { out = CUIMgr::Locale().Lookup(key); }
