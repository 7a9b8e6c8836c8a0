#include "settings/OtherPage.h"

#include <QSpinBox>

namespace sorami {

OtherPage::OtherPage(const CConfig& c, const ConfigSheetDevice& device, QWidget* parent)
    : ConfigPage(parent) {
  addChoice(QStringLiteral(u"ﾌｧｲﾙを開いた時の処理日"), c, &CConfig::openDayMode,
            {QStringLiteral(u"今日"), QStringLiteral(u"最後に記入した日"),
             QStringLiteral(u"最後に開いていた日")});
  addNumber(QStringLiteral(u"処理日の補正"), c, &CConfig::dayOffset, -10, 10)
      ->setSuffix(QStringLiteral(u" 日"));
  addNumber(QStringLiteral(u"時計の補正"), c, &CConfig::hourOffset, -24, 24)
      ->setSuffix(QStringLiteral(u" 時間"));
  addFlag(QStringLiteral(u"[PageUp]と[PageDown]を入れ替える"), c, &CConfig::swapPageKeys);
  addFlag(QStringLiteral(u"ﾏｲﾅｽ金額で預入と引出,借入と返済を入れ替える"), c,
          &CConfig::swapNegativeTransfers);
  addFlag(QStringLiteral(u"デバッグメッセージ表示"), device.debug != 0,
          [](CConfig&, ConfigSheetDevice& to, bool on) { to.debug = on ? 1 : 0; });
}

}  // namespace sorami
