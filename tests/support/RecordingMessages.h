#pragma once

#include "Messages.h"

#include <deque>
#include <vector>

// Stands in for the message boxes while it lives: records every box and answers with
// the scripted answers, else with the box's default button.
class RecordingMessages : public MessageService {
public:
    RecordingMessages() { previous_ = SetMessageService(this); }
    ~RecordingMessages() override { SetMessageService(previous_); }

    MessageAnswer Show(const MessageRequest &request) override
    {
        shown.push_back(request);
        if (answers.empty())
            return request.defaultAnswer;
        const MessageAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }

    std::vector<MessageRequest> shown;
    std::deque<MessageAnswer> answers;

private:
    MessageService *previous_ = nullptr;
};
