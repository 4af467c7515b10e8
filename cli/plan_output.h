// How quorvel-cli shows a plan: a table for people, JSON for programs. Names
// are bytes; both forms show every name exactly and without ambiguity.
#pragma once

#include <string>
#include <vector>

#include "rename/rename_job.h"

// A name for the table: printable UTF-8 as it is; a backslash, a control
// character or a byte that is not valid UTF-8 as a C-style escape
// ("\\\\", "\\n", "\\t", "\\x1b", "\\xe9").
std::string EscapedForTerminal(std::string_view name);

// A name for JSON: a string when the name is valid UTF-8 (control characters
// as \\u escapes), otherwise {"hex": "<its bytes in hex>"}.
std::string JsonName(std::string_view name);

// The plan as a table with the columns New name, Old name, Folder, Status.
std::string PlanTable(const std::vector<PlannedRow>& plan);

// The plan as a JSON array of objects {"new", "old", "folder", "status"}.
std::string PlanJson(const std::vector<PlannedRow>& plan);
