// Message boxes on QMessageBox with the platform's buttons, icons and answers.
#include "qt/QtWindows.h"

#include <QMessageBox>
#include <QPushButton>

#include <cstdio>

namespace platform::backend {
namespace {

struct OpenBox {
    QPointer<QMessageBox> box;
    bool answered = false;
    int result = IDCANCEL;
};

using Id = MessageBoxes::Id;

std::map<Id, OpenBox>& boxes()
{
    static std::map<Id, OpenBox> b;
    return b;
}

int Answer(QMessageBox::StandardButton b)
{
    switch (b) {
    case QMessageBox::Ok:
        return IDOK;
    case QMessageBox::Abort:
        return IDABORT;
    case QMessageBox::Retry:
        return IDRETRY;
    case QMessageBox::Ignore:
        return IDIGNORE;
    case QMessageBox::Yes:
        return IDYES;
    case QMessageBox::No:
        return IDNO;
    default:
        return IDCANCEL;
    }
}

std::vector<QMessageBox::StandardButton> Buttons(UINT type)
{
    using B = QMessageBox;
    switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL:
        return {B::Ok, B::Cancel};
    case MB_ABORTRETRYIGNORE:
        return {B::Abort, B::Retry, B::Ignore};
    case MB_YESNOCANCEL:
        return {B::Yes, B::No, B::Cancel};
    case MB_YESNO:
        return {B::Yes, B::No};
    case MB_RETRYCANCEL:
        return {B::Retry, B::Cancel};
    default:
        return {B::Ok};
    }
}

QMessageBox::Icon BoxIcon(UINT type)
{
    switch (type & MB_ICONMASK) {
    case MB_ICONHAND:
        return QMessageBox::Critical;
    case MB_ICONQUESTION:
        return QMessageBox::Question;
    case MB_ICONEXCLAMATION:
        return QMessageBox::Warning;
    case MB_ICONASTERISK:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

Id Show(HWND owner, const std::string& text, const std::string& caption, UINT type)
{
    static Id next = 1;
    const Id id = next++;
    if (!qt::IsOpen()) {
        // No windows can be shown: the text goes to the terminal, answered at once.
        std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
        boxes()[id] = OpenBox{nullptr, true, IDOK};
        return id;
    }
    QWidget* parent = owner ? qt::TopLevelWidget(owner) : nullptr;
    auto* box = new QMessageBox(parent);
    box->setWindowTitle(qt::FromUtf8(caption));
    box->setText(qt::FromUtf8(text));
    box->setTextFormat(Qt::PlainText);
    box->setIcon(BoxIcon(type));
    const auto buttons = Buttons(type);
    for (auto b : buttons)
        box->addButton(b);
    const size_t def = ((type & MB_DEFMASK) >> 8);
    box->setDefaultButton(buttons[def < buttons.size() ? def : 0]);
    // Escape answers Cancel where there is one, and OK in a box with OK alone.
    if (box->button(QMessageBox::Cancel))
        box->setEscapeButton(QMessageBox::Cancel);
    else if (buttons.size() == 1)
        box->setEscapeButton(QMessageBox::Ok);
    // Modal to the owner, as the platform disables it; without one, to the whole
    // application only when the box asks for it.
    box->setWindowModality(parent ? Qt::WindowModal : (type & (MB_TASKMODAL | MB_SYSTEMMODAL)) ? Qt::ApplicationModal : Qt::NonModal);
    boxes()[id].box = box;
    QObject::connect(box, &QMessageBox::finished, box, [id, box](int) {
        auto it = boxes().find(id);
        if (it == boxes().end())
            return;
        it->second.answered = true;
        QAbstractButton* clicked = box->clickedButton();
        it->second.result = clicked ? Answer(box->standardButton(clicked)) : IDCANCEL;
    });
    box->show();
    box->raise();
    box->activateWindow();
    return id;
}

void CloseBox(Id id)
{
    auto it = boxes().find(id);
    if (it == boxes().end())
        return;
    QPointer<QMessageBox> box = it->second.box;
    boxes().erase(it);
    if (box) {
        box->hide();
        box->deleteLater(); // it may still be inside its own click handling
    }
}

bool IsAnswered(Id id, int* result)
{
    auto it = boxes().find(id);
    if (it == boxes().end()) {
        *result = IDCANCEL;
        return true;
    }
    if (!it->second.answered && it->second.box)
        return false;
    *result = it->second.answered ? it->second.result : IDCANCEL;
    CloseBox(id);
    return true;
}

class QtMessageBoxes final : public MessageBoxes {
public:
    Id Open(HWND owner, const std::string& text, const std::string& caption, UINT type) override
    {
        return Show(owner, text, caption, type);
    }
    bool Answered(Id box, int* result) override { return IsAnswered(box, result); }
    void Close(Id box) override { CloseBox(box); }
};

} // namespace

} // namespace platform::backend

namespace platform::qt {

backend::MessageBoxes& MessageBoxes()
{
    static backend::QtMessageBoxes boxes;
    return boxes;
}

} // namespace platform::qt
