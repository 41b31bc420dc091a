// The program's own module and the resources embedded in it.
#pragma once
#include "resources/ResFile.h"

namespace platform::res {

// The embedded .res, parsed once; empty when it does not parse.
const ResFile& ProgramResources();

// The program's module handle. NULL stands for the program's module as well.
HMODULE ProgramModuleHandle();
bool IsProgramModule(HMODULE module);

// The resource section the program's resources are looked up in.
class ResourceSection {
public:
    virtual ~ResourceSection() = default;
    // The resource of that type and name (the US English one first); null when it is missing.
    virtual const ResEntry* Find(const ResId& type, const ResId& name) = 0;
};

// The section in use: the embedded .res unless a test installed another (nullptr: the embedded one again).
ResourceSection& CurrentSection();
void InstallSection(ResourceSection* section);

// The program's resource of that type and name; null when missing.
const ResEntry* FindProgramEntry(const ResId& type, const ResId& name);
const ResEntry* FindProgramEntry(LPCSTR type, LPCSTR name);

} // namespace platform::res
