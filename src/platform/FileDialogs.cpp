#include "FileDialogs.h"

#include <QDir>
#include <QFileDialog>

namespace {

class RealDialogs : public FileDialogService {
public:
    std::optional<QString> Open(QWidget *owner, const FileDialogRequest &request) override
    {
        return Run(owner, request, QFileDialog::AcceptOpen);
    }
    std::optional<QString> Save(QWidget *owner, const FileDialogRequest &request) override
    {
        return Run(owner, request, QFileDialog::AcceptSave);
    }

private:
    static std::optional<QString> Run(QWidget *owner, const FileDialogRequest &request, QFileDialog::AcceptMode mode)
    {
        QFileDialog dialog(owner, request.title, QDir::currentPath(), request.filter);
        dialog.setAcceptMode(mode);
        dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
        dialog.setDefaultSuffix(request.defaultSuffix);
        dialog.selectFile(request.initialName);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return std::nullopt;
        return dialog.selectedFiles().constFirst();
    }
};

RealDialogs realDialogs;
FileDialogService *current = &realDialogs;

} // namespace

std::optional<QString> AskFileToOpen(QWidget *owner, const FileDialogRequest &request)
{
    return current->Open(owner, request);
}

std::optional<QString> AskFileToSave(QWidget *owner, const FileDialogRequest &request)
{
    return current->Save(owner, request);
}

FileDialogService *SetFileDialogService(FileDialogService *service)
{
    FileDialogService *previous = current == &realDialogs ? nullptr : current;
    current = service ? service : &realDialogs;
    return previous;
}
