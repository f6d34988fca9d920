#include "FileDialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QGuiApplication>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QListView>
#include <QLocale>
#include <QScreen>
#include <QSplitter>
#include <QTreeView>

namespace {

// The file list's sizes and dates in German, whatever the machine's locale: the framework
// writes them in the system's.
class GermanFileDetails : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex &index, int role) const override
    {
        const auto *files = qobject_cast<const QFileSystemModel *>(sourceModel());
        if (role != Qt::DisplayRole || !files || (index.column() != kSize && index.column() != kModified))
            return QIdentityProxyModel::data(index, role);
        const QModelIndex file = mapToSource(index);
        const QLocale german(QLocale::German, QLocale::Germany);
        if (index.column() == kModified)
            return german.toString(files->lastModified(file), QLocale::ShortFormat);
        return files->isDir(file) ? QString() : german.formattedDataSize(files->size(file));
    }

    static constexpr int kSize = 1, kModified = 3;
};

// Wide enough for the German labels and every column of the file list; the sizes, types
// and dates fit their texts, the name takes the rest.
void GiveRoom(QFileDialog &dialog)
{
    QSize size(760, 480);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableGeometry().size());
    dialog.resize(size.expandedTo(dialog.minimumSizeHint()));
    if (auto *files = dialog.findChild<QTreeView *>(QStringLiteral("treeView"))) {
        QHeaderView *header = files->header();
        header->setSectionResizeMode(0, QHeaderView::Stretch);
        for (int column = 1; column < header->count(); ++column)
            header->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    }
    auto *places = dialog.findChild<QListView *>(QStringLiteral("sidebar"));
    auto *splitter = dialog.findChild<QSplitter *>(QStringLiteral("splitter"));
    if (places && splitter) {
        const int width = places->sizeHintForColumn(0) + 2 * places->frameWidth() + 8;
        splitter->setSizes({width, std::max(0, dialog.width() - width)});
    }
}

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
    dialog->setProxyModel(new GermanFileDetails(dialog.get()));
    dialog->selectFile(request.initialName);
    GiveRoom(*dialog);
    return dialog;
}
