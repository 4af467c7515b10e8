#include "cli/plan_output.h"

#include <algorithm>

#include "engine/text_utils.h"

namespace {

constexpr const char* kHex = "0123456789abcdef";

void AppendHexByte(std::string& out, unsigned char c) {
    out += kHex[c >> 4];
    out += kHex[c & 15];
}

bool IsValidUtf8(std::string_view text) {
    for (std::size_t at = 0; at < text.size(); at += CharacterLength(text, at)) {
        if (CharacterLength(text, at) == 1 && static_cast<unsigned char>(text[at]) >= 0x80)
            return false;
    }
    return true;
}

// The number of characters a cell takes on a terminal (one per character).
std::size_t Width(std::string_view text) {
    std::size_t width = 0;
    for (std::size_t at = 0; at < text.size(); at += CharacterLength(text, at)) ++width;
    return width;
}

bool Plain(std::string_view name) {
    return std::all_of(name.begin(), name.end(),
                       [](char c) { return c >= 0x20 && c < 0x7F && c != '\\'; });
}

// A cell of the table: the name itself when it is plain, else its escape.
struct Cell {
    std::string_view text;
    std::string escaped;
    std::size_t width = 0;

    explicit Cell(std::string_view name) {
        if (Plain(name)) {
            text = name;
            width = name.size();
        } else {
            escaped = EscapedForTerminal(name);
            text = escaped;
            width = Width(escaped);
        }
    }
};

void AppendPadded(std::string& out, const Cell& cell, std::size_t width) {
    out += cell.text;
    out.append(width - std::min(width, cell.width) + 2, ' ');
}

}  // namespace

std::string EscapedForTerminal(std::string_view name) {
    if (Plain(name)) return std::string(name);
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

std::string JsonName(std::string_view name) {
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
    const PlannedRow heading{0, "Folder", "Old name", "New name", RowPlan::Renames};
    std::size_t widths[3] = {0, 0, 0};
    std::size_t bytes = 0;
    const auto measure = [&](const PlannedRow& row) {
        const Cell cells[3] = {Cell(row.newName), Cell(row.oldName), Cell(row.folder)};
        for (int i = 0; i < 3; ++i) widths[i] = std::max(widths[i], cells[i].width);
        bytes += row.newName.size() + row.oldName.size() + row.folder.size() + 48;
    };
    measure(heading);
    for (const PlannedRow& row : plan) measure(row);
    std::string out;
    out.reserve(bytes + plan.size() * (widths[0] + widths[1] + widths[2]) / 2);
    const auto appendRow = [&](const PlannedRow& row, const char* status) {
        AppendPadded(out, Cell(row.newName), widths[0]);
        AppendPadded(out, Cell(row.oldName), widths[1]);
        AppendPadded(out, Cell(row.folder), widths[2]);
        out += status;
        out += '\n';
    };
    appendRow(heading, "Status");
    for (const PlannedRow& row : plan) appendRow(row, RowPlanText(row.status));
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
