// Windows on Qt widgets: creation, decorations, geometry, showing and activation.
#include "qt/QtWindows.h"

#include <QApplication>
#include <QBuffer>
#include <QCursor>
#include <QGuiApplication>
#include <QIcon>
#include <QImageReader>
#include <QPixmap>
#include <QRegion>

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace platform::qt {
namespace {

Qt::CursorShape CursorShape(int id)
{
    switch (id) {
    case 32513:
        return Qt::IBeamCursor;
    case 32514:
        return Qt::WaitCursor;
    case 32515:
        return Qt::CrossCursor;
    case 32646:
        return Qt::SizeAllCursor;
    case 32648:
        return Qt::ForbiddenCursor;
    case 32649:
        return Qt::PointingHandCursor;
    case 32650:
        return Qt::BusyCursor;
    default:
        return Qt::ArrowCursor;
    }
}

// The decorations the window system gives a top-level window of these styles.
Qt::WindowFlags FrameFlags(DWORD style, DWORD exStyle)
{
    Qt::WindowFlags flags = (exStyle & WS_EX_TOOLWINDOW) ? Qt::Tool : Qt::Window;
    if ((style & WS_CAPTION) != WS_CAPTION)
        return flags | Qt::FramelessWindowHint;
    flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (style & WS_SYSMENU)
        flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (style & WS_MINIMIZEBOX)
        flags |= Qt::WindowMinimizeButtonHint;
    if (style & WS_MAXIMIZEBOX)
        flags |= Qt::WindowMaximizeButtonHint;
    return flags;
}

QIcon IconFromIco(const std::vector<uint8_t>& ico)
{
    QByteArray bytes(reinterpret_cast<const char*>(ico.data()), static_cast<qsizetype>(ico.size()));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "ico");
    QIcon icon;
    for (int i = 0; i < reader.imageCount() || i == 0; ++i) {
        if (i > 0 && !reader.jumpToNextImage())
            break;
        QImage image = reader.read();
        if (!image.isNull())
            icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}

} // namespace

std::map<HWND, BackendWindow>& BackendWindows()
{
    static std::map<HWND, BackendWindow> windows;
    return windows;
}

BackendWindow* FindBackendWindow(HWND hwnd)
{
    auto it = BackendWindows().find(hwnd);
    return it == BackendWindows().end() ? nullptr : &it->second;
}

QWidget* TopLevelWidget(HWND hwnd)
{
    BackendWindow* b = FindBackendWindow(hwnd);
    if (!b)
        return nullptr;
    if (b->frame)
        return b->frame;
    return b->client ? b->client->window() : nullptr;
}

} // namespace platform::qt

namespace platform::backend {
namespace {

using qt::BackendWindow;
using qt::FindBackendWindow;

class QtWidgets final : public WindowWidgets {
public:
    void Create(HWND hwnd, const NewWindow& w) override
    {
        // The entry first, so that Destroy takes whatever was made if the rest cannot be.
        BackendWindow& b = qt::BackendWindows()[hwnd];
        b.parent = w.parent;
        b.style = w.style;
        b.exStyle = w.exStyle;
        b.doubleClicks = (w.classStyle & CS_DBLCLKS) != 0;
        if (w.kind != WindowKind::TopLevel) {
            BackendWindow* parent = FindBackendWindow(w.parent);
            // Watching a widget costs an allocation of its own: it is held until then.
            std::unique_ptr<qt::ClientWidget> client(new qt::ClientWidget(hwnd, parent ? parent->client.data() : nullptr));
            b.client = client.get();
            client.release();
            b.client->hide();
            if (w.kind != WindowKind::Child)
                b.control = qt::MakeControl(hwnd, w.kind, qt::FromUtf8(w.text), w.style, b.client);
        } else {
            std::unique_ptr<qt::FrameWidget> frame(new qt::FrameWidget(hwnd));
            b.frame = frame.get();
            frame.release();
            b.client = b.frame->client();
            b.frame->setWindowFlags(qt::FrameFlags(w.style, w.exStyle));
        }
    }

    void Destroy(HWND hwnd) override
    {
        auto& all = qt::BackendWindows();
        auto it = all.find(hwnd);
        if (it == all.end())
            return;
        BackendWindow b = it->second;
        all.erase(it);
        // Widgets are only ever deleted from the message loop, never inside their own events.
        if (b.frame)
            delete b.frame.data();
        else if (b.client)
            delete b.client.data();
    }

    void SetText(HWND hwnd, const std::string& text) override
    {
        BackendWindow* b = FindBackendWindow(hwnd);
        if (b && b->frame)
            b->frame->setWindowTitle(qt::FromUtf8(text));
        else if (b && b->control)
            qt::SetControlText(b->control, qt::FromUtf8(text));
    }

