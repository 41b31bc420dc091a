// The Qt side of windows: a top-level window is a FrameWidget holding the menu bar and a
// ClientWidget; a child window is a ClientWidget inside its parent's client widget; a
// dialog control's child window holds the Qt control as the client widget's only child.
#pragma once
#include "win32/Backend.h"

#include <QMenuBar>
#include <QPointer>
#include <QWidget>

#include <windows.h>

#include <map>
#include <string>
#include <vector>

namespace platform::qt {

class ClientWidget : public QWidget {
public:
    ClientWidget(HWND hwnd, QWidget* parent);
    HWND hwnd() const { return m_hwnd; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    void PostMouse(QMouseEvent* event, UINT message);
    HWND m_hwnd;
};

class FrameWidget : public QWidget {
public:
    explicit FrameWidget(HWND hwnd);
    HWND hwnd() const { return m_hwnd; }
    ClientWidget* client() const { return m_client; }
    QMenuBar* menuBar() const { return m_menuBar; }
    // Replaces the menu bar (nullptr: none) and lays the window out again.
    void SetMenuBar(QMenuBar* bar);
    // Menu bar on top (one line high), the client widget below, for contents of this size.
    void LayOut(QSize contents);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    HWND m_hwnd;
    ClientWidget* m_client;
    QMenuBar* m_menuBar = nullptr;
};

// Reports input other than the mouse's, with the cursor's point.
void PostInput(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Widgets are named in Qt's object tree as what they show ("frame", "client", "menuBar", "control"),
// with their window's handle in this property (a quintptr); a menu bar's command items
// carry their command id as data. Tools that look at Qt's widgets find them so.
inline constexpr char kHwndProperty[] = "hwnd";
void Name(QObject* object, const char* name, HWND hwnd);

// A menu item shown by a QAction of a window's menu bar, with what it was told to show.
struct MenuBinding {
    HMENU menu;
    int position;
    QPointer<QAction> action;
    UINT flags;
    std::string text;
};

struct BackendWindow {
    QPointer<FrameWidget> frame;   // top-level windows
    QPointer<ClientWidget> client;
    std::vector<MenuBinding> menuBindings;
    QPointer<QWidget> control; // a dialog control's own widget, inside the client widget
    bool checked = false;      // a button's check as the window says; the toolkit's own toggling is undone
    HWND parent = nullptr;     // a child's parent
    DWORD style = 0;
    DWORD exStyle = 0;
    bool doubleClicks = false; // the class asks for double clicks
    const uint32_t* pixels = nullptr; // what the client area shows (XRGB rows of pixelWidth)
    int pixelWidth = 0;
    int pixelHeight = 0;
};

BackendWindow* FindBackendWindow(HWND hwnd);
std::map<HWND, BackendWindow>& BackendWindows();

// The widget's window as a toolkit top-level (the frame of a top-level window).
QWidget* TopLevelWidget(HWND hwnd);

// Builds a menu bar for the window from its menu, recording which action shows which item.
QMenuBar* BuildMenuBar(HWND hwnd, const backend::MenuShown& menu, std::vector<MenuBinding>* bindings);

// Makes the Qt control of a window of a control kind inside its client widget (QtControls.cpp).
QWidget* MakeControl(HWND hwnd, backend::WindowKind kind, const QString& text, DWORD style, QWidget* container);
// Shows a control's new text.
void SetControlText(QWidget* control, const QString& text);

inline QString FromUtf8(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

// Brings an action in line with its menu item (text, check mark, state).
void SyncAction(QAction* action, UINT flags, const std::string& text);

// The toolkit's parts, put together by MakeToolkit (QtToolkit.h).
backend::Application& Application();
backend::WindowWidgets& Widgets();
backend::WindowPlacement& Placement();
backend::MenuBars& MenuBars();
backend::MessageBoxes& MessageBoxes();
backend::Controls& Controls();
// Where the toolkit reports what the user and the window system do.
backend::Events& Report();
// Whether the application is open: windows can be shown.
bool IsOpen();
// The height every menu bar is given: one line.
int MenuBarHeight();

} // namespace platform::qt
