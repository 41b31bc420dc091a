#include "testing/MessageBoxRecorder.h"

#include "testing/UserAnswers.h"
#include "win32/Backend.h"

namespace platform::testing {
namespace {

// Records every box and answers it at once, or shows it and has a user answer it.
class Recorder final : public backend::MessageBoxes {
public:
    Id Open(HWND owner, const std::string& text, const std::string& caption, UINT type) override
    {
        boxes.push_back({text, caption, type, owner});
        if (!shown)
            return static_cast<Id>(boxes.size());
        const Id box = shown->Open(owner, text, caption, type);
        AnswerNewestBoxWhenActive();
        return box;
    }
    bool Answered(Id box, int* result) override
    {
        if (shown)
            return shown->Answered(box, result);
        *result = answer;
        return true;
    }
    void Close(Id box) override
    {
        if (shown)
            shown->Close(box);
    }

    int answer = IDOK;
    backend::MessageBoxes* shown = nullptr; // the toolkit's own boxes, when they are shown
    std::vector<RecordedMessageBox> boxes;
};

Recorder& recorder()
{
    static Recorder* r = new Recorder; // outlives everything that may still show a box
    return *r;
}

void Record(int answer, backend::MessageBoxes* shown)
{
    recorder().answer = answer;
    recorder().shown = shown;
    recorder().boxes.clear();
    backend::InstallMessageBoxes(&recorder());
}

} // namespace

void RecordMessageBoxes(int answer) { Record(answer, nullptr); }

void RecordShownMessageBoxes()
{
    backend::InstallMessageBoxes(nullptr);
    Record(IDOK, &backend::Boxes());
}

void StopRecordingMessageBoxes() { backend::InstallMessageBoxes(nullptr); }

const std::vector<RecordedMessageBox>& RecordedMessageBoxes() { return recorder().boxes; }

void ClearRecordedMessageBoxes() { recorder().boxes.clear(); }

} // namespace platform::testing
