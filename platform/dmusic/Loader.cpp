#include "dmusic/Loader.h"

#include "base/HostFiles.h"
#include "base/Unicode.h"
#include "dmusic/MidiFileCheck.h"
#include "dmusic/Segment.h"

#include <algorithm>
#include <sys/stat.h>

namespace platform {

namespace {

// Larger files are no music this program plays; they are refused before they are read.
constexpr size_t kMaxMidiFile = size_t{1} << 20;

// A Windows path as a host path: UTF-8, with slashes for backslashes.
bool WidePath(std::u16string_view wide, std::string& path)
{
    if (!Utf16ToUtf8(wide, path))
        return false;
    path = HostPath(path);
    return true;
}

bool IsDirectory(const std::string& path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

} // namespace

HRESULT Loader::SetSearchDirectory(REFGUID rguidClass, WCHAR* pwzPath, BOOL)
{
    if (!pwzPath)
        return E_POINTER;
    return WithoutExceptions([&] {
        std::string dir;
        if (!WidePath(pwzPath, dir) || !IsDirectory(dir))
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
    if (!WidePath(std::u16string_view(name, end - name), path))
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
    auto song = std::make_shared<Song>();
    if (ReadRegularFile(path, kMaxMidiFile, &song->file) != FileRead::Ok)
        return DMUS_E_LOADER_FAILEDOPEN;
    switch (CheckMidiFile(song->file, &song->ticksPerBeat)) {
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
