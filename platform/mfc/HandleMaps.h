// The class library's maps from handles to objects, and the message being handled now.
#pragma once
#include <afxwin.h>

namespace platform::mfc {

// The object attached to a window, or nullptr.
CWnd* PermanentWnd(HWND hwnd);
void AttachPermanent(HWND hwnd, CWnd* wnd);
void DetachPermanent(HWND hwnd);

// Temporary objects for handles that have no object of their own. They last until the
// next idle cleanup (or the program's end); nullptr for NULL or a dead window.
CWnd* TemporaryWnd(HWND hwnd);
CScrollBar* TemporaryScrollBar(HWND hwnd);
CMenu* TemporaryMenu(HMENU menu);
void DeleteTemporaryObjects();

// The creation hook of a window that an object is being made for (context: the CWnd):
// the object takes the window before its first message.
void AttachOnCreate(HWND hwnd, void* context);

// The message the innermost window procedure of the class library is handling.
MSG& CurrentMessage();

// The executable's base name, without directory or extension.
const std::string& ExecutableBaseName();

} // namespace platform::mfc
