#pragma once
// Every command of the main window in one table: its id, the menu that shows it, its text and
// its keys. Menus, accelerators and the enabled state are all built from here.

#include <span>

namespace sorami {

enum CommandId : int {
  // File
  ID_FILE_NEW = 57600,
  ID_FILE_OPEN = 57601,
  ID_FILE_SAVE = 57603,
  ID_FILE_SAVE_AS = 57604,
  ID_FILE_MRU_FILE1 = 57616,  // to ID_FILE_MRU_FILE1 + 3
  ID_SET_PASSWORD = 32900,
  ID_START_OF_PERIOD = 32827,
  ID_IMPORT_STATEMENT = 33100,  // bank and card statements
  ID_APP_EXIT = 57665,
  // Edit
  ID_EDIT_UNDO = 57643,
  ID_EDIT_REDO = 57644,
  ID_DELETE_ENTRY = 32784,
  ID_CHANGE_ENTRY = 32836,
  ID_EDIT_COPY = 57634,
  ID_EDIT_PASTE = 57637,
  ID_REGISTER_SPECIAL_NAME = 32795,
  ID_CHANGE_SPECIAL_NAME = 32837,
  ID_WRITE_TAX = 32779,
  ID_CHANGE_CASH_BALANCE = 32828,
  ID_CHANGE_INITIAL_BALANCE = 32817,
  ID_MOVE_BETWEEN_DAYS = 32819,
  ID_MOVE_BETWEEN_ITEMS = 32850,
  ID_MOVE_PERIOD = 32862,
  // View
  ID_DAY_INPUT_MODE = 32794,
  ID_SUMMARY_MODE = 32782,
  ID_CASH_BOOK_MODE = 32846,
  ID_CALENDAR = 32815,
  ID_DIARY_EDIT = 32790,
  ID_DIARY_LIST = 32806,
  // Move
  ID_PREV_DAY = 32786,
  ID_NEXT_DAY = 32788,
  ID_PREV_WEEK = 32860,
  ID_NEXT_WEEK = 32859,
  ID_PREV_MONTH = 32791,
  ID_NEXT_MONTH = 32792,
  ID_TODAY = 32787,
  // Reports
  ID_TABLE_GRAPH = 32811,
  ID_BUDGET_ACTUAL = 32861,
  ID_SEARCH = 32832,
  // Settings
  ID_OPTIONS = 32780,
  ID_ITEM_SETTINGS = 32831,
  ID_AUTO_ENTRY = 32835,
  ID_AUTO_ENTRY_RUN = 32855,
  // Help
  ID_HELP_FINDER = 57667,
  ID_APP_ABOUT = 57664,
  // Keys of the input row, without a menu entry
  ID_INPUT_ENTER = 32820,
  ID_TOGGLE_PANEL = 32798,
  ID_STEP_FORWARD = 32775,
  ID_STEP_BACK = 32774,
  ID_NEXT_ITEM = 32777,
  ID_PREV_ITEM = 32776,
  ID_NEXT_SPECIAL_NAME = 32804,
  ID_PREV_SPECIAL_NAME = 32803,
  ID_DETAIL_DOWN = 32843,
  ID_DETAIL_UP = 32842,
  ID_DETAIL_EXTEND_DOWN = 32942,
  ID_DETAIL_EXTEND_UP = 32941,
  // Sent by the view to itself
  ID_CURRENT_PROCESSING_DAY = 32844,
  ID_REBUILD_SUMMARY = 32783,
};

enum class MenuId { None, File, Edit, View, Move, Report, Settings, Help };

enum CommandFlag : unsigned {
  CF_NONE = 0,
  CF_LANDED = 1u << 0,      // works already; the others stay disabled until they do
  CF_NEEDS_DATA = 1u << 1,  // disabled while no data file is open
  CF_CHECKABLE = 1u << 2,
  CF_SEPARATOR = 1u << 3,  // a separator above it in its menu
  CF_RECENT_FILE = 1u << 4,
};

struct CommandEntry {
  int id;
  MenuId menu;
  const char16_t* text;  // menu text with its mnemonic; empty for keys without a menu entry
  const char* keys;      // portable key sequences separated by "; "
  unsigned flags;
};

struct MenuEntry {
  MenuId id;
  const char16_t* title;
};

std::span<const CommandEntry> commandTable();
std::span<const MenuEntry> menuTable();
const CommandEntry* findCommand(int id);

}  // namespace sorami
