// Opening a document or a folder with the desktop's own programs, with a hook
// through which tests see the request instead of a program starting.
#pragma once

#include <functional>
#include <string>

class QWidget;

// Returns what ShellExecute returns: a value above 32 on success, 32 or less
// on failure (2 for a path that does not exist).
using ShellHook = std::function<int(const std::string& verb, const std::string& path)>;
void SetShellHook(ShellHook hook);

// `verb` is "open" (a document) or "explore" (a folder).
int ShellExecute(QWidget* owner, const std::string& verb, const std::string& path);