    void SetStyle(HWND hwnd, DWORD style, DWORD exStyle) override
    {
        if (BackendWindow* b = FindBackendWindow(hwnd)) {
            b->style = style;
            b->exStyle = exStyle;
        }
    }

    void SetIcon(HWND hwnd, const std::vector<uint8_t>& ico) override
    {
        BackendWindow* b = FindBackendWindow(hwnd);
        if (b && b->frame && !ico.empty())
            b->frame->setWindowIcon(qt::IconFromIco(ico));
    }

    void SetCursor(HWND hwnd, int standardCursorId) override
    {
        BackendWindow* b = FindBackendWindow(hwnd);
        if (b && b->client)
            b->client->setCursor(qt::CursorShape(standardCursorId));
    }

    void SetEnabled(HWND hwnd, bool enabled) override
    {
        BackendWindow* b = FindBackendWindow(hwnd);
        if (b && b->frame)
            b->frame->setEnabled(enabled);
        else if (b && b->client)
            b->client->setEnabled(enabled);
    }

    void SetPixels(HWND hwnd, const uint32_t* pixels, int width, int height) override
    {
        if (BackendWindow* b = FindBackendWindow(hwnd)) {
            b->pixels = pixels;
            b->pixelWidth = pixels ? width : 0;
            b->pixelHeight = pixels ? height : 0;
        }
    }

    void Repaint(HWND hwnd, std::span<const RECT> changed) override
    {
        BackendWindow* b = FindBackendWindow(hwnd);
        if (!b || !b->client)
            return;
        QRegion region;
        for (const RECT& r : changed)
            region += QRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
        b->client->update(region);
    }
};

xcb_atom_t Atom(xcb_connection_t* connection, const char* name)
{
    const xcb_intern_atom_cookie_t cookie = xcb_intern_atom(connection, 0, static_cast<uint16_t>(std::strlen(name)), name);
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(reply);
    return atom;
}

// A tool window has no place on the taskbar or the pager. On X11 the window asks for that in
// its _NET_WM_STATE before it is mapped; Qt keeps what it finds there when it adds its own.
void KeepOffTaskbar(QWidget* frame)
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    if (!connection)
        return;
    const auto window = static_cast<xcb_window_t>(frame->winId());
    const xcb_atom_t state = Atom(connection, "_NET_WM_STATE");
    std::vector<xcb_atom_t> atoms;
    xcb_get_property_reply_t* reply =
        xcb_get_property_reply(connection, xcb_get_property(connection, 0, window, state, XCB_ATOM_ATOM, 0, 64), nullptr);
    if (reply && reply->format == 32 && reply->type == XCB_ATOM_ATOM) {
        const auto* held = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply));
        atoms.assign(held, held + xcb_get_property_value_length(reply) / sizeof(xcb_atom_t));
    }
    std::free(reply);
    for (const char* name : {"_NET_WM_STATE_SKIP_TASKBAR", "_NET_WM_STATE_SKIP_PAGER"}) {
        const xcb_atom_t atom = Atom(connection, name);
        if (atom != XCB_ATOM_NONE && std::find(atoms.begin(), atoms.end(), atom) == atoms.end())
            atoms.push_back(atom);
    }
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, state, XCB_ATOM_ATOM, 32,
                        static_cast<uint32_t>(atoms.size()), atoms.data());
    xcb_flush(connection);
}

// Leaving the maximised state: the window takes its normal rectangle back at once, as
// the caller may size or read it right away (the window system answers later).
void ShowNormalNow(qt::FrameWidget* f)
{
    const bool wasMaximized = f->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen);
    const QRect normal = f->normalGeometry();
    f->showNormal();
    if (wasMaximized && normal.isValid()) {
        f->setGeometry(normal);
        f->LayOut(normal.size());
    }
}

class QtPlacement final : public WindowPlacement {
public:
    RECT ContentsRect(HWND hwnd) override
    {
        BackendWindow* b = FindBackendWindow(hwnd);
        if (!b || !b->client)
            return RECT{};
        if (b->frame) {
            QRect g = b->frame->geometry();
            return RECT{g.left(), g.top(), g.left() + g.width(), g.top() + g.height()};
        }
        POINT o = ClientOrigin(hwnd);
        return RECT{o.x, o.y, o.x + b->client->width(), o.y + b->client->height()};
    }

