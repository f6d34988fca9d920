#include "Messages.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>

namespace {

// A box is only as wide as its text, and a short text would cut the title bar's text.
// The title bar's face is the window manager's: reckon with a bold face a quarter wider
// than the box's own, and room for the bar's buttons.
int TitleBarWidth(const QMessageBox &box, const QString &title)
{
    QFont bold = box.font();
    bold.setBold(true);
    return QFontMetrics(bold).horizontalAdvance(title) * 5 / 4 + 100;
}

class BoxService : public MessageService {
public:
    MessageAnswer Show(const MessageRequest &request) override
    {
        return MakeMessageBox(request)->exec() == QMessageBox::Ok ? MessageAnswer::Ok : MessageAnswer::Cancel;
    }
};

BoxService realBoxes;
MessageService *current = &realBoxes;

} // namespace

MessageAnswer ShowMessage(const MessageRequest &request)
{
    return current->Show(request);
}

void ShowErrorBox(const QString &title, const QString &text)
{
    ShowMessage({title, text, MessageIcon::Error, MessageButtons::Ok, MessageAnswer::Ok});
}

MessageService *SetMessageService(MessageService *service)
{
    MessageService *previous = current == &realBoxes ? nullptr : current;
    current = service ? service : &realBoxes;
    return previous;
}

std::unique_ptr<QMessageBox> MakeMessageBox(const MessageRequest &request)
{
    const QMessageBox::Icon icon = request.icon == MessageIcon::Error     ? QMessageBox::Critical
                                   : request.icon == MessageIcon::Warning ? QMessageBox::Warning
                                                                          : QMessageBox::Information;
    const QMessageBox::StandardButtons buttons = request.buttons == MessageButtons::OkCancel
        ? QMessageBox::Ok | QMessageBox::Cancel
        : QMessageBox::StandardButtons(QMessageBox::Ok);
    auto box = std::make_unique<QMessageBox>(icon, request.title, request.text, buttons, nullptr);
    if (request.buttons == MessageButtons::OkCancel) {
        box->setDefaultButton(request.defaultAnswer == MessageAnswer::Ok ? QMessageBox::Ok : QMessageBox::Cancel);
        box->setEscapeButton(QMessageBox::Cancel);
    }
    // The box sizes itself to its layout: a spacer across the whole layout holds the width.
    if (auto *grid = qobject_cast<QGridLayout *>(box->layout()))
        grid->addItem(new QSpacerItem(TitleBarWidth(*box, request.title), 0, QSizePolicy::Fixed),
                      grid->rowCount(), 0, 1, grid->columnCount());
    return box;
}
