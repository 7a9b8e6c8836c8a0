#include "platform/Messages.h"

#include <algorithm>
#include <array>
#include <utility>

namespace sorami {

namespace {

struct Entry {
  MessageId id;
  std::u16string_view text;
};

constexpr Entry kMessages[] = {
    {MessageId::AccountLimitReached, u"%1の最大登録数に達しましたので、\n登録できませんでした。"},
    {MessageId::NotRealData, u"実在するﾃﾞｰﾀで無いので処理できません。"},
    {MessageId::ItemNameBlank, u"項目名を空白以外にしてください。"},
    {MessageId::FieldBlank, u"%1を空白以外にしてください。"},
    {MessageId::ZeroAmountRefused,
     u"金額がｾﾞﾛのﾃﾞｰﾀは入力出来ません。\n[動作環境]の[入力]でｾﾞﾛ入力可にできます。"},
    {MessageId::SelectOneEntry, u"品名を１個だけ選択してください。"},
    {MessageId::DeleteNeedsSelection, u"削除するデータを詳細窓で選択してから実行してください。"},
    {MessageId::ConfirmDeleteSpecialName, u"特別品名（%1）を削除してよろしいですか？"},
    {MessageId::SelectOneAccount, u"口座を１個だけ選択してください。"},
    {MessageId::AlreadyRegistered, u"「%1」は%2登録済です。"},
    {MessageId::ConfirmDeleteEntry, u"ﾃﾞｰﾀ（%1）を削除してよろしいですか？"},
    {MessageId::SearchNoData, u"ﾃﾞｰﾀが１件も入力されていません。"},
    {MessageId::ClipboardOpenFailed, u"ｸﾘｯﾌﾟﾎﾞｰﾄﾞのｵｰﾌﾟﾝに失敗しました。"},
    {MessageId::ClipboardSetFailed, u"ｸﾘｯﾌﾟﾎﾞｰﾄﾞ ﾃﾞｰﾀのｾｯﾄに失敗しました。"},
    {MessageId::SelectRowFirst, u"いずれかの行を選択してから行ってください。"},
    {MessageId::ScheduleMissing, u"実施日を指定して下さい。"},
    {MessageId::StartMonthMissing, u"開始年月を指定して下さい。"},
    {MessageId::SpecialDateMissing, u"特別金額が設定されているので、特別月,日を設定して下さい。"},
    {MessageId::GraphItemNotFound, u"この項目は存在しません。"},
    {MessageId::GraphProductNotFound, u"この品名は存在しません。"},
    {MessageId::GraphMemoryShort,
     u"作業ﾒﾓﾘの確保に失敗しました。\nﾒﾓﾘを増やすか動作中の他のｱﾌﾟﾘｹｰｼｮﾝを終了してから行なってくだ"
     u"さい。"},
    {MessageId::GraphNoItemDetails, u"このアイテムの詳細はありません。"},
    {MessageId::FileBroken, u"このファイルは完全に壊れているか、そらみのデータではありません。"},
    {MessageId::NoAccountRegistered,
     u"口座が一つも登録されていません。\n新しい口座名を入力してください。"},
    {MessageId::NoLoanRegistered,
     u"借入名が一つも登録されていません。\n新しい借入名を入力してください。"},
    {MessageId::BlankNameRefused, u"空白は登録できません。"},
    {MessageId::NoSpecialNameOfNumber, u"入力された番号の特別品名はありません。"},
    {MessageId::SelectAccountItemFirst, u"変更する口座や借入を詳細窓で選択後に実施して下さい。"},
    {MessageId::SelectItemFirst, u"項目を選択してから行なって下さい。"},
    {MessageId::SelectSpecialNameFirst, u"特別品名を選択してから行なって下さい。"},
    {MessageId::ConfirmCancelAccount,
     u"（%1）を取消しますか？\n取消すと、この口座の残高は表示されなくなります。"},
    {MessageId::DivisionByZero, u"ｾﾞﾛでは割り算ができません。"},
    {MessageId::SearchTooManyLines, u"表示できるメモリを越えました。\n検索を中止します。"},
    {MessageId::SearchNothingFound, u"検索条件に合ったﾃﾞｰﾀは見つかりませんでした。"},
    {MessageId::FilePartlyBroken,
     u"このファイルは一部が壊れています。\n予備のデータがあるなら、そのデータを読み込んでください。"
     u"無ければ新規に作成しましょう。\nまた、総数%d個中の%d個は使える可能性があります。\n"
     u"読み込みを試みますか？"},
    {MessageId::TaxRateThreePercent,
     u"このデータは消費税率の設定が３％です。\nいつでも設定メニューの[動作環境]:[計算]"
     u"で変更できます。"
     u"\nここで５％にしますか？"},
    {MessageId::BudgetDataDamaged,
     u"予算部分データが壊れていますので、予算が必要なら再度設定してください。"},
    {MessageId::ReadLimitTrimmed,
     u"データ読みこみ個数を超えたため\n%d年%d月%d日以前の古いデータを\n%d個削除し、\n"
     u"最近のデータを%d個を読みました。"},
    {MessageId::Version871Removal,
     u"バージョン8.73の自動記入の不具合のために1899年12月30日に\n余分なデータ(品名：%s、金額%s)が"
     u"記載されていました。\nこの記載品名を削除します。"},
    {MessageId::AllRestDaysRefused, u"全て休日にする事はできません。"},
    {MessageId::HolidayTableFull,
     u"祝日ファイル（HOLIDAY.TXT）に登録できる祝日は%1個までです。\n"
     u"残りの%2行は読み込みませんでした。"},
    {MessageId::HolidayFileNotSaved, u"祝日ファイルを保存できませんでした。\n%1"},
    {MessageId::ClockOutOfRange,
     u"日付と時刻が異常のため正常に起動できない可能性があります。\n"
     u"Windowsのｺﾝﾄﾛｰﾙﾊﾟﾈﾙにある「日付と時刻」を正しく設定してから再度起動してください。\n"
     u"設定しても次回の電源ＯＮで再び狂う場合は、"
     u"ﾊﾟｿｺﾝ内部の時計用電池が弱っている可能性があります。"
     u"このまま起動しますか？"},
    {MessageId::InitialBalanceAdjusted,
     u"過去に使用した同じ名前の口座があり、現在の残高を%dにするために初期残高を%dに調整しました。"},
    {MessageId::AmountOutOfRange,
     u"金額が扱える範囲（-2147483648～2147483647）を超えるため、処理できませんでした。"},
    {MessageId::DefinitionsBeyondLimit,
     u"%1の数が上限の%2個を超えています。\n超えた分は使われません。"},
    {MessageId::FileOpenFailed, u"データファイルを開くことに失敗しました。"},
    {MessageId::NewerVersionRequired,
     u"このﾃﾞｰﾀﾌｧｲﾙを使うには新しいﾊﾞｰｼﾞｮﾝのｿﾌﾄが必要です。\nできるだけ最新版を入手してご利用くださ"
     u"い。"},
    {MessageId::SaveFailed, u"ﾄﾞｷｭﾒﾝﾄの保存に失敗しました。"},
    {MessageId::InvalidFileName, u"無効なﾌｧｲﾙ名です。"},
    {MessageId::ReadLimitExceeded,
     u"最大データ読みこみ量を超えました。\n読込量を調整して最近のデータを読みこみますか？"},
    {MessageId::NoDataLoaded,
     u"データが読み込まれていません。\nファイルメニューの[開く]"
     u"でファイルを指定して読み込んでください。"
     u"\nもし、データファイルが無いのなら新規作成をしてください。"},
    {MessageId::ConfirmSaveChanged,
     u"ﾃﾞｰﾀﾌｧｲﾙ\n%1\n又は動作環境が変更されています。保存しますか？"},
    {MessageId::PasswordRequired,
     u"このﾌｧｲﾙには、ﾊﾟｽﾜｰﾄﾞが設定されています。ﾊﾟｽﾜｰﾄﾞを入力して下さい。"},
    {MessageId::FileInUse,
     u"このデータファイルは他のプログラムが書き込み中のため、使用できません。\n"
     u"しばらくしてからやり直してください。\n%1"},
    {MessageId::PeriodNeedsOtherFile,
     u"期首処理後のデータは、開いているデータファイルとは別のファイルに保存してください。"},
    {MessageId::AccountRegisteredByCommand, u"「%1」を%2に登録しました。"},
    {MessageId::ConfirmDeleteSelected, u"選択された品名ﾃﾞｰﾀを削除してよろしいですか？"},
    {MessageId::RegisterNewAccount,
     u"登録されていない口座名が指定されています。\n新規の口座名として登録しますか？"},
    {MessageId::RegisterNewLoan,
     u"登録されていない借り名が指定されています。\n新規の借入名として登録しますか？"},
    {MessageId::AmountNotANumber, u"金額は数字で入力してください。"},
    {MessageId::RuleLimitReached,
     u"自動記載の設定数が %d(最大数)に、\n達しましたのでこれ以上登録できません。"},
    {MessageId::ConfirmDeleteRule, u"以下の設定を削除しますか？\n「%s」\n 　↓\n「%s：%s」"},
    {MessageId::ConfirmForcedAutoEntries,
     u"自動記入で設定されている内容に従って、現在入力している日付までに該当する記入を行います。"
     u"\nよろしいですか？"},
    {MessageId::AutoEntryText, u"［%s］\n↓\n［%s：%s］"},
    {MessageId::ShortfallDatePrefix, u"%d月%d日に"},
    {MessageId::ShortfallEntryLine, u"%s\n%s：%s,金額%sの引き落としため"},
    {MessageId::ShortfallPlainLine, u"%s\n"},
    {MessageId::ShortfallWarning, u"%s\n口座：%s の残高が %s 不足します。"},
    {MessageId::AutoRuleInactive,
     u"自動記入の%1番目の設定（%2）は%3が正しくないため、実行しませんでした。\n"
     u"自動記入の設定で内容を確かめてください。"},
    {MessageId::AutoEntriesCapped,
     u"自動記入で記入する行が一度に記入できる%1行を超えました。\n"
     u"%1行まで記入しました。残りは次の自動記入で記入します。"},
    {MessageId::RuleFieldInvalid, u"自動記入の設定の%1が正しくありません。"},
    {MessageId::GraphNotSaved, u"グラフを保存できませんでした。\n%1"},
    {MessageId::DiaryNotFound, u"見つかりませんでした"},
    {MessageId::FileReadOnly,
     u"ﾃﾞｰﾀﾌｧｲﾙ\n%1\nは読み取り専用のため、上書きできません。\n"
     u"名前を付けて別のﾌｧｲﾙに保存してください。"},
    {MessageId::FolderNotWritable,
     u"フォルダ\n%1\nにファイルを書き込めません。\n"
     u"書き込みが許可されているか、空き容量があるかを確かめてください。"},
    {MessageId::BackupFailed,
     u"ﾊﾞｯｸｱｯﾌﾟﾌｧｲﾙ\n%1\nを書き込めないため、保存を中止しました。"
     u"ﾃﾞｰﾀﾌｧｲﾙは元のままです。\n空き容量を確かめてください。"},
    {MessageId::FileChangedOnDisk,
     u"ﾃﾞｰﾀﾌｧｲﾙ\n%1\nは、開いた後に他のプログラムが書き換えています。\n"
     u"上書きするとその変更が失われるため、保存を中止しました。"},
    {MessageId::FileChangedAskSave,
     u"ﾃﾞｰﾀﾌｧｲﾙ\n%1\nは、開いた後に他のプログラムが書き換えています。\n"
     u"上書きするとその変更は失われます。\n\n"
     u"はい: 上書きして保存する\nいいえ: 名前を付けて別のﾌｧｲﾙに保存する\n"
     u"キャンセル: 保存しない"},
    {MessageId::FileChangedAskReload,
     u"ﾃﾞｰﾀﾌｧｲﾙ\n%1\nは、他のプログラムが書き換えました。\n読み込み直しますか？"},
    {MessageId::RecoveryFound,
     u"ﾃﾞｰﾀﾌｧｲﾙ\n%1\nの保存されていない変更が残っています（%2 の時点）。\n"
     u"プログラムが正しく終了しなかったようです。\n"
     u"復元したﾃﾞｰﾀを開きますか？ ﾌｧｲﾙそのものは保存するまで元のままです。"},
    {MessageId::ProfileNotUtf8, u"取り込み設定のファイルが UTF-8 で書かれていません。"},
    {MessageId::ProfileTooLarge, u"取り込み設定のファイルが大きすぎます（%1 バイトまで）。"},
    {MessageId::ProfileUnknownKey, u"%1行目: 知らない設定です: %2"},
    {MessageId::ProfileRepeatedKey, u"%1行目: %2 が二度書かれています。"},
    {MessageId::ProfileBadValue, u"%1行目: %2 の値が正しくありません: %3"},
    {MessageId::ProfileColumnRange, u"%1行目: %2 の列の番号は 1 から %3 までです: %4"},
    {MessageId::ProfileNoDateColumn, u"日付の列（date-column）が書かれていません。"},
    {MessageId::ProfileNoNameColumn, u"品名の列（name-column）が書かれていません。"},
    {MessageId::ProfileNoAmountColumn,
     u"金額の列（amount-column、または income-column と expense-column "
     u"の両方）が書かれていません。"},
    {MessageId::ProfileMixedAmountColumns,
     u"amount-column と income-column・expense-column は一緒に使えません。"},
    {MessageId::ProfileRuleWithoutPattern,
     u"%1行目からの規則に、品名の条件（contains か regex）がありません。"},
    {MessageId::ProfileRuleWithoutItem, u"%1行目からの規則に、項目（item）がありません。"},
    {MessageId::ProfileRuleTwoPatterns,
     u"%1行目: 一つの規則に contains と regex の両方は書けません。"},
    {MessageId::ProfileBadRegex, u"%1行目: 正規表現が正しくありません: %2"},
    {MessageId::ProfileTooManyRules, u"%1行目: 規則は %2 個までです。"},
    {MessageId::ProfileDelimiterInShiftJis,
     u"%1行目: 区切り文字 %2 は Shift-JIS の文字の中にも現れます。encoding = utf-8 "
     u"のときだけ使えます。"},
    {MessageId::ProfileNotFound, u"取り込み設定が見つかりません: %1"},
    {MessageId::ProfileUnreadable, u"取り込み設定を読めません: %1\n%2"},
    {MessageId::StatementUnreadable, u"明細のファイルを読めません: %1"},
    {MessageId::StatementTooLarge, u"明細のファイルが大きすぎます（%1 MiB まで）。"},
    {MessageId::StatementUtf16,
     u"UTF-16 で書かれた明細は読めません。UTF-8 か Shift-JIS で保存し直してください。"},
    {MessageId::StatementTooManyLines,
     u"明細の行が多すぎます（%1 行まで）。%2行目から先は読んでいません。"},
    {MessageId::StatementMoneyUnnamed, u"取り込み先の%1を選んでください。"},
    {MessageId::StatementMoneyUnregistered,
     u"%1「%2」がこのデータに登録されていません。先に登録するか、別の%1を選んでください。"},
    {MessageId::StatementHasRefused,
     u"取り込めない行が %1 "
     u"行あります。\nその行を飛ばして取り込むことを選ぶまで、何も取り込みません。"},
    {MessageId::StatementStoreRefused,
     u"%1 の行を記入できませんでした。明細からは何も取り込んでいません。"},
    {MessageId::StatementImported,
     u"%1 行を取り込みました。\n取り込み済みのため飛ばした行: %2\n取り込めずに飛ばした行: %3"},
    {MessageId::StatementSyntax, u"CSV として読めません: %1"},
    {MessageId::StatementUndecodable, u"%1列目に %2 として読めない文字があります。"},
    {MessageId::StatementNul, u"%1列目に NUL 文字があります。"},
    {MessageId::StatementTooFewColumns, u"列が足りません（%1列目まで必要ですが %2 列です）。"},
    {MessageId::StatementDateUnreadable, u"日付が読めません: %1"},
    {MessageId::StatementDateBeforeEra, u"その元号にない日付です（元号が始まる前の日です）: %1"},
    {MessageId::StatementAmountUnreadable, u"金額が読めません: %1"},
    {MessageId::StatementAmountDecimals, u"金額の小数点以下の桁が多すぎます: %1"},
    {MessageId::StatementAmountRange, u"金額が扱える範囲を超えています: %1"},
    {MessageId::StatementAmountMissing, u"金額がありません。"},
    {MessageId::StatementAmountBoth, u"入金と出金の両方に金額があります: %1 / %2"},
    {MessageId::StatementAmountZero, u"金額がゼロです。"},
    {MessageId::StatementNameTooLong, u"品名が長すぎます（%1 文字まで）。"},
    {MessageId::StatementMemoTooLong, u"メモが長すぎます（%1 文字まで）。"},
    {MessageId::StatementNoItem, u"項目が決まりません。項目を選んでください。"},
    {MessageId::StatementDefaultItemMissing,
     u"既定の項目「%1」がこのデータにありません。項目を選んでください。"},
    {MessageId::StatementRuleAccountMissing, u"規則の%1「%2」がこのデータに登録されていません。"},
    {MessageId::StatementSameAccount, u"取り込み先と同じ%1「%2」との振替になります。"},
    {MessageId::HelpPageMissing,
     u"ヘルプのページ\n%1\nが見つかりませんでした。\n"
     u"そらみを入れ直すと、マニュアルも元に戻ります。"},
    {MessageId::IntegerOutOfRange, u"%1 から %2 までの整数を入力してください。"},
    {MessageId::CardPaymentNotStored,
     u"カード「%1」の%2年%3月締めの支払い %4 は、自動記入の設定が一杯のため登録できません"
     u"でした。\n自動記入の設定を減らしてからデータを開き直すと、この月から決済します。"},
    {MessageId::MoveReversed, u"移動元データの期間が反転しています。"},
    {MessageId::MoveSidesDiffer, u"移動元と移動先で収入(支出)が異なっていますが、続行しますか？"},
    {MessageId::ExpenseItemsFull,
     u"支出項目が最大登録数に達しています。\nこれ以上は登録出来ません。"},
    {MessageId::IncomeItemsFull,
     u"収入項目が最大登録数に達しています。\nこれ以上は登録出来ません。"},
    {MessageId::PseudoItemUndeletable, u"[貯蓄],[借入]項目は削除できません。"},
    {MessageId::ConfirmDeleteItemLines,
     u"この項目に入力されているデータがあります。\nこのデータを削除しますが、よろしいですか？\n"
     u"（削除されるデータ %1 個、うち組のデータ %2 個）"},
    {MessageId::ConfirmDeleteItemRules,
     u"この項目に関連した自動記入のデータがあります。\nこの設定も削除しますが、よろしいですか？\n"
     u"（削除される自動記入の設定 %1 個）"},
    {MessageId::SelectItemOf, u"%1項目を選択してください。"},
    {MessageId::NothingMoved, u"移動されたデータはありませんでした！"},
    {MessageId::EntriesMoved, u"%d 個のデータが移動されました。"},
    {MessageId::MoveOutsideCalendar,
     u"移動先の日付が扱える範囲（1971年1月1日～9999年12月30日）を超えるため、移動できません。"},
    {MessageId::ItemNameTooLong, u"項目名は%1文字以内にしてください。"},
    {MessageId::ConfirmMoveLines,
     u"%1 個のデータを移動します。よろしいですか？\n"
     u"移動は［編集］の［元に戻す］で取り消せます。"},
    {MessageId::MoveTransferItem, u"[貯蓄],[借入]項目のデータは項目間で移動できません。"},
    {MessageId::CashChangeNeedsItem, u"調整データを記載する項目を選択してください。"},
    {MessageId::ConfirmInitialCashChange,
     u"初期残高を %1 から %2 に変更します（差額 %3）。\n"
     u"過去のすべての残高が変わりますが、よろしいですか？"},
    {MessageId::CashChangeOutsideCalendar, u"この日付には調整データを記入できません。"},
};

}  // namespace

std::u16string_view messageText(MessageId id) {
  for (const Entry& e : kMessages) {
    if (e.id == id) return e.text;
  }
  return u"";
}

std::u16string formatMessage(std::u16string_view text, const std::vector<std::u16string>& args) {
  std::u16string out;
  out.reserve(text.size() + 16);
  size_t next = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (c != u'%' || i + 1 >= text.size()) {
      out.push_back(c);
      continue;
    }
    const char16_t n = text[i + 1];
    if (n == u'%') {
      out.push_back(u'%');
      ++i;
    } else if (n >= u'1' && n <= u'9') {
      const size_t k = static_cast<size_t>(n - u'1');
      if (k < args.size()) out += args[k];
      ++i;
    } else if (n == u'd' || n == u's' || n == u'u' || (n == u'l' && i + 2 < text.size())) {
      if (next < args.size()) out += args[next];
      ++next;
      i += (n == u'l') ? 2 : 1;
    } else {
      out.push_back(c);
    }
  }
  return out;
}

std::u16string formatMessage(MessageId id, const std::vector<std::u16string>& args) {
  return formatMessage(messageText(id), args);
}

}  // namespace sorami
