// Control and command numbers, and the tables of the main window: its
// controls, menu, accelerators and tooltips.
#pragma once

#include <QKeySequence>
#include <array>
#include <string_view>
#include <vector>

#include "platform/app.h"

inline constexpr int IDC_LIST = 1000;
inline constexpr int IDC_ADD_FILE = 1001;
inline constexpr int IDC_ADD_FOLDER = 1002;
inline constexpr int IDC_PROTOTYPE = 1004;
inline constexpr int IDC_REMOVE_ITEM = 1010;
inline constexpr int IDC_REMOVE_ALL = 1011;
inline constexpr int IDC_MOVE_UP = 1012;
inline constexpr int IDC_MOVE_DOWN = 1013;
inline constexpr int IDC_REFRESH = 1014;
inline constexpr int IDC_RENAME = 1016;
inline constexpr int IDC_EXIT = 1017;
inline constexpr int IDC_FILTER = 1018;
inline constexpr int IDC_CLEAR_FILTER = 1020;
inline constexpr int IDC_CLEAR_PROTOTYPE = 1021;

inline constexpr int ID_FILE_EXIT = 32771;
inline constexpr int ID_HELP_MANUAL = 32772;
inline constexpr int ID_HELP_ABOUT = 32773;
inline constexpr int ID_TASK_RENAME = 32774;
inline constexpr int ID_TASK_UNDO = 32775;
inline constexpr int ID_EDIT_REPLACE = 57641;

inline constexpr std::string_view kMainCaption = "Quorvel v1.0.20";
inline constexpr int kMainWidthUnits = 445;
inline constexpr int kMainHeightUnits = 269;

enum class ControlKind { GroupBox, ComboBox, PushButton, IconButton, ListView };

struct ControlTemplate {
    ControlKind kind;
    int id;  // 0 for the group boxes
    std::string_view text;
    int x, y, width, height;  // dialog units
    bool titleCentred = false;
};

// The controls of the main window in template order, which is the tab order.
inline constexpr std::array<ControlTemplate, 21> kMainTemplate{{
    {ControlKind::GroupBox, 0, "", 4, 28, 437, 191},
    {ControlKind::GroupBox, 0, "Insert", 4, 219, 78, 47, true},
    {ControlKind::GroupBox, 0, "Remove", 86, 219, 78, 47, true},
    {ControlKind::GroupBox, 0, "Move", 169, 219, 78, 47, true},
    {ControlKind::GroupBox, 0, "Refresh", 252, 219, 43, 47, true},
    {ControlKind::GroupBox, 0, "Filter && Rename", 299, 219, 142, 47, true},
    {ControlKind::GroupBox, 0, "Prototype", 4, 0, 437, 28},
    {ControlKind::ComboBox, IDC_PROTOTYPE, "", 9, 10, 411, 30},
    {ControlKind::PushButton, IDC_CLEAR_PROTOTYPE, "X", 423, 10, 13, 13},
    {ControlKind::ListView, IDC_LIST, "", 9, 37, 426, 176},
    {ControlKind::IconButton, IDC_ADD_FILE, "", 9, 229, 32, 32},
    {ControlKind::IconButton, IDC_ADD_FOLDER, "", 45, 229, 32, 32},
    {ControlKind::IconButton, IDC_REMOVE_ITEM, "", 91, 229, 32, 32},
    {ControlKind::IconButton, IDC_REMOVE_ALL, "", 127, 229, 32, 32},
    {ControlKind::IconButton, IDC_MOVE_UP, "", 174, 229, 32, 32},
    {ControlKind::IconButton, IDC_MOVE_DOWN, "", 210, 229, 32, 32},
    {ControlKind::IconButton, IDC_REFRESH, "", 257, 229, 32, 32},
    {ControlKind::ComboBox, IDC_FILTER, "", 303, 228, 119, 30},
    {ControlKind::PushButton, IDC_CLEAR_FILTER, "X", 424, 228, 13, 13},
    {ControlKind::PushButton, IDC_RENAME, "&Rename (F8)", 303, 244, 65, 18},
    {ControlKind::PushButton, IDC_EXIT, "E&xit (Esc)", 372, 244, 65, 18},
}};

// The icon of each image button.
struct ButtonIcon {
    int button;
    int icon;
};
inline constexpr std::array<ButtonIcon, 7> kButtonIcons{{
    {IDC_ADD_FILE, 131},
    {IDC_ADD_FOLDER, 132},
    {IDC_REMOVE_ITEM, 137},
    {IDC_REMOVE_ALL, 138},
    {IDC_MOVE_UP, 140},
    {IDC_MOVE_DOWN, 139},
    {IDC_REFRESH, 135},
}};
inline constexpr int kMainIcon = 130;

struct Tooltip {
    int control;
    std::string_view text;
};
inline constexpr std::array<Tooltip, 11> kTooltips{{
    {IDC_ADD_FILE, "Add File (F3)"},
    {IDC_ADD_FOLDER, "Add Folder (F4)"},
    {IDC_REMOVE_ITEM, "Remove Item (F11)"},
    {IDC_REMOVE_ALL, "Remove All (F12)"},
    {IDC_MOVE_UP, "Move Up (F9)"},
    {IDC_MOVE_DOWN, "Move Down (F10)"},
    {IDC_REFRESH, "Refresh (F5)"},
    {IDC_RENAME, "Rename (F8)"},
    {IDC_EXIT, "Exit (Ctrl+Q or Escape)"},
    {IDC_CLEAR_PROTOTYPE, "Clear Prototype"},
    {IDC_CLEAR_FILTER, "Clear Filter"},
}};

// Menu 141: an item with command 0 is a separator.
struct MenuItem {
    std::string_view menu;
    std::string_view text;
    int command;
};
inline constexpr std::array<MenuItem, 7> kMainMenu{{
    {"&File", "E&xit\tCtrl+Q", ID_FILE_EXIT},
    {"&Edit", "&Replace\tCtrl+R", ID_EDIT_REPLACE},
    {"&Task", "&Rename\tF8", ID_TASK_RENAME},
    // F7, beside Rename: Ctrl+Z stays the text undo of the combo boxes.
    {"&Task", "&Undo Last Rename\tF7", ID_TASK_UNDO},
    {"&Help", "&Manual\tF1", ID_HELP_MANUAL},
    {"&Help", "", 0},
    {"&Help", "&About...", ID_HELP_ABOUT},
}};

// Accelerator table 142. F8 sends the Rename button's number, not the menu's.
inline std::vector<Accelerator> MainAccelerators() {
    return {
        {Qt::ControlModifier | Qt::Key_Q, ID_FILE_EXIT},
        {QKeyCombination(Qt::Key_F1), ID_HELP_MANUAL},
        {QKeyCombination(Qt::Key_F3), IDC_ADD_FILE},
        {QKeyCombination(Qt::Key_F4), IDC_ADD_FOLDER},
        {QKeyCombination(Qt::Key_F10), IDC_MOVE_DOWN},
        {QKeyCombination(Qt::Key_F9), IDC_MOVE_UP},
        {QKeyCombination(Qt::Key_F5), IDC_REFRESH},
        {QKeyCombination(Qt::Key_F12), IDC_REMOVE_ALL},
        {QKeyCombination(Qt::Key_F11), IDC_REMOVE_ITEM},
        {QKeyCombination(Qt::Key_F8), IDC_RENAME},
        {QKeyCombination(Qt::Key_F7), ID_TASK_UNDO},
        {Qt::ControlModifier | Qt::Key_R, ID_EDIT_REPLACE},
    };
}
