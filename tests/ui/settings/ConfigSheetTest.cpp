#include "settings/ConfigSheet.h"

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <functional>

#include "ui/settings/SheetFixture.h"

namespace sorami {
namespace {

using test::SheetFixture;

enum : int {
  P_INPUT1 = ConfigSheet::Input1,
  P_INPUT2 = ConfigSheet::Input2,
  P_DISPLAY = ConfigSheet::Display,
  P_CLOSING = ConfigSheet::Closing,
  P_CALC = ConfigSheet::Calculation,
  P_REST = ConfigSheet::RestDays,
  P_OTHER = ConfigSheet::Other,
};

TEST(ConfigSheet, HasTheSevenPagesInOrderUnderItsTitle) {
  SheetFixture f;
  EXPECT_EQ(f.sheet->windowTitle(), QStringLiteral(u"動作環境"));
  const QStringView titles[] = {u"入力1", u"入力２", u"表示", u"締日", u"計算", u"休日", u"その他"};
  ASSERT_EQ(f.sheet->tabs()->count(), 7);
  for (int i = 0; i < 7; ++i) EXPECT_EQ(f.sheet->tabs()->tabText(i), titles[i]);
}

TEST(ConfigSheet, ShowsTheValuesOfTheRecordAndTheDevice) {
  SheetFixture f;
  EXPECT_FALSE(f.field<QCheckBox>(P_INPUT1, u"品名が空白ならﾃﾞｰﾀとして記載しない")->isChecked());
  EXPECT_TRUE(f.field<QCheckBox>(P_INPUT1, u"金額が０ならﾃﾞｰﾀとして記載しない")->isChecked());
  EXPECT_EQ(f.field<QLineEdit>(P_INPUT2, u"品名とﾒﾓの区切り文字")->text(), u"、,");
  EXPECT_EQ(f.field<QSpinBox>(P_INPUT2, u"過去の入力を探す日数")->value(), 30);
  EXPECT_EQ(f.field<QComboBox>(P_INPUT2, u"ﾃﾝｷｰの[.]ｷｰ")->currentText(), u"00");
  EXPECT_EQ(f.field<QComboBox>(P_INPUT2, u"ﾌｧｲﾙを開いた時のかなｷｰ")->currentIndex(), 2);
  EXPECT_EQ(f.field<QLineEdit>(P_INPUT2, u"通貨記号")->text(), u"$");
  EXPECT_EQ(f.field<QSpinBox>(P_INPUT2, u"小数点以下の桁数")->value(), 2);
  // Widths are shown as columns, kept above their smallest value.
  EXPECT_EQ(f.field<QSpinBox>(P_DISPLAY, u"品名の桁数")->value(), 17);
  EXPECT_EQ(f.field<QSpinBox>(P_DISPLAY, u"金額の桁数")->value(), 9);
  EXPECT_EQ(f.field<QSpinBox>(P_DISPLAY, u"特別品名ﾘｽﾄの行数")->value(), 9);
  EXPECT_FALSE(f.field<QCheckBox>(P_DISPLAY, u"白黒画面で使う")->isChecked());
  EXPECT_EQ(f.field<QSpinBox>(P_CLOSING, u"締日 (31は月末)")->value(), 25);
  EXPECT_EQ(f.field<QComboBox>(P_CLOSING, u"締日が休日の時")->currentText(), u"休祝日後");
  EXPECT_EQ(f.field<QLineEdit>(P_CALC, u"税の名称")->text(), u"VAT");
  EXPECT_DOUBLE_EQ(f.field<QDoubleSpinBox>(P_CALC, u"税率")->value(), 8);
  EXPECT_EQ(f.field<QComboBox>(P_CALC, u"端数（小数点以下）")->currentText(), u"四捨五入");
  EXPECT_EQ(f.field<QComboBox>(P_CALC, u"電卓表示時の税ﾓｰﾄﾞ")->currentText(), u"外税");
  EXPECT_EQ(f.field<QComboBox>(P_CALC, u"税の記入先 支出項目")->currentText(), u"税金");
  EXPECT_EQ(f.field<QComboBox>(P_CALC, u"税の記入先 収入項目")->currentText(), u"データと同じ");
  EXPECT_TRUE(f.field<QCheckBox>(P_REST, u"日")->isChecked());
  EXPECT_FALSE(f.field<QCheckBox>(P_REST, u"水")->isChecked());
  EXPECT_TRUE(f.field<QCheckBox>(P_REST, u"土")->isChecked());
  EXPECT_EQ(f.field<QComboBox>(P_OTHER, u"ﾌｧｲﾙを開いた時の処理日")->currentIndex(), 1);
  EXPECT_EQ(f.field<QSpinBox>(P_OTHER, u"処理日の補正")->value(), -2);
  EXPECT_EQ(f.field<QSpinBox>(P_OTHER, u"時計の補正")->value(), 5);
  EXPECT_TRUE(f.field<QCheckBox>(P_OTHER, u"デバッグメッセージ表示")->isChecked());
}

TEST(ConfigSheet, OkWritesTheChangedFieldsOfTheShownPagesOnly) {
  SheetFixture f;
  f.field<QCheckBox>(P_INPUT1, u"品名が空白ならﾃﾞｰﾀとして記載しない")->setChecked(true);
  f.showPage(P_DISPLAY);
  f.field<QSpinBox>(P_DISPLAY, u"品名の桁数")->setValue(20);
  f.field<QCheckBox>(P_DISPLAY, u"白黒画面で使う")->setChecked(true);
  f.showPage(P_CALC);
  f.field<QComboBox>(P_CALC, u"税の記入先 収入項目")->setCurrentIndex(2);
  // Never brought to the front: its change is not written.
  f.field<QSpinBox>(P_CLOSING, u"締日 (31は月末)")->setValue(10);
  f.pressOk();

  EXPECT_EQ(f.sheet->result(), QDialog::Accepted);
  CConfig expected = f.original;
  expected.skipBlankNames = 1;
  expected.nameWidth = 6;
  expected.taxIncomeItem = 15;
  EXPECT_EQ(f.config, expected);
  EXPECT_EQ(f.device, (ConfigSheetDevice{1, 1, P_CALC}));
}

TEST(ConfigSheet, CancelWritesNothingButRemembersThePage) {
  SheetFixture f;
  f.showPage(P_OTHER);
  f.field<QSpinBox>(P_OTHER, u"時計の補正")->setValue(-3);
  f.field<QCheckBox>(P_OTHER, u"デバッグメッセージ表示")->setChecked(false);
  f.pressCancel();
  EXPECT_EQ(f.config, f.original);
  EXPECT_EQ(f.device, (ConfigSheetDevice{0, 1, P_OTHER}));
  EXPECT_EQ(f.sheet->changes(), ConfigChanges{});
}

TEST(ConfigSheet, OpensOnTheLastPageShownAndCountsItAsShown) {
  SheetFixture f(test::sampleConfig(), {0, 0, P_CLOSING});
  EXPECT_EQ(f.sheet->tabs()->currentIndex(), P_CLOSING);
  f.field<QSpinBox>(P_CLOSING, u"締日 (31は月末)")->setValue(10);
  f.pressOk();
  EXPECT_EQ(f.config.closingDay, 10);
}

TEST(ConfigSheet, SpinBoxesStayWithinTheirRanges) {
  struct Range {
    int page;
    const char16_t* label;
    int min, max;
  };
  const Range ranges[] = {
      {P_INPUT2, u"過去の入力を探す日数", -1, 999},
      {P_INPUT2, u"小数点以下の桁数", 0, 3},
      {P_DISPLAY, u"特別品名ﾘｽﾄの行数", 3, 25},
      {P_DISPLAY, u"品名の桁数", 14, 20},
      {P_DISPLAY, u"金額の桁数", 7, 9},
      {P_CLOSING, u"締日 (31は月末)", 1, 31},
      {P_OTHER, u"処理日の補正", -10, 10},
      {P_OTHER, u"時計の補正", -24, 24},
  };
  SheetFixture f;
  for (const Range& r : ranges) {
    SCOPED_TRACE(QString::fromUtf16(r.label).toStdString());
    QSpinBox* box = f.field<QSpinBox>(r.page, QString::fromUtf16(r.label));
    ASSERT_NE(box, nullptr);
    box->setValue(r.max + 1);
    EXPECT_EQ(box->value(), r.max);
    box->stepUp();
    EXPECT_EQ(box->value(), r.max);
    box->setValue(r.min - 1);
    EXPECT_EQ(box->value(), r.min);
  }
  auto* rate = f.field<QDoubleSpinBox>(P_CALC, u"税率");
  rate->setValue(100.5);
  EXPECT_DOUBLE_EQ(rate->value(), 100);
  EXPECT_EQ(f.field<QComboBox>(P_INPUT2, u"ﾃﾝｷｰの[.]ｷｰ")->count(), 5);
  EXPECT_EQ(f.field<QComboBox>(P_INPUT2, u"ﾌｧｲﾙを開いた時のかなｷｰ")->count(), 3);
}

TEST(ConfigSheet, TextFieldsKeepTheirLengthAndAnEmptySymbolBecomesTheDefault) {
  SheetFixture f;
  f.showPage(P_INPUT2);
  auto* delimiters = f.field<QLineEdit>(P_INPUT2, u"品名とﾒﾓの区切り文字");
  delimiters->clear();
  delimiters->insert(QString(101, u'|'));
  EXPECT_EQ(delimiters->text().size(), 100);
  auto* symbol = f.field<QLineEdit>(P_INPUT2, u"通貨記号");
  symbol->clear();
  symbol->insert(QStringLiteral("EU"));
  EXPECT_EQ(symbol->text(), u"E");
  symbol->clear();
  f.pressOk();
  EXPECT_EQ(f.config.delimiters, std::u16string(100, u'|'));
  EXPECT_EQ(f.config.currencySymbol, u"\\");
}

TEST(ConfigSheet, AllSevenRestDaysAreRefusedAndTheSheetStaysOpen) {
  SheetFixture f;
  f.showPage(P_REST);
  for (const char16_t* day : {u"日", u"月", u"火", u"水", u"木", u"金", u"土"}) {
    f.field<QCheckBox>(P_REST, QString::fromUtf16(day))->setChecked(true);
  }
  f.showPage(P_INPUT1);
  f.pressOk();
  EXPECT_TRUE(f.prompts.wasShown(MessageId::AllRestDaysRefused));
  EXPECT_EQ(f.prompts.shown.at(0).text, u"全て休日にする事はできません。");
  EXPECT_TRUE(f.sheet->isVisible());
  EXPECT_EQ(f.sheet->tabs()->currentIndex(), P_REST);
  EXPECT_EQ(f.config, f.original);

  f.field<QCheckBox>(P_REST, u"水")->setChecked(false);
  f.pressOk();
  EXPECT_FALSE(f.sheet->isVisible());
  EXPECT_EQ(f.config.weeklyRestDays, 0x77);
}

TEST(ConfigSheet, TaxItemListsStartWithSameAsData) {
  struct Case {
    const char* name;
    int expenseIndex;
    int incomeIndex;
    int asData, expenseItem, incomeItem;
  };
  // Items of the sample: expense 0 食費, 1 日用品, 3 税金; income 14 給料, 15 雑収入.
  const Case cases[] = {
      {"same as data", 0, 0, 1, 0, -1},
      {"chosen items", 2, 1, 0, 1, 14},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CConfig start = test::sampleConfig();
    start.taxIncomeItem = 15;
    SheetFixture f(start);
    f.showPage(P_CALC);
    auto* expense = f.field<QComboBox>(P_CALC, u"税の記入先 支出項目");
    ASSERT_EQ(expense->count(), 4);
    EXPECT_EQ(expense->itemText(0), u"データと同じ");
    expense->setCurrentIndex(c.expenseIndex);
    f.field<QComboBox>(P_CALC, u"税の記入先 収入項目")->setCurrentIndex(c.incomeIndex);
    f.pressOk();
    EXPECT_EQ(f.config.taxItemAsData, c.asData);
    EXPECT_EQ(f.config.taxExpenseItem, c.expenseItem);
    EXPECT_EQ(f.config.taxIncomeItem, c.incomeItem);
  }
}

TEST(ConfigSheet, ValuesOutsideTheOfferedRangesStayUnlessTheUserSetsThem) {
  CConfig start = test::sampleConfig();
  start.closingDay = 40;
  start.closingHolidayRule = 7;
  start.taxExpenseItem = 65535;
  SheetFixture f(start);
  f.showPage(P_CLOSING);
  f.showPage(P_CALC);
  EXPECT_EQ(f.field<QComboBox>(P_CALC, u"税の記入先 支出項目")->currentIndex(), 0);
  f.pressOk();
  EXPECT_EQ(f.config, f.original);
  EXPECT_FALSE(f.sheet->changes().settings);
}

TEST(ConfigSheet, ReportsWhatTheMainWindowMustRedo) {
  struct Case {
    const char* name;
    int page;
    std::function<void(SheetFixture&)> edit;
    ConfigChanges expected;
  };
  auto spin = [](int page, const char16_t* label, int value) {
    return [=](SheetFixture& f) { f.field<QSpinBox>(page, label)->setValue(value); };
  };
  auto check = [](int page, const char16_t* label) {
    return [=](SheetFixture& f) {
      QCheckBox* box = f.field<QCheckBox>(page, label);
      box->setChecked(!box->isChecked());
    };
  };
  const Case cases[] = {
      {"decimal places",
       P_INPUT2,
       spin(P_INPUT2, u"小数点以下の桁数", 0),
       {.settings = true, .decimalPlaces = true}},
      {"amount digits",
       P_DISPLAY,
       spin(P_DISPLAY, u"金額の桁数", 8),
       {.settings = true, .listLayout = true}},
      {"savings in totals",
       P_DISPLAY,
       check(P_DISPLAY, u"貯蓄の入出金を収入,支出合計に加える"),
       {.settings = true, .totals = true}},
      {"loans in totals",
       P_DISPLAY,
       check(P_DISPLAY, u"借入の入出金を収入,支出合計に加える"),
       {.settings = true, .totals = true}},
      {"colour table", P_DISPLAY, check(P_DISPLAY, u"白黒画面で使う"), {.displayColor = true}},
      {"closing day",
       P_CLOSING,
       spin(P_CLOSING, u"締日 (31は月末)", 20),
       {.settings = true, .processingDay = true}},
      {"same-week closing",
       P_CLOSING,
       check(P_CLOSING, u"土>金,日>月"),
       {.settings = true, .processingDay = true}},
      {"rest days", P_REST, check(P_REST, u"金"), {.settings = true, .processingDay = true}},
      {"tax rounding",
       P_CALC,
       [](SheetFixture& f) {
         f.field<QComboBox>(P_CALC, u"端数（小数点以下）")->setCurrentIndex(0);
       },
       {.settings = true}},
      {"nothing", P_OTHER, [](SheetFixture&) {}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SheetFixture f;
    f.showPage(c.page);
    c.edit(f);
    f.pressOk();
    EXPECT_EQ(f.sheet->changes(), c.expected);
  }
}

TEST(ConfigSheet, JapaneseLabelsRenderAndPagesCanBePictured) {
  SheetFixture f;
  f.sheet->resize(f.sheet->sizeHint());
  const QFontMetrics metrics(f.sheet->font());
  for (QChar ch : QStringLiteral(u"動作環境締日休ﾃﾞｰﾀ"))
    EXPECT_TRUE(metrics.inFont(ch)) << int(ch.unicode());
  for (int page : {P_INPUT1, P_CLOSING, P_CALC, P_REST}) {
    f.showPage(page);
    const QPixmap picture = f.sheet->grab();
    EXPECT_FALSE(picture.isNull());
    picture.save(QStringLiteral("settings-sheet-%1.png").arg(page));
  }
}

}  // namespace
}  // namespace sorami
