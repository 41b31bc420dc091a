// The program module's resources and the kernel's resource functions on them.
#include "resources/ProgramModule.h"

#include "resources/ResourceTemplates.h"
#include "testing/HiddenResources.h"

#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>
#include <mutex>

extern "C" const uint8_t platform_embedded_res[];
extern "C" const uint8_t platform_embedded_res_end[];

namespace platform::res {
namespace {

// The classic image base: any fixed non-null value serves as the module handle.
const HMODULE kProgramModule = reinterpret_cast<HMODULE>(uintptr_t{0x400000});

// Resource handles name an entry by its index, under a tag that tells the two kinds
// apart, so that an unknown or mixed-up handle is recognised instead of followed.
constexpr uintptr_t kInfoTag = 0x52u;   // HRSRC from FindResourceA
constexpr uintptr_t kDataTag = 0x44u;   // HGLOBAL from LoadResource
constexpr int kTagShift = 24;

uintptr_t MakeHandle(uintptr_t tag, const ResEntry* entry)
{
    const auto& all = ProgramResources().Entries();
    const auto index = static_cast<uintptr_t>(entry - all.data() + 1);
    return index < (uintptr_t{1} << kTagShift) ? (tag << kTagShift) | index : 0;
}

const ResEntry* EntryOfHandle(uintptr_t tag, const void* handle)
{
    const auto value = reinterpret_cast<uintptr_t>(handle);
    if ((value >> kTagShift) != tag)
        return nullptr;
    const uintptr_t index = value & ((uintptr_t{1} << kTagShift) - 1);
    const auto& all = ProgramResources().Entries();
    if (index == 0 || index > all.size())
        return nullptr;
    return &all[index - 1];
}

struct HiddenResource {
    ResId name;
    std::optional<ResId> type; // every type when empty
};

std::mutex g_hiddenMutex;
std::vector<HiddenResource> g_hidden;

bool IsHidden(const ResEntry& entry)
{
    std::lock_guard lock(g_hiddenMutex);
    for (const HiddenResource& h : g_hidden)
        if (h.name.Matches(entry.name) && (!h.type || h.type->Matches(entry.type)))
            return true;
    return false;
}

} // namespace

const ResFile& ProgramResources()
{
    static const ResFile file = [] {
        auto parsed = ResFile::Parse({platform_embedded_res, platform_embedded_res_end});
        if (!parsed)
            std::fprintf(stderr, "The program's embedded resources are malformed; none can be loaded.\n");
        return parsed.value_or(ResFile{});
    }();
    return file;
}

HMODULE ProgramModuleHandle() { return kProgramModule; }

bool IsProgramModule(HMODULE module) { return !module || module == kProgramModule; }

const ResEntry* FindProgramEntry(const ResId& type, const ResId& name)
{
    const ResEntry* entry = ProgramResources().Find(type, name);
    return entry && !IsHidden(*entry) ? entry : nullptr;
}

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

namespace platform::testing {

void HideResource(LPCSTR name, LPCSTR type)
{
    auto nameId = res::ResId::FromName(name);
    if (!nameId)
        return;
    std::lock_guard lock(res::g_hiddenMutex);
    res::g_hidden.push_back({std::move(*nameId), type ? res::ResId::FromName(type) : std::nullopt});
}

void UnhideAllResources()
{
    std::lock_guard lock(res::g_hiddenMutex);
    res::g_hidden.clear();
}

} // namespace platform::testing

using namespace platform::res;

HMODULE GetModuleHandleA(LPCSTR lpModuleName)
{
    // Only the program itself is a module here; it loads no libraries of the platform's kind.
    if (lpModuleName) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return nullptr;
    }
    return ProgramModuleHandle();
}

DWORD GetModuleFileNameA(HMODULE hModule, LPSTR lpFilename, DWORD nSize)
{
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
}

HRSRC FindResourceA(HMODULE hModule, LPCSTR lpName, LPCSTR lpType)
{
    const ResEntry* entry = IsProgramModule(hModule) ? FindProgramEntry(lpType, lpName) : nullptr;
    if (!entry) {
        SetLastError(IsProgramModule(hModule) ? ERROR_RESOURCE_NAME_NOT_FOUND : ERROR_INVALID_HANDLE);
        return nullptr;
    }
    return reinterpret_cast<HRSRC>(MakeHandle(kInfoTag, entry));
}

HGLOBAL LoadResource(HMODULE hModule, HRSRC hResInfo)
{
    const ResEntry* entry = IsProgramModule(hModule) ? EntryOfHandle(kInfoTag, hResInfo) : nullptr;
    if (!entry) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    return reinterpret_cast<HGLOBAL>(MakeHandle(kDataTag, entry));
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
