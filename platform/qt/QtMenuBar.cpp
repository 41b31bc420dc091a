// Menu bars on Qt: popups become QMenus, command items (on the bar too) QActions, each
// bound to its menu item so check marks and states follow CheckMenuItem and EnableMenuItem.
#include "qt/QtWindows.h"

#include <QApplication>
#include <QMenu>

namespace platform::qt {
namespace {

void AddItems(HWND hwnd, const backend::MenuShown& menu, QWidget* target, std::vector<MenuBinding>* bindings)
{
    for (size_t i = 0; i < menu.items.size(); ++i) {
        const backend::MenuItemShown& item = menu.items[i];
        const HMENU handle = menu.handle;
        const int pos = static_cast<int>(i);
        QAction* action = nullptr;
        if (item.flags & MF_POPUP) {
            auto* popup = new QMenu(FromUtf8(item.text), target);
            AddItems(hwnd, item.popup, popup, bindings);
            action = popup->menuAction();
        } else if (item.flags & MF_SEPARATOR) {
            action = new QAction(target);
            action->setSeparator(true);
        } else {
            action = new QAction(target);
            const UINT id = item.id;
            action->setData(QVariant::fromValue(id));
            QObject::connect(action, &QAction::triggered, action, [hwnd, handle, pos, action, id] {
                // The platform leaves check marks to the program: undo Qt's own toggle.
                if (BackendWindow* b = FindBackendWindow(hwnd))
                    for (const MenuBinding& binding : b->menuBindings)
                        if (binding.menu == handle && binding.position == pos)
                            SyncAction(action, binding.flags, binding.text);
                PostInput(hwnd, WM_COMMAND, MAKEWPARAM(id, 0), 0);
            });
        }
        target->addAction(action);
        SyncAction(action, item.flags, item.text);
        bindings->push_back(MenuBinding{handle, pos, action, item.flags, item.text});
    }
}

} // namespace

void SyncAction(QAction* action, UINT flags, const std::string& text)
{
    if (!action || (flags & MF_SEPARATOR))
        return;
    action->setText(FromUtf8(text));
    const bool checked = (flags & MF_CHECKED) != 0;
    if (checked)
        action->setCheckable(true);
    action->setChecked(checked);
    action->setEnabled(!(flags & (MF_GRAYED | MF_DISABLED)));
}

QMenuBar* BuildMenuBar(HWND hwnd, const backend::MenuShown& menu, std::vector<MenuBinding>* bindings)
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
    void SetMenu(HWND hwnd, const MenuShown* menu) override
    {
        qt::BackendWindow* b = qt::FindBackendWindow(hwnd);
        if (!b || !b->frame)
            return;
        b->menuBindings.clear();
        b->frame->SetMenuBar(menu ? qt::BuildMenuBar(hwnd, *menu, &b->menuBindings) : nullptr);
    }

    void ItemChanged(HMENU menu, int position, const MenuItemShown& item) override
    {
        for (auto& [hwnd, b] : qt::BackendWindows()) {
            for (qt::MenuBinding& binding : b.menuBindings) {
                if (binding.menu != menu || binding.position != position)
                    continue;
                binding.flags = item.flags;
                binding.text = item.text;
                qt::SyncAction(binding.action, item.flags, item.text);
            }
        }
    }

    int Height() override
    {
        if (m_height == 0) {
            if (!qt::IsOpen())
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

} // namespace platform::backend

namespace platform::qt {

backend::MenuBars& MenuBars()
{
    static backend::QtMenuBars menuBars;
    return menuBars;
}

int MenuBarHeight() { return MenuBars().Height(); }

} // namespace platform::qt
