#pragma once
// The pack files of the data folder that the resource manager would not
// mount, each with what is wrong with it. The start goes on without them;
// when it then fails, these are what the person is told, since whatever
// was missing afterwards is only a consequence.

#include "core/ref_string.h"

// The file as found in the data folder ("skins.pak") and its fault ("it is
// empty", "it is damaged (...)").
void RecordRefusedPack(const CStr& fileName, const CStr& fault);
void ForgetRefusedPacks();

// One line per refused pack, naming the file and its fault; empty when none.
CStr RefusedPacksText();
// Shows RefusedPacksText in an error box, once: whichever start-up step
// fails first calls it, and the steps after it add no second box. True when
// packs were refused (the box shown now or before): the caller's own guess at
// what went wrong is then left unsaid.
bool ShowRefusedPacksOnce();
