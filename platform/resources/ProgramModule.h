// The program's own module and the resources embedded in it.
#pragma once
#include "resources/ResFile.h"

namespace platform::res {

// The embedded .res, parsed once; empty when it does not parse.
const ResFile& ProgramResources();

// The program's module handle. NULL stands for the program's module as well.
HMODULE ProgramModuleHandle();
bool IsProgramModule(HMODULE module);

// The program's resource of that type and name, unless a test hid it; null when missing.
const ResEntry* FindProgramEntry(const ResId& type, const ResId& name);
const ResEntry* FindProgramEntry(LPCSTR type, LPCSTR name);

} // namespace platform::res
