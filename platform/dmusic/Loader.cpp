#include "dmusic/Loader.h"

#include "dmusic/Segment.h"
#include "base/Unicode.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sys/stat.h>
#include <vector>

namespace platform {

namespace {

// A Windows path as a host path: UTF-8, with slashes for backslashes.
bool HostPath(std::u16string_view wide, std::string& path)
{
    if (!Utf16ToUtf8(wide, path))
        return false;
    std::replace(path.begin(), path.end(), '\\', '/');
    return true;
}

bool IsDirectory(const std::string& path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool ReadRegularFile(const std::string& path, std::vector<uint8_t>& bytes)
{
    struct stat st;
    if (stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

} // namespace

HRESULT Loader::SetSearchDirectory(REFGUID rguidClass, WCHAR* pwzPath, BOOL)
{
    if (!pwzPath)
        return E_POINTER;
    return WithoutExceptions([&] {
        std::string dir;
        if (!HostPath(pwzPath, dir) || !IsDirectory(dir))
            return DMUS_E_LOADER_BADPATH;
        // Segments are the only objects loaded here, so only their directory is kept.
        if (rguidClass == GUID_DirectMusicAllTypes || rguidClass == CLSID_DirectMusicSegment)
            m_searchDirectory = dir;
        return S_OK;
    });
}

HRESULT Loader::FilePath(const DMUS_OBJECTDESC& desc, std::string& path) const
{
    const WCHAR* name = desc.wszFileName;
    const WCHAR* end = std::find(name, name + DMUS_MAX_FILENAME, u'\0');
    if (end == name + DMUS_MAX_FILENAME)
        return DMUS_E_LOADER_BADPATH;
    if (end == name)
        return DMUS_E_LOADER_NOFILENAME;
    if (!HostPath(std::u16string_view(name, end - name), path))
        return DMUS_E_LOADER_BADPATH;
    if (!(desc.dwValidData & DMUS_OBJ_FULLPATH) && !m_searchDirectory.empty())
        path = m_searchDirectory + "/" + path;
    return S_OK;
}

HRESULT Loader::GetObject(LPDMUS_OBJECTDESC pDesc, REFIID riid, LPVOID* ppv)
{
    if (!ppv)
        return E_POINTER;
    *ppv = nullptr;
    return WithoutExceptions([&] { return Load(pDesc, riid, ppv); });
}

HRESULT Loader::Load(LPDMUS_OBJECTDESC pDesc, REFIID riid, LPVOID* ppv)
{
    if (!pDesc)
        return E_POINTER;
    if (pDesc->dwSize != sizeof(DMUS_OBJECTDESC))
        return E_INVALIDARG;
    if (!(pDesc->dwValidData & DMUS_OBJ_CLASS))
        return DMUS_E_LOADER_NOCLASSID;
    if (pDesc->guidClass != CLSID_DirectMusicSegment)
        return DMUS_E_LOADER_FAILEDCREATE;
    // Objects are found by file only.
    if (!(pDesc->dwValidData & DMUS_OBJ_FILENAME))
        return DMUS_E_LOADER_NOFILENAME;
    if (riid != IID_IDirectMusicSegment && riid != IID_IUnknown)
        return E_NOINTERFACE;

    std::string path;
    if (const HRESULT hr = FilePath(*pDesc, path); FAILED(hr))
        return hr;
    std::vector<uint8_t> bytes;
    if (!ReadRegularFile(path, bytes))
        return DMUS_E_LOADER_FAILEDOPEN;
    auto song = std::make_shared<MidiSong>();
    switch (ParseMidiFile(bytes, *song)) {
    case MidiFileError::None:
        break;
    case MidiFileError::NotMidi:
        return DMUS_E_UNSUPPORTED_STREAM;
    case MidiFileError::Damaged:
        return DMUS_E_INVALIDFILE;
    }
    return Segment::Create(new (std::nothrow) Segment(std::move(song)), riid, ppv);
}

HRESULT CreateDirectMusicLoader(REFIID riid, void** ppv)
{
    return Loader::Create(new (std::nothrow) Loader, riid, ppv);
}

} // namespace platform
