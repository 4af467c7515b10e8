#include "cli/plan_output.h"

#include <algorithm>

#include "engine/text_utils.h"

namespace {

constexpr const char* kHex = "0123456789abcdef";

void AppendHexByte(std::string& out, unsigned char c) {
    out += kHex[c >> 4];
    out += kHex[c & 15];
}

bool IsValidUtf8(const std::string& text) {
    for (std::size_t at = 0; at < text.size(); at += CharacterLength(text, at)) {
        if (CharacterLength(text, at) == 1 && static_cast<unsigned char>(text[at]) >= 0x80)
            return false;
    }
    return true;
}

// The number of characters a cell takes on a terminal (one per character).
std::size_t Width(const std::string& text) {
    std::size_t width = 0;
    for (std::size_t at = 0; at < text.size(); at += CharacterLength(text, at)) ++width;
    return width;
}

void AppendPadded(std::string& out, const std::string& text, std::size_t width) {
    out += text;
    out.append(width - std::min(width, Width(text)) + 2, ' ');
}

}  // namespace

std::string EscapedForTerminal(const std::string& name) {
    const auto plain = [](char c) { return c >= 0x20 && c < 0x7F && c != '\\'; };
    if (std::all_of(name.begin(), name.end(), plain)) return name;
    std::string out;
    for (std::size_t at = 0; at < name.size();) {
        const std::size_t length = CharacterLength(name, at);
        const auto c = static_cast<unsigned char>(name[at]);
        if (length > 1) {
            out.append(name, at, length);
        } else if (c == '\\') {
            out += "\\\\";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\t') {
            out += "\\t";
        } else if (c < 0x20 || c >= 0x7F) {
            out += "\\x";
            AppendHexByte(out, c);
        } else {
            out += static_cast<char>(c);
        }
        at += length;
    }
    return out;
}

std::string JsonName(const std::string& name) {
    std::string out;
    if (!IsValidUtf8(name)) {
        out.append("{\"hex\": \"");
        for (unsigned char c : name) AppendHexByte(out, c);
        return out + "\"}";
    }
    out.push_back('"');
    for (unsigned char c : name) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20 || c == 0x7F) {
            out += "\\u00";
            AppendHexByte(out, c);
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

std::string PlanTable(const std::vector<PlannedRow>& plan) {
    struct Cells {
        std::string newName, oldName, folder;
        const char* status;
    };
    std::vector<Cells> rows;
    rows.reserve(plan.size() + 1);
    rows.push_back({"New name", "Old name", "Folder", "Status"});
    std::size_t widths[3] = {0, 0, 0};
    // Rows of one folder follow each other: its cell is made once.
    const std::string* folder = nullptr;
    std::string folderCell;
    for (const PlannedRow& row : plan) {
        if (folder == nullptr || *folder != row.folder) {
            folder = &row.folder;
            folderCell = EscapedForTerminal(row.folder);
        }
        rows.push_back({EscapedForTerminal(row.newName), EscapedForTerminal(row.oldName),
                        folderCell, RowPlanText(row.status)});
    }
    for (const Cells& cells : rows) {
        widths[0] = std::max(widths[0], Width(cells.newName));
        widths[1] = std::max(widths[1], Width(cells.oldName));
        widths[2] = std::max(widths[2], Width(cells.folder));
    }
    std::string out;
    for (const Cells& cells : rows) {
        AppendPadded(out, cells.newName, widths[0]);
        AppendPadded(out, cells.oldName, widths[1]);
        AppendPadded(out, cells.folder, widths[2]);
        out += cells.status;
        out += '\n';
    }
    return out;
}

std::string PlanJson(const std::vector<PlannedRow>& plan) {
    std::string out = "[";
    for (std::size_t i = 0; i < plan.size(); ++i) {
        const PlannedRow& row = plan[i];
        out += i == 0 ? "\n" : ",\n";
        out += "  {\"new\": " + JsonName(row.newName) + ", \"old\": " + JsonName(row.oldName) +
               ", \"folder\": " + JsonName(row.folder) + ", \"status\": \"" +
               RowPlanText(row.status) + "\"}";
    }
    return out + (plan.empty() ? "]\n" : "\n]\n");
}