    void SetContentsRect(HWND hwnd, const RECT& r) override
    {
        BackendWindow* b = FindBackendWindow(hwnd);
        if (!b || !b->client)
            return;
        const QSize size(r.right - r.left, r.bottom - r.top);
        if (b->frame) {
            // Without a sizing border the user cannot resize the window; the program can.
            if (!(b->style & WS_THICKFRAME))
                b->frame->setFixedSize(size);
            b->frame->setGeometry(QRect(QPoint(r.left, r.top), size));
            b->frame->LayOut(size); // at once, whether or not the window system has answered yet
        } else {
            POINT parent = ClientOrigin(b->parent);
            b->client->setGeometry(QRect(QPoint(r.left - parent.x, r.top - parent.y), size));
            // A control's widget covers its window at once, shown or not.
            if (b->control)
                b->control->setGeometry(QRect(QPoint(0, 0), size));
        }
    }

    POINT ClientOrigin(HWND hwnd) override
    {
        BackendWindow* b = FindBackendWindow(hwnd);
        if (!b || !b->client)
            return POINT{};
        QPoint p = b->client->pos();
        if (b->frame) {
            p += b->frame->geometry().topLeft();
            return POINT{p.x(), p.y()};
        }
        POINT parent = ClientOrigin(b->parent);
        return POINT{parent.x + p.x(), parent.y + p.y()};
    }

    SIZE ClientSize(HWND hwnd) override
    {
        BackendWindow* b = FindBackendWindow(hwnd);
        if (!b || !b->client)
            return SIZE{};
        return SIZE{b->client->width(), b->client->height()};
    }

    void Show(HWND hwnd, int cmd) override
    {
        BackendWindow* b = FindBackendWindow(hwnd);
        if (!b || !b->client)
            return;
        if (!b->frame) {
            b->client->setVisible(cmd != SW_HIDE);
            return;
        }
        qt::FrameWidget* f = b->frame;
        f->setAttribute(Qt::WA_ShowWithoutActivating, cmd == SW_SHOWNA || cmd == SW_SHOWNOACTIVATE || cmd == SW_SHOWMINNOACTIVE);
        if (cmd != SW_HIDE && f->isHidden() && (b->exStyle & WS_EX_TOOLWINDOW))
            KeepOffTaskbar(f);
        switch (cmd) {
        case SW_HIDE:
            f->hide();
            break;
        case SW_SHOWMINIMIZED:
        case SW_MINIMIZE:
        case SW_SHOWMINNOACTIVE:
            f->showMinimized();
            break;
        case SW_SHOWMAXIMIZED:
            f->showMaximized();
            break;
        case SW_SHOWNORMAL:
            ShowNormalNow(f);
            break;
        case SW_RESTORE:
            if (f->windowState() & Qt::WindowMinimized) {
                f->setWindowState(f->windowState() & ~Qt::WindowMinimized);
                f->show();
            } else {
                ShowNormalNow(f);
            }
            break;
        default:
            f->show();
            break;
        }
    }

    bool IsVisible(HWND hwnd) override
    {
        BackendWindow* b = FindBackendWindow(hwnd);
        return b && b->client && b->client->isVisible();
    }

    bool IsHidden(HWND hwnd) override
    {
        BackendWindow* b = FindBackendWindow(hwnd);
        if (!b || !b->client)
            return true;
        return b->frame ? b->frame->isHidden() : b->client->isHidden();
    }

    bool IsMinimized(HWND hwnd) override
    {
        BackendWindow* b = FindBackendWindow(hwnd);
        return b && b->frame && (b->frame->windowState() & Qt::WindowMinimized);
    }

    bool IsMaximized(HWND hwnd) override
    {
        BackendWindow* b = FindBackendWindow(hwnd);
        return b && b->frame && !(b->frame->windowState() & Qt::WindowMinimized) &&
               (b->frame->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen));
    }

    void Activate(HWND hwnd) override
    {
        BackendWindow* b = FindBackendWindow(hwnd);
        if (!b || !b->frame)
            return;
        b->frame->raise();
        b->frame->activateWindow();
        // The keyboard goes back to the child that had it (a dialog's control), else the client.
        QWidget* focus = b->frame->focusWidget();
        (focus ? focus : b->client.data())->setFocus();
    }

    void Focus(HWND hwnd) override
    {
        BackendWindow* b = FindBackendWindow(hwnd);
        if (b && b->client)
            b->client->setFocus();
    }

    void QueryActivation(HWND* active, bool* appActive) override
    {
        *active = nullptr;
        *appActive = QGuiApplication::applicationState() == Qt::ApplicationActive;
        QWidget* a = QApplication::activeWindow();
        for (auto& [h, b] : qt::BackendWindows())
            if (a && b.frame == a)
                *active = h;
    }
};

} // namespace

} // namespace platform::backend

namespace platform::qt {

backend::WindowWidgets& Widgets()
{
    static backend::QtWidgets widgets;
    return widgets;
}

backend::WindowPlacement& Placement()
{
    static backend::QtPlacement placement;
    return placement;
}

} // namespace platform::qt
