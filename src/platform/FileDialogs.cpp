#include "FileDialogs.h"

#include <QDir>
#include <QFileDialog>

namespace {

class RealDialogs : public FileDialogService {
public:
    std::optional<QString> Open(QWidget *owner, const FileDialogRequest &request) override
    {
        return Run(owner, request, false);
    }
    std::optional<QString> Save(QWidget *owner, const FileDialogRequest &request) override
    {
        return Run(owner, request, true);
    }

private:
    static std::optional<QString> Run(QWidget *owner, const FileDialogRequest &request, bool forSaving)
    {
        const std::unique_ptr<QFileDialog> dialog = MakeFileDialog(owner, request, forSaving);
        if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
            return std::nullopt;
        return dialog->selectedFiles().constFirst();
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

std::unique_ptr<QFileDialog> MakeFileDialog(QWidget *owner, const FileDialogRequest &request, bool forSaving)
{
    auto dialog = std::make_unique<QFileDialog>(owner, request.title, QDir::currentPath(), request.filter);
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setAcceptMode(forSaving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog->setFileMode(forSaving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog->setOption(QFileDialog::DontConfirmOverwrite);
    dialog->setDefaultSuffix(request.defaultSuffix);
    dialog->selectFile(request.initialName);
    return dialog;
}
