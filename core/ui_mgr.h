#pragma once
// CUIMgr: holds the locale table, loaded and sorted at start-up.

#include "core/locale_table.h"
#include "core/ref_string.h"

class CUIMgr {
 public:
  // Loads "/Locale/locale" (type "txt") and sorts it; false when missing.
  static bool Init();
  static void Shutdown();
  static LocaleTable& Locale();
};

// out := the locale text of the key (the key itself when it is unknown).
void GetLocaleText(const char* key, CStr& out);
