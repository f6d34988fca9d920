#pragma once

#include "FileDialogs.h"

#include <QDir>

#include <deque>
#include <vector>

// Stands in for the open and save dialogs while it lives: records each request and
// answers with the scripted paths (nothing: cancelled). Like a real dialog it may leave
// another folder current.
class RecordingFileDialogs : public FileDialogService {
public:
    RecordingFileDialogs() { previous_ = SetFileDialogService(this); }
    ~RecordingFileDialogs() override { SetFileDialogService(previous_); }

    std::optional<QString> Open(QWidget *, const FileDialogRequest &request) override { return Answer(request); }
    std::optional<QString> Save(QWidget *, const FileDialogRequest &request) override { return Answer(request); }

    std::vector<FileDialogRequest> asked;
    std::deque<std::optional<QString>> answers;
    QString wanderTo; // a folder the dialog makes current, when set

private:
    std::optional<QString> Answer(const FileDialogRequest &request)
    {
        asked.push_back(request);
        if (!wanderTo.isEmpty())
            QDir::setCurrent(wanderTo);
        if (answers.empty() || !answers.front()) {
            if (!answers.empty())
                answers.pop_front();
            return std::nullopt;
        }
        const QString answer = *answers.front();
        answers.pop_front();
        return answer;
    }

    FileDialogService *previous_ = nullptr;
};
