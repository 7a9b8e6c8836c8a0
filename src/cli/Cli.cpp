#include "cli/Cli.h"

#include <functional>
#include <map>
#include <ostream>

#include "cli/Commands.h"
#include "platform/Version.h"

namespace sorami::cli {

namespace {

const char* const kUsage =
    "使い方: sorami-cli <コマンド> [引数]\n"
    "\n"
    "コマンド:\n"
    "  dump FILE            データファイルを JSON で表示する\n"
    "  resave IN OUT        データファイルを読み込んで書き戻す\n"
    "  new FILE             新規データファイルを作成する\n"
    "                       [--cash N] [--no-samples] [--tax-rate R] [--force]\n"
    "  check FILE           データファイルを開いて状態を JSON で表示する\n"
    "  balance FILE         日の始めの現金・口座・借入の残高と総資産: --date YYYY-MM-DD\n"
    "  totals FILE          日または期間の集計と項目ごとの合計・予算\n"
    "                       --date YYYY-MM-DD --mode day|period\n"
    "  period FILE          日を含む締め期間: --date YYYY-MM-DD\n"
    "  holidays             年の祝日と休日: --year Y [--file FILE]\n"
    "  matrix FILE          月別集計表: --year Y --month M --months N (1～60)\n"
    "  add FILE             明細を1行追加して保存する\n"
    "                       --date YYYY-MM-DD --item 項目 --name 品名 --amount 金額 [--memo M]\n"
    "                       [--tax outside|inside] (ファイルの税率と端数処理で税の明細も書く)\n"
    "  close-period FILE    期首処理: --date YYYY-MM-DD --out NEW\n"
    "  generate FILE        見本の家計簿を作成する（同じ --seed なら同じ内容）\n"
    "                       --entries N [--seed S] [--years Y] [--force]\n"
    "  export FILE          明細を書き出す: --format csv|json|ledger\n"
    "                       [--from YYYY-MM-DD] [--to YYYY-MM-DD] [--out PATH]\n"
    "  import FILE CSV      csv で書き出した明細を取り込む [--day YYYY-MM-DD]\n"
    "  budget FILE          予算と実績: --month YYYY-MM [--side expense|income]\n"
    "                       [--item 項目 --set 金額 [--standard]] (予算を設定して保存する)\n"
    "  annual FILE          総集計表: --end YYYY-MM --months N (1～60)\n"
    "  graph FILE           グラフの系列: --kind assets|expense|income|item|names|product|pie\n"
    "                       [--item 項目] [--name 品名] --end YYYY-MM --months N\n"
    "                       [--from YYYY-MM-DD --to YYYY-MM-DD] [--out PATH.png|.svg|.pdf]\n"
    "  diary FILE           月の日記: --month YYYY-MM\n"
    "                       日の日記: --date YYYY-MM-DD [--set TEXT | --set-file PATH]\n"
    "  diary-search FILE    日記を語で探す: --date YYYY-MM-DD --keyword K\n"
    "                       --direction earlier|later\n"
    "  search FILE          明細を探す [--item 項目|all] [--keyword K] [--memo]\n"
    "                       [--from YYYY-MM-DD] [--to YYYY-MM-DD]\n"
    "  calendar             月のカレンダー: --month YYYY-MM [--file FILE]\n"
    "  names FILE           項目の特別品名（行は 1 から）: --item 項目\n"
    "                       [--add 品名 [--at K] | --change 旧 --to 新 [--rename-entries]\n"
    "                        | --delete 品名 | --move 行 --by ±1]\n"
    "  accounts FILE        口座と借入の一覧と日の始めの残高 [--date YYYY-MM-DD]\n"
    "  account FILE         口座・借入の変更: --kind account|loan と\n"
    "                       --register 名前 [--initial N] | --rename 旧 --to 新\n"
    "                       | --cancel 名前 | --set-initial 名前 --to N\n"
    "  import-statement FILE CSV\n"
    "                       銀行・カードの明細を取り込む: --profile 取り込み設定\n"
    "                       [--money cash|account:口座名|loan:借入名] [--dry-run] "
    "[--skip-refused]\n"
    "  rules FILE           自動記入の設定の一覧\n"
    "                       [--due --from YYYY-MM-DD --to YYYY-MM-DD]: その間に記入される行\n"
    "  rule FILE            自動記入の設定を変えて保存する: --add TEXT | --edit INDEX TEXT |\n"
    "                       --delete INDEX | --move INDEX --by ±1 (INDEX は 1 から)\n"
    "  run-due FILE         起動時の自動記入を行って保存する [--today YYYY-MM-DD] [--yes]\n"
    "  cards FILE           クレジットカードの借入とその設定の一覧\n"
    "  card FILE            カードの設定を変えて保存する: --loan 借入名 [--closing-day N]\n"
    "                       [--payment-day N] [--payment-account 口座名] [--payment-offset N]\n"
    "                       [--next-closing YYYY-MM] [--closing-holiday|--payment-holiday\n"
    "                        stay|before|after] [--revolving fixed|rate|off [--amount N]\n"
    "                        [--bound N] [--rate R] [--minimum N] [--fee-rate R]\n"
    "                        [--fee-added-to payment|balance] [--first-fee none|pay]] [--off]\n"
    "  settle FILE          締日を過ぎたカードを決済して保存する [--dry-run]\n"
    "  tax                  消費税を計算する: --amount 金額 --rate 税率\n"
    "                       --mode outside|inside|none --rounding down|half|up\n"
    "                       [--ten-yen] [--decimals D]\n"
    "  calc                 数値欄の電卓でキーを計算する: --keys \"2+3*4=\"\n"
    "                       [--decimals D] [--precedence on|off]\n"
    "  items FILE           項目の一覧（位置・番号・収支・明細数・自動記入数）\n"
    "  item FILE            項目の変更: --add 名前 --side expense|income [--at 位置]\n"
    "                       | --delete 名前 | --rename 旧 --to 新 | --swap A B\n"
    "  move FILE            データ移動: --from D --to D --shift-days N [--diary]\n"
    "                       | [--from D --to D] --item A --to-item B\n"
    "                       | --date D --item A --to-date D2\n"
    "  adjust-cash FILE     日の終わりの現金残高を修正する: --date D --balance N\n"
    "                       [--mode entry|initial]\n"
    "  (item, move, adjust-cash は --dry-run で保存せずに結果だけを表示します)\n"
    "  (開く・保存するコマンドは --password P と --yes を受け付けます)\n"
    "  (ファイルを開くコマンドは --today YYYY-MM-DD で今日の日付を指定できます)\n"
    "  (締め期間と祝日を使うコマンドは --holiday-file PATH で祝日ファイルを指定できます)\n"
    "  --help               この説明を表示する\n"
    "  --version            バージョンを表示する\n";

}  // namespace

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.empty()) {
    err << kUsage;
    return kExitUsage;
  }
  const std::string& command = args[0];
  if (command == "--help" || command == "-h" || command == "help") {
    out << kUsage;
    return kExitOk;
  }
  if (command == "--version") {
    out << "sorami-cli " << kVersion << "\n";
    return kExitOk;
  }
  const std::vector<std::string> rest(args.begin() + 1, args.end());
  for (const Command& c : commands()) {
    if (command == c.name) return c.run(rest, out, err);
  }
  err << "sorami-cli: 不明なコマンドです: " << command << "\n" << kUsage;
  return kExitUsage;
}

}  // namespace sorami::cli
