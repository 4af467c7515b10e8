// Queued answers for the message boxes and file dialogs a test expects; a
// box or dialog nobody expected fails the test instead of waiting.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/file_dialogs.h"
#include "platform/message_box.h"

class DialogAnswers {
public:
    DialogAnswers();
    ~DialogAnswers();

    void AnswerBox(int answer) { boxAnswers_.push_back(answer); }
    void AnswerDialog(std::optional<std::string> path) {
        dialogAnswers_.push_back(std::move(path));
    }

    const std::vector<MessageBoxRequest>& Boxes() const { return boxes_; }
    const std::vector<FileDialogRequest>& Dialogs() const { return dialogs_; }
    bool AllUsed() const { return boxAnswers_.empty() && dialogAnswers_.empty(); }

private:
    std::deque<int> boxAnswers_;
    std::deque<std::optional<std::string>> dialogAnswers_;
    std::vector<MessageBoxRequest> boxes_;
    std::vector<FileDialogRequest> dialogs_;
};
