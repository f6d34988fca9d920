#pragma once

#include <QString>

#include <memory>
#include <optional>

class QFileDialog;
class QWidget;

// The open and save dialogs, as the program asks for them. Like the message boxes they
// go through one service, so that tests can answer in their place.
struct FileDialogRequest {
    QString title;
    QString filter;        // "Textdateien (*.txt);;Alle Dateien (*.*)"
    QString defaultSuffix; // added to a name typed without one
    QString initialName;   // proposed file name, in the current folder
};

class FileDialogService {
public:
    virtual ~FileDialogService() = default;
    // The chosen file's path, or nothing when the user cancels.
    virtual std::optional<QString> Open(QWidget *owner, const FileDialogRequest &request) = 0;
    // The save dialog asks nothing about existing files: the caller does.
    virtual std::optional<QString> Save(QWidget *owner, const FileDialogRequest &request) = 0;
};

std::optional<QString> AskFileToOpen(QWidget *owner, const FileDialogRequest &request);
std::optional<QString> AskFileToSave(QWidget *owner, const FileDialogRequest &request);

// Puts a service in place of the real dialogs and returns the one it replaces; nullptr
// brings the real dialogs back.
FileDialogService *SetFileDialogService(FileDialogService *service);

// The dialog the real service runs: the framework's own (never the desktop's, so that its
// texts are German like the rest), in the current folder with the proposed name.
std::unique_ptr<QFileDialog> MakeFileDialog(QWidget *owner, const FileDialogRequest &request, bool forSaving);
