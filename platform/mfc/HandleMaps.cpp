#include "mfc/HandleMaps.h"

#include <map>
#include <memory>
#include <unistd.h>

namespace platform::mfc {
namespace {

// Temporary objects are detached before they go, so they never destroy what they wrap.
struct DetachWnd {
    void operator()(CWnd* w) const
    {
        w->m_hWnd = nullptr;
        delete w;
    }
};
struct DetachMenu {
    void operator()(CMenu* m) const
    {
        m->m_hMenu = nullptr;
        delete m;
    }
};

struct Maps {
    std::map<HWND, CWnd*> permanent;
    std::map<HWND, std::unique_ptr<CWnd, DetachWnd>> temporary;
    std::map<HWND, std::unique_ptr<CScrollBar, DetachWnd>> scrollBars;
    std::map<HMENU, std::unique_ptr<CMenu, DetachMenu>> menus;
};

Maps& maps()
{
    static Maps m;
    return m;
}

template <class T, class Map>
T* Temporary(Map& map, HWND hwnd)
{
    if (!hwnd || !::IsWindow(hwnd))
        return nullptr;
    auto& slot = map[hwnd];
    if (!slot) {
        slot.reset(new T);
        slot->m_hWnd = hwnd;
    }
    return slot.get();
}

} // namespace

CWnd* PermanentWnd(HWND hwnd)
{
    auto& p = maps().permanent;
    auto it = p.find(hwnd);
    return it == p.end() ? nullptr : it->second;
}

void AttachPermanent(HWND hwnd, CWnd* wnd)
{
    maps().permanent[hwnd] = wnd;
    maps().temporary.erase(hwnd);
}

void DetachPermanent(HWND hwnd) { maps().permanent.erase(hwnd); }

CWnd* TemporaryWnd(HWND hwnd) { return Temporary<CWnd>(maps().temporary, hwnd); }

CScrollBar* TemporaryScrollBar(HWND hwnd) { return Temporary<CScrollBar>(maps().scrollBars, hwnd); }

CMenu* TemporaryMenu(HMENU menu)
{
    if (!menu)
        return nullptr;
    auto& slot = maps().menus[menu];
    if (!slot) {
        slot.reset(new CMenu);
        slot->m_hMenu = menu;
    }
    return slot.get();
}

void DeleteTemporaryObjects()
{
    maps().temporary.clear();
    maps().scrollBars.clear();
    maps().menus.clear();
}

MSG& CurrentMessage()
{
    static MSG current{};
    return current;
}

const std::string& ExecutableBaseName()
{
    static const std::string name = [] {
        std::string path;
        if (__argc > 0 && __argv && __argv[0])
            path = __argv[0];
        else {
            char buffer[4096];
            ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
            path = n > 0 ? std::string(buffer, static_cast<size_t>(n)) : std::string("memory");
        }
        size_t slash = path.find_last_of("/\\");
        std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
        size_t dot = base.find_last_of('.');
        if (dot != std::string::npos && dot > 0)
            base.erase(dot);
        return base;
    }();
    return name;
}

} // namespace platform::mfc
