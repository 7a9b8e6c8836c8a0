#include "settings/InputPage2.h"

#include <QLineEdit>

namespace sorami {

InputPage2::InputPage2(const CConfig& c, QWidget* parent) : ConfigPage(parent) {
  addText(QStringLiteral(u"品名とﾒﾓの区切り文字"), c.delimiters, static_cast<int>(kMaxDelimiters),
          &CConfig::delimiters, std::u16string());
  addNumber(QStringLiteral(u"過去の入力を探す日数"), c, &CConfig::searchDepth, -1, 999);
  addChoice(QStringLiteral(u"ﾃﾝｷｰの[.]ｷｰ"), c, &CConfig::keypadPointKey,
            {QStringLiteral(u"無視する"), QStringLiteral(u"000"), QStringLiteral(u"ｵｰﾙｸﾘｱ"),
             QStringLiteral(u"00"), QStringLiteral(u"＝")});
  addChoice(
      QStringLiteral(u"ﾌｧｲﾙを開いた時のかなｷｰ"), c, &CConfig::kanaKeyControl,
      {QStringLiteral(u"何もしない"), QStringLiteral(u"OFFにする"), QStringLiteral(u"ONにする")});
  // An emptied symbol reads back as the default one, so it is written as that.
  addText(QStringLiteral(u"通貨記号"), c.currencySymbol, 1, &CConfig::currencySymbol, u"\\");
  addNumber(QStringLiteral(u"小数点以下の桁数"), c, &CConfig::decimalPlaces, 0, 3);
}

}  // namespace sorami
