// A modal dialog that lets the user pick one file-system folder, with the
// reactions to the chooser's events as virtual operations.
#pragma once

#include <string>

#include "platform/dialog.h"

inline constexpr unsigned BIF_RETURNONLYFSDIRS = 0x0001;
inline constexpr unsigned BIF_STATUSTEXT = 0x0004;
inline constexpr unsigned BIF_VALIDATE = 0x0020;

class CFolderDialog : public CDialog {
public:
    // `title` and `initialFolder` may be null.
    CFolderDialog(const char* title, const char* initialFolder, QWidget* parent, unsigned flags);

    // IDOK when a folder was picked, IDCANCEL when the pick has no
    // file-system path, -1 when the user cancelled.
    int DoModal() override;

    // The picked folder, without a trailing "/" unless it is the root.
    const std::string& GetPathName() const { return selectedPath_; }

    virtual void OnInitialized();
    virtual void OnSelChanged(const std::string& path);
    virtual int OnValidateFailed(const std::string& name);
    virtual void OnIUnknown(void* object);

    // While the chooser is open (inside a reaction): the accept button's text,
    // and the folder to show.
    void SetOKText(const std::string& text);
    void SetExpanded(const std::string& path);
    // Before DoModal: where the chooser starts when no initial folder is
    // given; null clears it. Returns whether the folder exists.
    bool SetRootFolder(const char* path);
    bool GetRootFolder(std::string& path) const;

private:
    std::string title_;
    std::string initialFolder_;
    std::string rootFolder_;
    std::string selectedPath_;
    unsigned flags_;
    QWidget* chooser_ = nullptr;  // set only while a reaction runs
};
