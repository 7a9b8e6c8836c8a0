#include "main/Commands.h"

namespace sorami {

namespace {

constexpr unsigned D = CF_NEEDS_DATA;
constexpr unsigned S = CF_SEPARATOR;

constexpr CommandEntry kCommands[] = {
    {ID_FILE_NEW, MenuId::File, u"新規作成(&N)...", "Ctrl+N", CF_NONE},
    {ID_FILE_OPEN, MenuId::File, u"開く(&O)...", "Ctrl+O", CF_NONE},
    {ID_FILE_SAVE, MenuId::File, u"上書き保存(&S)", "Ctrl+S", D},
    {ID_FILE_SAVE_AS, MenuId::File, u"名前を付けて保存(&A)...", "", D},
    {ID_SET_PASSWORD, MenuId::File, u"ﾊﾟｽﾜｰﾄﾞの設定(&P)...", "", D | S},
    {ID_START_OF_PERIOD, MenuId::File, u"期首処理(&C)...", "", D},
    {ID_IMPORT_STATEMENT, MenuId::File, u"明細の取り込み(&I)...", "", D},
    {ID_FILE_MRU_FILE1, MenuId::File, u"", "", CF_RECENT_FILE | S},
    {ID_FILE_MRU_FILE1 + 1, MenuId::File, u"", "", CF_RECENT_FILE},
    {ID_FILE_MRU_FILE1 + 2, MenuId::File, u"", "", CF_RECENT_FILE},
    {ID_FILE_MRU_FILE1 + 3, MenuId::File, u"", "", CF_RECENT_FILE},
    {ID_APP_EXIT, MenuId::File, u"終了(&X)", "", CF_LANDED | S},

    // Ctrl+Z writes the consumption tax, as it always has.
    {ID_EDIT_UNDO, MenuId::Edit, u"元に戻す(&U)", "Alt+Backspace", D},
    {ID_EDIT_REDO, MenuId::Edit, u"やり直し(&R)", "Ctrl+Y", D},
    {ID_DELETE_ENTRY, MenuId::Edit, u"品名ﾃﾞｰﾀ削除", "Ctrl+D; Shift+Del", D | S},
    {ID_CHANGE_ENTRY, MenuId::Edit, u"品名ﾃﾞｰﾀ変更...", "Ctrl+E", D},
    {ID_EDIT_COPY, MenuId::Edit, u"ﾃﾞｰﾀｺﾋﾟｰ", "Ctrl+W; Ctrl+Ins", D | S},
    {ID_EDIT_PASTE, MenuId::Edit, u"ﾃﾞｰﾀ貼り付け", "Ctrl+A; Shift+Ins", D},
    {ID_REGISTER_SPECIAL_NAME, MenuId::Edit, u"特別品名の登録", "Ctrl+T", D | S},
    {ID_CHANGE_SPECIAL_NAME, MenuId::Edit, u"特別品名の変更...", "", D},
    {ID_WRITE_TAX, MenuId::Edit, u"消費税記入(&Z)...", "Ctrl+Z", D | S},
    {ID_CHANGE_CASH_BALANCE, MenuId::Edit, u"現金残高の変更...", "", D},
    {ID_CHANGE_INITIAL_BALANCE, MenuId::Edit, u"口座/借入の初期残高変更...", "", D},
    {ID_MOVE_BETWEEN_DAYS, MenuId::Edit, u"日付間ﾃﾞｰﾀ移動...", "", D | S},
    {ID_MOVE_BETWEEN_ITEMS, MenuId::Edit, u"項目間ﾃﾞｰﾀ移動...", "", D},
    {ID_MOVE_PERIOD, MenuId::Edit, u"期間を指定してﾃﾞｰﾀ移動...", "", D},

    {ID_DAY_INPUT_MODE, MenuId::View, u"日別入力表示ﾓｰﾄﾞ(&I)", "Alt+D", D | CF_CHECKABLE},
    {ID_SUMMARY_MODE, MenuId::View, u"集計表示ﾓｰﾄﾞ...", "Alt+K", D | CF_CHECKABLE},
    {ID_CASH_BOOK_MODE, MenuId::View, u"出納帳モード", "Alt+U", D | CF_CHECKABLE},
    {ID_CALENDAR, MenuId::View, u"ｶﾚﾝﾀﾞｰ...", "Alt+C", D | S},
    {ID_DIARY_EDIT, MenuId::View, u"日記編集", "Ctrl+M", D | S},
    {ID_DIARY_LIST, MenuId::View, u"日記一覧...", "", D | CF_CHECKABLE},

    {ID_PREV_DAY, MenuId::Move, u"前日", "PgUp", D},
    {ID_NEXT_DAY, MenuId::Move, u"翌日", "PgDown", D},
    {ID_PREV_WEEK, MenuId::Move, u"前週", "Shift+PgUp", D | S},
    {ID_NEXT_WEEK, MenuId::Move, u"翌週", "Shift+PgDown", D},
    {ID_PREV_MONTH, MenuId::Move, u"前月", "Ctrl+PgUp", D | S},
    {ID_NEXT_MONTH, MenuId::Move, u"翌月", "Ctrl+PgDown", D},
    {ID_TODAY, MenuId::Move, u"今日", "Ctrl+H", D | S},

    {ID_TABLE_GRAPH, MenuId::Report, u"表,ｸﾞﾗﾌ...", "Ctrl+G", D},
    {ID_BUDGET_ACTUAL, MenuId::Report, u"予算と実績...", "Ctrl+B", D},
    {ID_SEARCH, MenuId::Report, u"ﾃﾞｰﾀ検索(&S)...", "", D | S},

    {ID_OPTIONS, MenuId::Settings, u"動作環境(&C)...", "Ctrl+U", CF_NONE},
    {ID_ITEM_SETTINGS, MenuId::Settings, u"項目,特別品名...", "Ctrl+K", D},
    {ID_AUTO_ENTRY, MenuId::Settings, u"自動記入...", "", D | S},
    {ID_AUTO_ENTRY_RUN, MenuId::Settings, u"自動記入の強制実行", "", D},

    {ID_HELP_FINDER, MenuId::Help, u"ﾍﾙﾌﾟ(&H)", "F1", CF_NONE},
    {ID_APP_ABOUT, MenuId::Help, u"バージョン情報(&A)...", "", CF_LANDED | S},

    {ID_INPUT_ENTER, MenuId::None, u"", "Return; Enter", CF_NONE},
    {ID_TOGGLE_PANEL, MenuId::None, u"", "Shift+Return; Shift+Enter", CF_NONE},
    {ID_STEP_FORWARD, MenuId::None, u"", "Tab", CF_NONE},
    {ID_STEP_BACK, MenuId::None, u"", "Shift+Tab; Shift+Backtab", CF_NONE},
    {ID_NEXT_ITEM, MenuId::None, u"", "Down", CF_NONE},
    {ID_PREV_ITEM, MenuId::None, u"", "Up", CF_NONE},
    {ID_NEXT_SPECIAL_NAME, MenuId::None, u"", "Shift+Down", CF_NONE},
    {ID_PREV_SPECIAL_NAME, MenuId::None, u"", "Shift+Up", CF_NONE},
    {ID_DETAIL_DOWN, MenuId::None, u"", "Ctrl+Down", D},
    {ID_DETAIL_UP, MenuId::None, u"", "Ctrl+Up", D},
    {ID_DETAIL_EXTEND_DOWN, MenuId::None, u"", "Ctrl+Shift+Down", D},
    {ID_DETAIL_EXTEND_UP, MenuId::None, u"", "Ctrl+Shift+Up", D},
    {ID_CURRENT_PROCESSING_DAY, MenuId::None, u"", "", D},
    {ID_REBUILD_SUMMARY, MenuId::None, u"", "", D},
};

// The menus' own mnemonics leave Alt+D, Alt+K, Alt+U and Alt+C to the commands above.
constexpr MenuEntry kMenus[] = {
    {MenuId::File, u"ファイル(&F)"}, {MenuId::Edit, u"編集(&E)"},   {MenuId::View, u"表示(&V)"},
    {MenuId::Move, u"移動(&M)"},     {MenuId::Report, u"集計(&R)"}, {MenuId::Settings, u"設定(&S)"},
    {MenuId::Help, u"ヘルプ(&H)"},
};

}  // namespace

std::span<const CommandEntry> commandTable() {
  return kCommands;
}
std::span<const MenuEntry> menuTable() {
  return kMenus;
}

const CommandEntry* findCommand(int id) {
  for (const CommandEntry& c : kCommands) {
    if (c.id == id) return &c;
  }
  return nullptr;
}

}  // namespace sorami
