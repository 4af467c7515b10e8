// A control's edit text, as the commands read and write it. The combo boxes
// implement it on screen; PlainTextField stands in where there is no window.
#pragma once

#include <string>
#include <string_view>

class TextField {
public:
    virtual ~TextField() = default;
    virtual std::string GetWindowText() const = 0;
    virtual void SetWindowText(std::string_view text) = 0;
};

class PlainTextField final : public TextField {
public:
    explicit PlainTextField(std::string text = {}) : text_(std::move(text)) {}
    std::string GetWindowText() const override { return text_; }
    void SetWindowText(std::string_view text) override { text_ = text; }

private:
    std::string text_;
};
