// The program module's resources and the kernel's resource functions on them.
#include "base/Fence.h"
#include "resources/ProgramModule.h"

#include "base/Seam.h"
#include "resources/ResourceTemplates.h"

#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>
#include <mutex>

// The program's resource section, which the linker marks out by its name; a binary
// without one (a test that needs no resources) has none.
extern "C" const uint8_t __start_program_resources[] __attribute__((weak));
extern "C" const uint8_t __stop_program_resources[] __attribute__((weak));

namespace platform::res {
namespace {

// The classic image base: any fixed non-null value serves as the module handle.
const HMODULE kProgramModule = reinterpret_cast<HMODULE>(uintptr_t{0x400000});

// Resource handles name an entry by the number it was first handed out under, with a tag
// that tells the two kinds apart, so that an unknown or mixed-up handle is recognised
// instead of followed.
constexpr uintptr_t kInfoTag = 0x52u;   // HRSRC from FindResourceA
constexpr uintptr_t kDataTag = 0x44u;   // HGLOBAL from LoadResource
constexpr int kTagShift = 24;

struct HandedOut {
    std::mutex mutex;
    std::vector<const ResEntry*> entries; // entry i has number i + 1
};

HandedOut& handedOut()
{
    static HandedOut h;
    return h;
}

uintptr_t MakeHandle(uintptr_t tag, const ResEntry* entry)
{
    HandedOut& h = handedOut();
    std::lock_guard lock(h.mutex);
    auto it = std::find(h.entries.begin(), h.entries.end(), entry);
    if (it == h.entries.end())
        it = h.entries.insert(h.entries.end(), entry);
    const auto number = static_cast<uintptr_t>(it - h.entries.begin() + 1);
    return number < (uintptr_t{1} << kTagShift) ? (tag << kTagShift) | number : 0;
}

const ResEntry* EntryOfHandle(uintptr_t tag, const void* handle)
{
    const auto value = reinterpret_cast<uintptr_t>(handle);
    if ((value >> kTagShift) != tag)
        return nullptr;
    const uintptr_t number = value & ((uintptr_t{1} << kTagShift) - 1);
    HandedOut& h = handedOut();
    std::lock_guard lock(h.mutex);
    if (number == 0 || number > h.entries.size())
        return nullptr;
    return h.entries[number - 1];
}

class EmbeddedSection final : public ResourceSection {
public:
    const ResEntry* Find(const ResId& type, const ResId& name) override { return ProgramResources().Find(type, name); }
};

} // namespace

const ResFile& ProgramResources()
{
    static const ResFile file = [] {
        const uint8_t* begin = __start_program_resources;
        const uint8_t* end = __stop_program_resources;
        if (!begin || end <= begin)
            return ResFile{};
        auto parsed = ResFile::Parse({begin, end});
        if (!parsed)
            std::fprintf(stderr, "The program's embedded resources are malformed; none can be loaded.\n");
        return parsed.value_or(ResFile{});
    }();
    return file;
}

HMODULE ProgramModuleHandle() { return kProgramModule; }

bool IsProgramModule(HMODULE module) { return !module || module == kProgramModule; }

ResourceSection& CurrentSection() { return Seam<ResourceSection, EmbeddedSection>::Current(); }

void InstallSection(ResourceSection* section) { Seam<ResourceSection, EmbeddedSection>::Install(section); }

const ResEntry* FindProgramEntry(const ResId& type, const ResId& name) { return CurrentSection().Find(type, name); }

const ResEntry* FindProgramEntry(LPCSTR type, LPCSTR name)
{
    const auto typeId = ResId::FromName(type);
    const auto nameId = ResId::FromName(name);
    return typeId && nameId ? FindProgramEntry(*typeId, *nameId) : nullptr;
}

bool FindProgramResource(LPCSTR type, LPCSTR name, const uint8_t** data, size_t* size)
{
    const ResEntry* entry = FindProgramEntry(type, name);
    if (!entry)
        return false;
    *data = entry->data;
    *size = entry->size;
    return true;
}

} // namespace platform::res

using namespace platform::res;

HMODULE GetModuleHandleA(LPCSTR lpModuleName)
{
    return platform::Win32Call<HMODULE>(nullptr, [&]() -> HMODULE {
        // Only the program itself is a module here; it loads no libraries of the platform's kind.
        if (lpModuleName) {
            SetLastError(ERROR_FILE_NOT_FOUND);
            return nullptr;
        }
        return ProgramModuleHandle();
    });
}

DWORD GetModuleFileNameA(HMODULE hModule, LPSTR lpFilename, DWORD nSize)
{
    return platform::Win32Call<DWORD>(0, [&]() -> DWORD {
        if (!IsProgramModule(hModule) || !lpFilename || nSize == 0) {
            SetLastError(IsProgramModule(hModule) ? ERROR_INSUFFICIENT_BUFFER : ERROR_INVALID_HANDLE);
            return 0;
        }
        char path[PATH_MAX];
        const ssize_t length = readlink("/proc/self/exe", path, sizeof path);
        if (length <= 0) {
            lpFilename[0] = 0;
            SetLastError(ERROR_FILE_NOT_FOUND);
            return 0;
        }
        // Too small a buffer takes what fits, terminated, and reports its full size.
        const DWORD copied = static_cast<DWORD>(std::min<size_t>(static_cast<size_t>(length), nSize - 1));
        std::memcpy(lpFilename, path, copied);
        lpFilename[copied] = 0;
        if (copied < static_cast<size_t>(length)) {
            SetLastError(ERROR_INSUFFICIENT_BUFFER);
            return nSize;
        }
        SetLastError(ERROR_SUCCESS);
        return copied;
    });
}

HRSRC FindResourceA(HMODULE hModule, LPCSTR lpName, LPCSTR lpType)
{
    return platform::Win32Call<HRSRC>(nullptr, [&]() -> HRSRC {
        const ResEntry* entry = IsProgramModule(hModule) ? FindProgramEntry(lpType, lpName) : nullptr;
        if (!entry) {
            SetLastError(IsProgramModule(hModule) ? ERROR_RESOURCE_NAME_NOT_FOUND : ERROR_INVALID_HANDLE);
            return nullptr;
        }
        return reinterpret_cast<HRSRC>(MakeHandle(kInfoTag, entry));
    });
}

HGLOBAL LoadResource(HMODULE hModule, HRSRC hResInfo)
{
    return platform::Win32Call<HGLOBAL>(nullptr, [&]() -> HGLOBAL {
        const ResEntry* entry = IsProgramModule(hModule) ? EntryOfHandle(kInfoTag, hResInfo) : nullptr;
        if (!entry) {
            SetLastError(ERROR_INVALID_HANDLE);
            return nullptr;
        }
        return reinterpret_cast<HGLOBAL>(MakeHandle(kDataTag, entry));
    });
}

LPVOID LockResource(HGLOBAL hResData)
{
    const ResEntry* entry = EntryOfHandle(kDataTag, hResData);
    // Resource data is read-only, as in a loaded module.
    return entry ? const_cast<uint8_t*>(entry->data) : nullptr;
}

DWORD SizeofResource(HMODULE hModule, HRSRC hResInfo)
{
    const ResEntry* entry = IsProgramModule(hModule) ? EntryOfHandle(kInfoTag, hResInfo) : nullptr;
    if (!entry) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    return entry->size;
}
