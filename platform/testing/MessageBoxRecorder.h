// Test seam: message boxes are recorded instead of shown, and answered with a chosen button.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace platform::testing {

struct RecordedMessageBox {
    std::string text;
    std::string caption;
    UINT type = 0; // as MessageBoxA got it (AfxMessageBox adds the class library's icon)
    HWND owner = nullptr;
};

// From now on every message box is recorded and answered at once with `answer` (IDOK...).
void RecordMessageBoxes(int answer = IDOK);
// From now on every message box is recorded and also shown by the window toolkit, its modal
// loop running as the program's does; a user answers it with its default button once the box
// has taken the activation, as a real box does, and the loop has passed that on to the windows.
void RecordShownMessageBoxes();
// Shows message boxes again; the record stays until cleared.
void StopRecordingMessageBoxes();
const std::vector<RecordedMessageBox>& RecordedMessageBoxes();
void ClearRecordedMessageBoxes();

} // namespace platform::testing
