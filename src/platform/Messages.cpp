#include "Messages.h"

#include <QMessageBox>

namespace {

class BoxService : public MessageService {
public:
    MessageAnswer Show(const MessageRequest &request) override
    {
        const QMessageBox::Icon icon = request.icon == MessageIcon::Error     ? QMessageBox::Critical
                                       : request.icon == MessageIcon::Warning ? QMessageBox::Warning
                                                                              : QMessageBox::Information;
        const QMessageBox::StandardButtons buttons = request.buttons == MessageButtons::OkCancel
            ? QMessageBox::Ok | QMessageBox::Cancel
            : QMessageBox::StandardButtons(QMessageBox::Ok);
        QMessageBox box(icon, request.title, request.text, buttons, nullptr);
        if (request.buttons == MessageButtons::OkCancel) {
            box.setDefaultButton(request.defaultAnswer == MessageAnswer::Ok ? QMessageBox::Ok : QMessageBox::Cancel);
            box.setEscapeButton(QMessageBox::Cancel);
        }
        return box.exec() == QMessageBox::Ok ? MessageAnswer::Ok : MessageAnswer::Cancel;
    }
};

BoxService realBoxes;
MessageService *current = &realBoxes;

} // namespace

MessageAnswer ShowMessage(const MessageRequest &request)
{
    return current->Show(request);
}

MessageService *SetMessageService(MessageService *service)
{
    MessageService *previous = current == &realBoxes ? nullptr : current;
    current = service ? service : &realBoxes;
    return previous;
}
