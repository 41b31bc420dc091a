// Menu bars on Qt: popups become QMenus, command items (on the bar too) QActions, each
// bound to its menu item so check marks and states follow CheckMenuItem and EnableMenuItem.
#include "win32/Backend.h"

#include "base/Seam.h"
#include "win32/Menus.h"
#include "win32/QtWindows.h"
#include "win32/Window.h"
#include "win32/WindowEvents.h"

#include <QApplication>
#include <QMenu>

namespace platform::qt {
namespace {

QString Text(const win32::MenuItem& item) { return FromUtf8(item.text); }

void AddItems(HWND hwnd, HMENU menu, QWidget* target, std::vector<MenuBinding>* bindings)
{
    win32::Menu* m = win32::FindMenuRecord(menu);
    if (!m)
        return;
    for (size_t i = 0; i < m->items.size(); ++i) {
        const win32::MenuItem& item = m->items[i];
        QAction* action = nullptr;
        if (item.flags & MF_POPUP) {
            auto* popup = new QMenu(Text(item), target);
            AddItems(hwnd, item.submenu, popup, bindings);
            action = popup->menuAction();
        } else if (item.flags & MF_SEPARATOR) {
            action = new QAction(target);
            action->setSeparator(true);
        } else {
            action = new QAction(target);
            const UINT id = static_cast<UINT>(item.id);
            action->setData(QVariant::fromValue(id));
            QObject::connect(action, &QAction::triggered, action, [hwnd, menu, pos = static_cast<int>(i), action, id] {
                // The platform leaves check marks to the program: undo Qt's own toggle.
                SyncAction(action, menu, pos);
                win32::PostInput(hwnd, WM_COMMAND, MAKEWPARAM(id, 0), 0);
            });
        }
        target->addAction(action);
        SyncAction(action, menu, static_cast<int>(i));
        bindings->push_back(MenuBinding{menu, static_cast<int>(i), action});
    }
}

} // namespace

void SyncAction(QAction* action, HMENU menu, int position)
{
    win32::Menu* m = win32::FindMenuRecord(menu);
    if (!action || !m || position < 0 || static_cast<size_t>(position) >= m->items.size())
        return;
    const win32::MenuItem& item = m->items[static_cast<size_t>(position)];
    if (item.flags & MF_SEPARATOR)
        return;
    action->setText(Text(item));
    const bool checked = (item.flags & MF_CHECKED) != 0;
    if (checked)
        action->setCheckable(true);
    action->setChecked(checked);
    action->setEnabled(!(item.flags & (MF_GRAYED | MF_DISABLED)));
}

QMenuBar* BuildMenuBar(HWND hwnd, HMENU menu, std::vector<MenuBinding>* bindings)
{
    auto* bar = new QMenuBar;
    bar->setNativeMenuBar(false);
    AddItems(hwnd, menu, bar, bindings);
    return bar;
}

} // namespace platform::qt

namespace platform::backend {
namespace {

class QtMenuBars final : public MenuBars {
public:
    void SetMenu(HWND hwnd, HMENU menu) override
    {
        qt::BackendWindow* b = qt::FindBackendWindow(hwnd);
        if (!b || !b->frame)
            return;
        b->menuBindings.clear();
        b->frame->SetMenuBar(menu ? qt::BuildMenuBar(hwnd, menu, &b->menuBindings) : nullptr);
    }

    void ItemChanged(HMENU menu, int position) override
    {
        for (auto& [hwnd, b] : qt::BackendWindows()) {
            for (const qt::MenuBinding& binding : b.menuBindings) {
                if (binding.menu != menu)
                    continue;
                if (position < 0) {
                    // The menu's items changed: build the bar again.
                    win32::Window* w = win32::FindWindowRecord(hwnd);
                    if (w)
                        SetMenu(hwnd, w->menu);
                    break;
                }
                if (binding.position == position)
                    qt::SyncAction(binding.action, menu, position);
            }
        }
    }

    int Height() override
    {
        if (m_height == 0) {
            if (!App().Start())
                return 19;
            // A one-line bar as Qt lays it out; every window's bar is given this height.
            QMenuBar probe;
            probe.setNativeMenuBar(false);
            probe.addAction(QStringLiteral("&M"));
            m_height = probe.sizeHint().height();
        }
        return m_height;
    }

private:
    int m_height = 0;
};

} // namespace

MenuBars& Menus() { return Seam<MenuBars, QtMenuBars>::Current(); }

void InstallMenus(MenuBars* menus) { Seam<MenuBars, QtMenuBars>::Install(menus); }

} // namespace platform::backend
