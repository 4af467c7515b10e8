// Taking a path apart. Only "/" separates path components; a backslash is an
// ordinary file name character.
#pragma once

#include <string>
#include <string_view>

inline constexpr char kPathSeparator = '/';

// The text after the last separator (the whole path without one), trimmed.
std::string FileNameOfPath(std::string_view path);

// The text up to and including the last separator, trimmed; empty without one.
std::string FolderOfPath(std::string_view path);

// The text after the file name's last full stop, trimmed; empty without one.
std::string ExtensionOfFileName(std::string_view path);

// The file name without its last full stop and what follows it.
std::string IdOfFileName(std::string_view path);

// The folder of the running program, without a trailing separator.
std::string ProgramFolder();

// Where the user manual is: beside the program (a build tree, or a copy run
// from a folder) when it is there, else in the installed documentation folder
// relative to the program's folder (<prefix>/share/doc/quorvel/), else the
// path beside the program (so that opening it fails as before).
std::string ManualPath(const std::string& programFolder);

// The rule ProgramFolder applies to the program's path: the text before the
// last separator, or the whole path when it has none.
std::string ProgramFolderOfPath(std::string_view programPath);
