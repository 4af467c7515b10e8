#include "support/dialog_answers.h"

#include <gtest/gtest.h>

DialogAnswers::DialogAnswers() {
    SetMessageBoxHook([this](const MessageBoxRequest& request) {
        boxes_.push_back(request);
        if (boxAnswers_.empty()) {
            ADD_FAILURE() << "unexpected message box: " << request.caption << ": " << request.text;
            return IDCANCEL;
        }
        const int answer = boxAnswers_.front();
        boxAnswers_.pop_front();
        return answer;
    });
    SetFileDialogHook([this](const FileDialogRequest& request) -> std::optional<std::string> {
        dialogs_.push_back(request);
        if (dialogAnswers_.empty()) {
            ADD_FAILURE() << "unexpected file dialog";
            return std::nullopt;
        }
        auto answer = dialogAnswers_.front();
        dialogAnswers_.pop_front();
        return answer;
    });
}

DialogAnswers::~DialogAnswers() {
    SetMessageBoxHook({});
    SetFileDialogHook({});
}
