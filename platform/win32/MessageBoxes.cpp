// Message boxes: modal to their owner. While one is open the thread's messages are still
// dispatched (timers, painting, posted messages), as the platform's modal loop does; the
// application's idle processing waits until it is answered.
#include "testing/MessageBoxRecorder.h"
#include "win32/Backend.h"
#include "win32/MessageQueue.h"
#include "win32/Window.h"

#include <cstdio>

namespace platform::testing {
namespace {

struct Recorder {
    bool on = false;
    int answer = IDOK;
    std::vector<RecordedMessageBox> boxes;
};

Recorder& recorder()
{
    static Recorder r;
    return r;
}

} // namespace

void RecordMessageBoxes(int answer)
{
    recorder().on = true;
    recorder().answer = answer;
    recorder().boxes.clear();
}

void StopRecordingMessageBoxes() { recorder().on = false; }

const std::vector<RecordedMessageBox>& RecordedMessageBoxes() { return recorder().boxes; }

void ClearRecordedMessageBoxes() { recorder().boxes.clear(); }

} // namespace platform::testing

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type)
{
    if (owner && !platform::win32::FindWindowRecord(owner)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    const std::string body = text ? text : "";
    const std::string title = caption ? caption : "Error"; // the platform's caption when none is given
    auto& rec = platform::testing::recorder();
    if (rec.on) {
        rec.boxes.push_back({body, title, type, owner});
        return rec.answer;
    }
    if (!platform::backend::EnsureApplication()) {
        std::fprintf(stderr, "%s: %s\n", title.c_str(), body.c_str());
        return IDOK;
    }
    auto box = platform::backend::OpenMessageBox(owner, body, title, type);
    int result = 0;
    while (!platform::backend::MessageBoxAnswered(box, &result)) {
        MSG m;
        if (!PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
            platform::win32::WaitForWork();
            continue;
        }
        if (m.message == WM_QUIT) {
            // The box gives way to the quit, which stays for the outer loop.
            platform::backend::CloseMessageBox(box);
            PostQuitMessage(static_cast<int>(m.wParam));
            return (type & MB_TYPEMASK) == MB_OK ? IDOK : IDCANCEL;
        }
        TranslateMessage(&m);
        DispatchMessageA(&m);
    }
    return result;
}
