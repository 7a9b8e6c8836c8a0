#pragma once
// The values that travel in and out of the settings sheet besides the configuration record.

#include <string>
#include <vector>

namespace sorami {

// Settings of the device shown on the sheet; the application settings own them.
struct ConfigSheetDevice {
  int displayColor = 0;  // 1: monochrome colour table
  int debug = 0;         // show debug messages
  int configTabNo = 0;   // the page last shown, also after Cancel
  friend bool operator==(const ConfigSheetDevice&, const ConfigSheetDevice&) = default;
};

// An item offered as the receiver of tax lines.
struct ItemChoice {
  int number = 0;
  std::u16string name;
};

// The expense and income items of the open file, in item-number order.
struct ConfigSheetItems {
  std::vector<ItemChoice> expense;
  std::vector<ItemChoice> income;
};

// What the main window has to redo after OK.
struct ConfigChanges {
  bool settings = false;       // any field of the record
  bool decimalPlaces = false;  // every amount is shown anew: refresh all lists
  bool listLayout = false;     // name width, amount digits or special-name rows: refresh lists
  bool totals = false;         // savings or loans in totals: recompute balances, refresh lists
  bool processingDay = false;  // closing or rest days: move to the current processing day
  bool displayColor = false;   // switch the colour table and repaint
  friend bool operator==(const ConfigChanges&, const ConfigChanges&) = default;
};

}  // namespace sorami
