// Message boxes: modal to their owner. While one is open the thread's messages are still
// dispatched (timers, painting, posted messages), as the platform's modal loop does; the
// application's idle processing waits until it is answered.
#include "base/Fence.h"
#include "win32/Backend.h"
#include "win32/MessageQueue.h"
#include "win32/Window.h"

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type)
{
    return platform::Win32Call<int>(0, [&]() -> int {
        if (owner && !platform::win32::FindWindowRecord(owner)) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return 0;
        }
        const std::string body = text ? text : "";
        const std::string title = caption ? caption : "Error"; // the platform's caption when none is given
        platform::backend::MessageBoxes& boxes = platform::backend::Boxes();
        const auto box = boxes.Open(owner, body, title, type);
        int result = 0;
        while (!boxes.Answered(box, &result)) {
            MSG m;
            if (!PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
                platform::win32::WaitForWork();
                continue;
            }
            if (m.message == WM_QUIT) {
                // The box gives way to the quit, which stays for the outer loop.
                boxes.Close(box);
                PostQuitMessage(static_cast<int>(m.wParam));
                return (type & MB_TYPEMASK) == MB_OK ? IDOK : IDCANCEL;
            }
            TranslateMessage(&m);
            DispatchMessageA(&m);
        }
        return result;
    });
}
