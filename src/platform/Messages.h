#pragma once

#include <QString>

#include <memory>

class QMessageBox;

// Message boxes, as the program asks for them. Every box goes through one service so
// that tests can put a recording double in its place and no modal box blocks them.
enum class MessageIcon { Error, Warning, Information };
enum class MessageButtons { Ok, OkCancel };
enum class MessageAnswer { Ok, Cancel };

struct MessageRequest {
    QString title;
    QString text;
    MessageIcon icon = MessageIcon::Error;
    MessageButtons buttons = MessageButtons::Ok;
    MessageAnswer defaultAnswer = MessageAnswer::Ok;
};

class MessageService {
public:
    virtual ~MessageService() = default;
    // Shows the box without an owner window and returns the user's answer
    // (closing the box counts as Cancel where there is one).
    virtual MessageAnswer Show(const MessageRequest &request) = 0;
};

MessageAnswer ShowMessage(const MessageRequest &request);
// A failure the user must see: error icon, one OK button.
void ShowErrorBox(const QString &title, const QString &text);

// Puts a service in place of the real boxes and returns the one it replaces;
// nullptr brings the real boxes back.
MessageService *SetMessageService(MessageService *service);

// The box the real service shows for a request: the framework's box, wide enough for its
// whole title to show in the title bar.
std::unique_ptr<QMessageBox> MakeMessageBox(const MessageRequest &request);
