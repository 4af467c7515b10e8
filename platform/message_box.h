// Modal message boxes with the values of the Windows message box, and a hook
// through which tests answer every box without a window waiting for a person.
#pragma once

#include <functional>
#include <string>

class QWidget;

// Buttons and icons, combined with "|" into a box type.
inline constexpr unsigned MB_OK = 0x0;
inline constexpr unsigned MB_YESNO = 0x4;
inline constexpr unsigned MB_ICONERROR = 0x10;
inline constexpr unsigned MB_ICONQUESTION = 0x20;
inline constexpr unsigned MB_ICONWARNING = 0x30;
inline constexpr unsigned MB_ICONINFORMATION = 0x40;

// Answers.
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;

struct MessageBoxRequest {
    std::string text;
    std::string caption;
    unsigned type = MB_OK;

    unsigned Buttons() const { return type & 0xF; }
    unsigned Icon() const { return type & 0xF0; }
};

// Returns the answer for a box instead of showing it; kShowMessageBox shows
// the real box (for tests that act while a box is open).
inline constexpr int kShowMessageBox = -1;
using MessageBoxHook = std::function<int(const MessageBoxRequest&)>;
void SetMessageBoxHook(MessageBoxHook hook);

// Shows the box modally over `parent` and returns the button pressed
// (IDOK, IDYES or IDNO; IDCANCEL when an OK box is closed).
int MessageBox(QWidget* parent, const std::string& text, const std::string& caption, unsigned type);
