#include "testing/MessageBoxRecorder.h"

#include "win32/Backend.h"

namespace platform::testing {
namespace {

// Records every box and answers it at once.
class Recorder final : public backend::MessageBoxes {
public:
    Id Open(HWND owner, const std::string& text, const std::string& caption, UINT type) override
    {
        boxes.push_back({text, caption, type, owner});
        return static_cast<Id>(boxes.size());
    }
    bool Answered(Id, int* result) override
    {
        *result = answer;
        return true;
    }
    void Close(Id) override {}

    int answer = IDOK;
    std::vector<RecordedMessageBox> boxes;
};

Recorder& recorder()
{
    static Recorder* r = new Recorder; // outlives everything that may still show a box
    return *r;
}

} // namespace

void RecordMessageBoxes(int answer)
{
    recorder().answer = answer;
    recorder().boxes.clear();
    backend::InstallMessageBoxes(&recorder());
}

void StopRecordingMessageBoxes() { backend::InstallMessageBoxes(nullptr); }

const std::vector<RecordedMessageBox>& RecordedMessageBoxes() { return recorder().boxes; }

void ClearRecordedMessageBoxes() { recorder().boxes.clear(); }

} // namespace platform::testing
