#include "ledger/SampleHousehold.h"

#include <algorithm>
#include <array>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include "ledger/Account.h"
#include "ledger/HinmeiList.h"

namespace sorami {

namespace {

// splitmix64: a small generator whose sequence is the same with every compiler and library,
// which the standard distributions do not promise.
class Random {
 public:
  explicit Random(uint64_t seed) : state_(seed) {}
  uint64_t next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
  }
  // A whole number from `low` to `high`, both included.
  int32_t between(int32_t low, int32_t high) {
    return low + static_cast<int32_t>(next() % static_cast<uint64_t>(high - low + 1));
  }
  bool oneIn(uint64_t n) { return next() % n == 0; }
  template <typename T, size_t N>
  const T& pick(const std::array<T, N>& from) {
    return from[next() % N];
  }

 private:
  uint64_t state_;
};

struct Purchase {
  std::u16string_view item;
  std::u16string_view name;
  int32_t low;
  int32_t high;
};

// The everyday purchases; the more often a purchase stands here, the more often it is made.
constexpr std::array kPurchases{
    Purchase{u"食費", u"朝食", 300, 800},
    Purchase{u"食費", u"昼食", 500, 1200},
    Purchase{u"食費", u"昼食", 500, 1200},
    Purchase{u"食費", u"夕食", 800, 3000},
    Purchase{u"食費", u"外食費", 1500, 6000},
    Purchase{u"食費", u"飲料", 100, 300},
    Purchase{u"食費", u"飲料", 100, 300},
    Purchase{u"食費", u"スーパー", 1000, 5000},
    Purchase{u"食費", u"スーパー", 1000, 5000},
    Purchase{u"旅費、交通", u"電車賃", 150, 800},
    Purchase{u"旅費、交通", u"バス代", 200, 400},
    Purchase{u"旅費、交通", u"タクシー代", 1000, 4000},
    Purchase{u"通信", u"郵便料金", 80, 500},
    Purchase{u"書籍、情報", u"雑誌", 500, 1200},
    Purchase{u"書籍、情報", u"書籍", 800, 3000},
    Purchase{u"娯楽", u"映画", 1800, 2000},
    Purchase{u"娯楽", u"その他", 1000, 8000},
    Purchase{u"保健衛生", u"薬代", 500, 2500},
    Purchase{u"保健衛生", u"理髪代", 3000, 4500},
    Purchase{u"衣服", u"クリーニング", 500, 1500},
    Purchase{u"事務用品", u"文房具", 100, 800},
    Purchase{u"事務用品", u"消耗品", 200, 1500},
    Purchase{u"接待、交際", u"飲食費", 3000, 8000},
    Purchase{u"その他支出", u"その他支出", 500, 3000},
};

// Memos as people write them, with the commas, quotes and line breaks that exports must keep.
constexpr std::array<std::u16string_view, 6> kMemos{
    u"コンビニ",      u"駅前の店",     u"友人と, \"打ち上げ\"",
    u"特売\r\n2割引", u"ポイント払い", u"まとめ買い"};

constexpr std::array<std::u16string_view, 6> kDiaryTexts{
    u"晴れ。散歩に出かけた。", u"雨。家で読書。",     u"買い物の日。",
    u"友人と食事。",           u"家計簿を見直した。", u"洗濯と掃除。"};

constexpr int32_t kCarLoan = 1'800'000;
constexpr int32_t kCarRepayment = 30'000;
// A day's purchases together cost about this much, however many lines they are.
constexpr int64_t kDailySpend = 3'000;
constexpr int64_t kAveragePurchase = 1'500;

// The accounts and loans of the household: name, initial balance, outside the total assets.
struct Holding {
  std::u16string_view name;
  int32_t initialBalance;
  bool outside;
};
constexpr std::array kAccounts{Holding{u"普通預金", 500'000, false},
                               Holding{u"定期預金", 1'000'000, false},
                               Holding{u"年金積立", 200'000, true}};
constexpr std::array kLoans{Holding{u"自動車ローン", kCarLoan, false},
                            Holding{u"クレジットカード", 0, false}};

struct LineItem {
  uint16_t item = 0;
  uint16_t flags = 0;  // the flags a line of the item carries
};

LineItem lineItemOf(const CHinmei* def) {
  if (def == nullptr) return {};
  return {def->item,
          static_cast<uint16_t>(def->flags & (EF_DIRECTION_MASK | EF_ACCOUNT | EF_LOAN))};
}

class Household {
 public:
  Household(CHinmeiList& list, const SampleRequest& request, uint64_t limit)
      : list_(list), random_(request.seed), limit_(limit) {}

  // Writes the span's days; `variable` purchases are spread evenly over them.
  void run(Day first, Day last, uint64_t variable) {
    firstYear_ = ymdFromDay(first).year;
    const auto days = static_cast<uint64_t>(int64_t{last} - first + 1);
    const uint64_t perDay = variable / days;
    scalePerMille_ = perDay * kAveragePurchase <= kDailySpend
                         ? 1000
                         : kDailySpend * 1000 / static_cast<int64_t>(perDay * kAveragePurchase);
    for (uint64_t i = 0; i < days && written_ < limit_; ++i) {
      const Day d = first + static_cast<Day>(i);
      fixedLines(d);
      const uint64_t count = (i + 1) * variable / days - i * variable / days;
      for (uint64_t k = 0; k < count && written_ < limit_; ++k) purchase(d);
    }
    // Should the days end before the count is reached, the last day takes the rest.
    while (!counting() && written_ < limit_) purchase(last);
  }

  uint64_t written() const { return written_; }

 private:
  LineItem item(std::u16string_view name, int direction) const {
    const int n = list_.itemNumberByName(name, direction);
    return n < 0 ? LineItem{} : lineItemOf(list_.itemByNumber(n));
  }
  LineItem transfer(uint16_t kindAndSide) const {
    return lineItemOf(list_.itemByDirection(kindAndSide));
  }

  void append(CHinmei&& e) {
    ++written_;
    if (!counting()) list_.addAtEnd(std::move(e));
  }
  bool counting() const { return limit_ == std::numeric_limits<uint64_t>::max(); }

  void single(Day d, LineItem it, std::u16string_view name, int32_t amount,
              std::u16string_view memo = {}) {
    if (written_ >= limit_) return;
    append(CHinmei(d, it.item, it.flags, std::u16string(name), std::u16string(memo), amount));
  }

  // Two lines that belong together; where only one more entry fits, a purchase takes its place.
  void pair(Day d, LineItem first, std::u16string_view firstName, LineItem second,
            std::u16string_view secondName, int32_t amount) {
    if (written_ >= limit_) return;
    if (limit_ - written_ < 2) {
      purchase(d);
      return;
    }
    append(CHinmei(d, first.item, static_cast<uint16_t>(first.flags | EF_PAIR),
                   std::u16string(firstName), u"", amount));
    append(CHinmei(d, second.item, static_cast<uint16_t>(second.flags | EF_PAIR_MASK),
                   std::u16string(secondName), u"", amount));
  }

  void purchase(Day d) {
    const Purchase& p = random_.pick(kPurchases);
    int64_t amount = random_.between(p.low, p.high) * scalePerMille_ / 1000;
    amount = std::max<int64_t>(10, amount / 10 * 10);
    const std::u16string_view memo = random_.oneIn(12) ? random_.pick(kMemos) : u"";
    single(d, item(p.item, 1), p.name, static_cast<int32_t>(amount), memo);
  }

  void fixedLines(Day d) {
    const Ymd ymd = ymdFromDay(d);
    if (ymd.day == 1) {
      cardLastMonth_ = cardThisMonth_;
      cardThisMonth_ = 0;
    }
    if (weekdayOf(d) == 0) {
      if (written_ < limit_)
        append(CHinmei(d, ITEM_DIARY, 0, u"", std::u16string(random_.pick(kDiaryTexts)), 0));
    }
    monthlyBills(d, ymd);
    savingsAndLoans(d, ymd);
    income(d, ymd);
  }

  void monthlyBills(Day d, const Ymd& ymd) {
    const LineItem housing = item(u"住居、公金", 1);
    switch (ymd.day) {
      case 5:
        single(d, housing, u"電気料金", random_.between(4000, 12000));
        break;
      case 6:
        single(d, housing, u"ガス料金", random_.between(3000, 8000));
        break;
      case 7:
        if (ymd.month % 2 == 1) single(d, housing, u"水道料金", random_.between(4000, 7000));
        break;
      case 12:
        single(d, item(u"通信", 1), u"携帯電話", random_.between(4000, 9000));
        break;
      case 15:
        if (ymd.month == 1 || ymd.month % 2 == 0) {
          single(d, item(u"税金", 1), u"住民税", random_.between(20000, 30000));
        }
        break;
      case 27:
        single(d, housing, u"家賃", 85'000);
        break;
      default:
        break;
    }
  }

  void cardPurchase(Day d, std::u16string_view itemName, std::u16string_view name, int32_t low,
                    int32_t high) {
    const int32_t amount = random_.between(low, high) / 10 * 10;
    cardThisMonth_ += amount;
    pair(d, transfer(EF_LOAN | EF_INCOME), kLoans[1].name, item(itemName, 1), name, amount);
  }

  void savingsAndLoans(Day d, const Ymd& ymd) {
    const LineItem deposit = transfer(EF_ACCOUNT | EF_EXPENSE);
    const LineItem withdrawal = transfer(EF_ACCOUNT | EF_INCOME);
    const LineItem repayment = transfer(EF_LOAN | EF_EXPENSE);
    switch (ymd.day) {
      case 1:
        if (ymd.month % 3 == 0) {
          pair(d, withdrawal, kAccounts[0].name, deposit, kAccounts[1].name, 100'000);
        }
        break;
      case 8:
        cardPurchase(d, u"衣服", u"衣料", 3000, 20000);
        break;
      case 10:
        if (cardLastMonth_ > 0) {
          pair(d, withdrawal, kAccounts[0].name, repayment, kLoans[1].name, cardLastMonth_);
        }
        break;
      case 18:
        cardPurchase(d, u"娯楽", u"パソコン", 2000, 15000);
        break;
      case 20:
        if (ymd.month % 2 == 0) single(d, withdrawal, kAccounts[0].name, 30'000);
        break;
      case 26:
        single(d, deposit, kAccounts[0].name, 50'000);
        single(d, deposit, kAccounts[2].name, 10'000);
        break;
      case 27:
        if (carLoanLeft_ > 0) {
          const int32_t amount = std::min(kCarRepayment, carLoanLeft_);
          carLoanLeft_ -= amount;
          single(d, repayment, kLoans[0].name, amount);
        }
        break;
      default:
        break;
    }
  }

  void income(Day d, const Ymd& ymd) {
    const int years = ymd.year - firstYear_;
    if (ymd.day == 25) {
      single(d, item(u"所得", 2), u"給与", 300'000 + 4'000 * std::min(years, 40));
    } else if (ymd.day == 10 && (ymd.month == 6 || ymd.month == 12)) {
      pair(d, item(u"所得", 2), u"賞与", transfer(EF_ACCOUNT | EF_EXPENSE), kAccounts[0].name,
           400'000 + 10'000 * std::min(years, 40));
    } else if (ymd.day == 20 && ymd.month == 12) {
      single(d, item(u"配当", 2), u"利子", random_.between(100, 2000));
    }
  }

  CHinmeiList& list_;
  Random random_;
  uint64_t limit_;
  uint64_t written_ = 0;
  int firstYear_ = 0;
  int64_t scalePerMille_ = 1000;
  int32_t cardThisMonth_ = 0;
  int32_t cardLastMonth_ = 0;
  int32_t carLoanLeft_ = kCarLoan;
};

void registerHoldings(CHinmeiList& list) {
  // Card settings take their first closing month from "today": the sample's own last day.
  list.context().today = kSampleLastDay;
  for (const Holding& h : kAccounts) {
    const auto p = list.registerAccount(h.name, kKindAccount, -1, h.initialBalance);
    if (p && h.outside) (*p)->flags |= EF_OUTSIDE_ASSETS;
  }
  for (const Holding& h : kLoans) list.registerAccount(h.name, kKindLoan, -1, h.initialBalance);
}

}  // namespace

int sampleYears(const SampleRequest& request) {
  if (request.years > 0) return std::min(request.years, kSampleMaxYears);
  return static_cast<int>(std::clamp<uint64_t>((request.entries + 2999) / 3000, 1, 40));
}

void fillSampleHousehold(CHinmeiList& list, const SampleRequest& request) {
  registerHoldings(list);
  const int years = sampleYears(request);
  const Day first = dayFromYmd(ymdFromDay(kSampleLastDay).year - years + 1, 1, 1);
  // The fixed lines of the span are counted first, so the purchases make up exactly the rest.
  Household counter(list, request, std::numeric_limits<uint64_t>::max());
  counter.run(first, kSampleLastDay, 0);
  const uint64_t fixed = counter.written();
  const uint64_t variable = request.entries > fixed ? request.entries - fixed : 0;

  // The lines go in day order before the end marker: appending is far cheaper than placing a
  // million lines one by one.
  std::optional<CHinmei> endMarker;
  if (!list.empty() && list.entries().back().isEndMarker()) {
    endMarker = std::move(list.entries().back());
    list.entries().pop_back();
  }
  Household household(list, request, request.entries);
  household.run(first, kSampleLastDay, variable);
  if (endMarker) list.addAtEnd(std::move(*endMarker));
  list.rebuildTables();
}

}  // namespace sorami
