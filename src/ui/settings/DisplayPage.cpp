#include "settings/DisplayPage.h"

namespace sorami {

DisplayPage::DisplayPage(const CConfig& c, const ConfigSheetDevice& device, QWidget* parent)
    : ConfigPage(parent) {
  addFlag(QStringLiteral(u"自動記入の前に確認する"), c, &CConfig::confirmAutoEntries);
  addFlag(QStringLiteral(u"ﾃﾞｰﾀの削除時に確認する"), c, &CConfig::confirmDeletion);
  addFlag(QStringLiteral(u"ﾃﾞｰﾀ変更後の保存時に確認する"), c, &CConfig::confirmSaveAfterChange);
  addNumber(QStringLiteral(u"特別品名ﾘｽﾄの行数"), c, &CConfig::specialNameRows, 3, 25);
  // The record keeps the widths above their smallest value.
  addNumber(QStringLiteral(u"品名の桁数"), c, &CConfig::nameWidth, 14, 20, 14);
  addNumber(QStringLiteral(u"金額の桁数"), c, &CConfig::amountDigits, 7, 9, 7);
  addFlag(QStringLiteral(u"貯蓄の入出金を収入,支出合計に加える"), c, &CConfig::savingsInTotals);
  addFlag(QStringLiteral(u"借入の入出金を収入,支出合計に加える"), c, &CConfig::loansInTotals);
  addFlag(QStringLiteral(u"表示ﾓｰﾄﾞを終了時に保存する"), c, &CConfig::saveDisplayMode);
  addFlag(QStringLiteral(u"白黒画面で使う"), device.displayColor == 1,
          [](CConfig&, ConfigSheetDevice& to, bool on) { to.displayColor = on ? 1 : 0; });
}

}  // namespace sorami
