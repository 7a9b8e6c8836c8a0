#include "settings/InputPage1.h"

namespace sorami {

InputPage1::InputPage1(const CConfig& c, QWidget* parent) : ConfigPage(parent) {
  addFlag(QStringLiteral(u"品名が空白ならﾃﾞｰﾀとして記載しない"), c, &CConfig::skipBlankNames);
  addFlag(QStringLiteral(u"金額が０ならﾃﾞｰﾀとして記載しない"), c, &CConfig::skipZeroAmounts);
  addFlag(QStringLiteral(u"品名の入力時に特別品名ﾘｽﾄを表示する"), c, &CConfig::showSpecialNameList);
  addFlag(QStringLiteral(u"集計ﾓｰﾄﾞでは特別品名ﾘｽﾄを表示しない"), c, &CConfig::hideListInSummary);
  addFlag(QStringLiteral(u"特別品名を番号で選択する"), c, &CConfig::specialNamesByNumber);
  addFlag(QStringLiteral(u"前回の入力内容を残す"), c, &CConfig::keepPreviousInput);
  addFlag(QStringLiteral(u"項目を選んだら品名の入力に移る"), c, &CConfig::jumpToNameAfterItem);
  addFlag(QStringLiteral(u"金額の入力時に電卓を表示する"), c, &CConfig::calculatorOnAmount);
  addFlag(QStringLiteral(u"電卓の[現金から]を既定のﾎﾞﾀﾝにする"), c,
          &CConfig::calculatorCashDefault);
  addFlag(QStringLiteral(u"金額の入力後にﾒﾓを入力する"), c, &CConfig::memoAfterAmount);
}

}  // namespace sorami
