#include "config/DefaultData.h"

#include <algorithm>
#include <array>
#include <string>
#include <string_view>

#include "config/Config.h"

namespace sorami {

namespace {

constexpr uint16_t kExpenseItemFlags = 0x8100;
constexpr uint16_t kIncomeItemFlags = 0x8200;
constexpr uint16_t kSavingsFlag = 0x4000;
constexpr uint16_t kLoanFlag = 0x2000;
constexpr uint16_t kSpecialNameFlags = 0x1000;

// The item options kept in the memo of an item definition.
constexpr std::u16string_view kOptionsBoth = u"3";
constexpr std::u16string_view kOptionsBudget = u"2";
constexpr std::u16string_view kOptionsNone = u"0";
constexpr std::u16string_view kVacantName = u"* 未使用 *";

constexpr std::array<std::u16string_view, 12> kExpenseNames = {
    u"旅費、交通", u"通信",       u"接待、交際", u"書籍、情報", u"食費", u"事務用品",
    u"その他支出", u"住居、公金", u"保健衛生",   u"衣服",       u"娯楽", u"税金"};
constexpr uint16_t kTaxItem = 11;
static_assert(kExpenseNames[kTaxItem] == u"税金");
constexpr std::array<std::u16string_view, 3> kIncomeNames = {u"所得", u"配当", u"雑収入"};

// The sample special names, each with its item as numbered in a file of the minimum counts.
struct SampleName {
  uint16_t item;
  std::u16string_view name;
};
constexpr SampleName kSampleNames[] = {
    {0, u"電車賃"},         {0, u"バス代"},   {0, u"タクシー代"},   {0, u"定期代"},
    {0, u"宿泊費"},         {0, u"航空賃"},   {0, u"その他"},       {1, u"郵便料金"},
    {1, u"電話料金"},       {1, u"携帯電話"}, {1, u"PHS"},          {1, u"ポケベル"},
    {1, u"インターネット"}, {1, u"その他"},   {2, u"贈答品"},       {2, u"慶弔金"},
    {2, u"飲食費"},         {2, u"その他"},   {3, u"新聞"},         {3, u"雑誌"},
    {3, u"書籍"},           {3, u"ソフト"},   {3, u"その他"},       {4, u"朝食"},
    {4, u"昼食"},           {4, u"夕食"},     {4, u"外食費"},       {4, u"飲料"},
    {4, u"その他"},         {5, u"文房具"},   {5, u"消耗品"},       {5, u"その他"},
    {6, u"その他支出"},     {7, u"電気料金"}, {7, u"ガス料金"},     {7, u"水道料金"},
    {7, u"灯油料金"},       {7, u"NHK料金"},  {7, u"家賃"},         {7, u"その他"},
    {8, u"医療費"},         {8, u"薬代"},     {8, u"理髪代"},       {8, u"美容費"},
    {8, u"化粧品"},         {8, u"その他"},   {9, u"クリーニング"}, {9, u"衣料"},
    {9, u"身の回り品"},     {9, u"その他"},   {10, u"参考書"},      {10, u"パソコン"},
    {10, u"その他"},        {11, u"消費税"},  {11, u"所得税"},      {11, u"住民税"},
    {11, u"社会保険料"},    {11, u"年金"},    {11, u"その他"},      {14, u"給与"},
    {14, u"賞与"},          {14, u"その他"},  {15, u"利子"},        {15, u"その他"},
};
static_assert(std::size(kSampleNames) == 64);

class Builder {
 public:
  explicit Builder(CHinmeiList& list) : list_(list) {}

  void definition(uint16_t number, uint16_t flags, std::u16string_view name,
                  std::u16string_view memo, int32_t amount = 0) {
    list_.addAtEnd(
        CHinmei(MinDay, number, flags, std::u16string(name), std::u16string(memo), amount));
  }

 private:
  CHinmeiList& list_;
};

void addExpenseItems(Builder& b, int expense) {
  uint16_t n = 0;
  for (std::u16string_view name : kExpenseNames)
    b.definition(n++, kExpenseItemFlags, name, kOptionsBoth);
  while (n < expense - 2) b.definition(n++, kExpenseItemFlags, kVacantName, kOptionsNone);
  b.definition(n++, kExpenseItemFlags | kSavingsFlag, u"貯蓄入", kOptionsBudget);
  b.definition(n, kExpenseItemFlags | kLoanFlag, u"借入返済", kOptionsBudget);
}

void addIncomeItems(Builder& b, int expense, int income) {
  auto n = static_cast<uint16_t>(expense);
  for (std::u16string_view name : kIncomeNames)
    b.definition(n++, kIncomeItemFlags, name, kOptionsBoth);
  while (n < expense + income - 2) b.definition(n++, kIncomeItemFlags, kVacantName, kOptionsNone);
  b.definition(n++, kIncomeItemFlags | kSavingsFlag, u"貯蓄引出", kOptionsBudget);
  b.definition(n, kIncomeItemFlags | kLoanFlag, u"借入", kOptionsBudget);
}

void addSampleNames(Builder& b, int expense) {
  for (const SampleName& s : kSampleNames) {
    const auto item = static_cast<uint16_t>(
        s.item < kMinExpenseItems ? s.item : s.item + expense - kMinExpenseItems);
    // The samples carry the definition bit alone; lookups by item number find them.
    b.definition(item, kSpecialNameFlags, s.name, kOptionsNone);
  }
}

}  // namespace

double proposedTaxRate(Day day) {
  if (day < dayFromYmd(1997, 4, 1)) return 3;
  if (day < dayFromYmd(2014, 4, 1)) return 5;
  if (day < dayFromYmd(2019, 10, 1)) return 8;
  return 10;
}

NewLedger buildNewLedger(CConfig& config, const NewLedgerRequest& request) {
  const int income =
      std::clamp(request.incomeItems, kMinIncomeItems, kMaxItemDefinitions - kMinExpenseItems);
  const int expense =
      std::clamp(request.expenseItems, kMinExpenseItems, kMaxItemDefinitions - income);
  config.expenseItemCount = static_cast<uint16_t>(expense);
  config.incomeItemCount = static_cast<uint16_t>(income);
  // Tax lines of expenses go to the file's own 税金 item (unless they stay with their data),
  // as they do in files upgraded from before the setting: item 0 is 旅費、交通.
  if (config.taxItemAsData == 0) config.taxExpenseItem = kTaxItem;

  NewLedger ledger{std::make_unique<CHinmeiList>(),
                   std::make_unique<CBudgetList>(CBudgetList::withStandardBudget())};
  Builder b(*ledger.entries);
  b.definition(ITEM_HEADER, EF_ITEM, u"", config.toText(), request.initialCash);
  addExpenseItems(b, expense);
  addIncomeItems(b, expense, income);
  if (request.sampleNames) addSampleNames(b, expense);
  ledger.entries->addAtEnd(CHinmei(MaxDay, 0, 0, std::u16string(kEndMarkerName), u"", 0));
  ledger.entries->rebuildTables();
  ledger.entries->setModified(true);
  ledger.budgets->setModified(true);
  return ledger;
}

}  // namespace sorami
