#include "reports/StatementProfile.h"

#include <algorithm>
#include <functional>
#include <map>
#include <set>

#include "platform/TextCodec.h"

namespace sorami {

namespace {

std::u16string number(size_t n) {
  return u16(std::to_string(n));
}

std::u16string_view trimmed(std::u16string_view t) {
  constexpr std::u16string_view kSpaces = u" \t\r\u3000";
  const size_t first = t.find_first_not_of(kSpaces);
  if (first == std::u16string_view::npos) return {};
  return t.substr(first, t.find_last_not_of(kSpaces) - first + 1);
}

std::u16string lowerAscii(std::u16string_view t) {
  std::u16string out(t);
  for (char16_t& c : out) {
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c + 0x20);
  }
  return out;
}

// A choice among a few words, each with its other spellings.
template <typename T>
std::optional<T> choice(std::u16string_view value,
                        std::initializer_list<std::pair<std::u16string_view, T>> words) {
  const std::u16string v = lowerAscii(value);
  for (const auto& [word, result] : words) {
    if (v == word) return result;
  }
  return std::nullopt;
}

// The regular expressions work on wide characters, which hold whole code points here.
std::wstring wideText(std::u16string_view t) {
  std::wstring out;
  out.reserve(t.size());
  for (size_t i = 0; i < t.size(); ++i) {
    char32_t c = t[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < t.size() && t[i + 1] >= 0xDC00 &&
        t[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (t[++i] - 0xDC00);
    }
    out.push_back(static_cast<wchar_t>(c));
  }
  return out;
}

std::optional<size_t> wholeNumber(std::u16string_view v, size_t most) {
  if (v.empty() || v.size() > 6) return std::nullopt;
  size_t n = 0;
  for (const char16_t c : v) {
    if (c < u'0' || c > u'9') return std::nullopt;
    n = n * 10 + static_cast<size_t>(c - u'0');
  }
  if (n > most) return std::nullopt;
  return n;
}

std::optional<char> delimiterOf(std::u16string_view v) {
  if (const auto named = choice<char>(v, {{u"comma", ','},
                                          {u"tab", '\t'},
                                          {u"semicolon", ';'},
                                          {u"\\t", '\t'},
                                          {u"カンマ", ','},
                                          {u"タブ", '\t'}})) {
    return named;
  }
  // One printable ASCII character other than a quote: the reader compares bytes, and only
  // ASCII is the same byte in UTF-8 and in Shift-JIS.
  if (v.size() == 1 && v[0] > u' ' && v[0] < 0x7F && v[0] != u'"') return static_cast<char>(v[0]);
  return std::nullopt;
}

class ProfileReader {
 public:
  ProfileRead read(std::u16string_view text) {
    size_t start = 0;
    while (start <= text.size() && !failed()) {
      size_t end = text.find(u'\n', start);
      if (end == std::u16string_view::npos) end = text.size();
      ++line_;
      readLine(trimmed(text.substr(start, end - start)));
      start = end + 1;
    }
    if (!failed()) finishRule();
    if (!failed()) check();
    if (failed()) return {std::nullopt, error_};
    return {std::move(profile_), {}};
  }

 private:
  bool failed() const { return error_.id != MessageId{}; }
  void fail(MessageId id, std::vector<std::u16string> args) {
    if (!failed()) error_ = {id, std::move(args)};
  }
  void badValue(std::u16string_view key, std::u16string_view value) {
    fail(MessageId::ProfileBadValue, {number(line_), std::u16string(key), std::u16string(value)});
  }

  void readLine(std::u16string_view t) {
    if (t.empty() || t.front() == u'#' || t.front() == u';') return;
    if (lowerAscii(t) == u"[rule]" || t == u"[規則]") {
      finishRule();
      if (profile_.rules.size() >= kMaxProfileRules) {
        return fail(MessageId::ProfileTooManyRules, {number(line_), number(kMaxProfileRules)});
      }
      rule_ = AssignmentRule{};
      rule_->line = line_;
      return;
    }
    const size_t eq = t.find(u'=');
    if (eq == std::u16string_view::npos) {
      return fail(MessageId::ProfileUnknownKey, {number(line_), std::u16string(t)});
    }
    const std::u16string key = lowerAscii(trimmed(t.substr(0, eq)));
    const std::u16string_view value = trimmed(t.substr(eq + 1));
    std::set<std::u16string>& seen = rule_ ? ruleKeys_ : keys_;
    if (!seen.insert(key).second) {
      return fail(MessageId::ProfileRepeatedKey, {number(line_), key});
    }
    if (rule_) return ruleKey(key, value);
    mainKey(key, value);
  }

  void column(size_t& target, std::u16string_view key, std::u16string_view value) {
    const std::optional<size_t> n = wholeNumber(value, 999999);
    if (!n) return badValue(key, value);
    if (*n < 1 || *n > kMaxStatementColumn) {
      return fail(
          MessageId::ProfileColumnRange,
          {number(line_), std::u16string(key), number(kMaxStatementColumn), std::u16string(value)});
    }
    target = *n;
  }

  void mainKey(const std::u16string& key, std::u16string_view value) {
    StatementProfile& p = profile_;
    const std::map<std::u16string_view, std::function<void()>> keys = {
        {u"name", [&] { p.name = value; }},
        {u"encoding",
         [&] {
           const auto e =
               choice<StatementEncoding>(value, {{u"auto", StatementEncoding::Auto},
                                                 {u"utf-8", StatementEncoding::Utf8},
                                                 {u"utf8", StatementEncoding::Utf8},
                                                 {u"shift-jis", StatementEncoding::ShiftJis},
                                                 {u"shift_jis", StatementEncoding::ShiftJis},
                                                 {u"sjis", StatementEncoding::ShiftJis},
                                                 {u"cp932", StatementEncoding::ShiftJis}});
           if (!e) return badValue(key, value);
           p.encoding = *e;
         }},
        {u"delimiter",
         [&] {
           const std::optional<char> d = delimiterOf(value);
           if (!d) return badValue(key, value);
           p.delimiter = *d;
           delimiterLine_ = line_;
         }},
        {u"skip-lines",
         [&] {
           const std::optional<size_t> n = wholeNumber(value, kMaxSkipLines);
           if (!n) return badValue(key, value);
           p.skipLines = *n;
         }},
        {u"date-column", [&] { column(p.dateColumn, key, value); }},
        {u"name-column", [&] { column(p.nameColumn, key, value); }},
        {u"memo-column", [&] { column(p.memoColumn, key, value); }},
        {u"amount-column", [&] { column(p.amountColumn, key, value); }},
        {u"income-column", [&] { column(p.incomeColumn, key, value); }},
        {u"expense-column", [&] { column(p.expenseColumn, key, value); }},
        {u"date-form",
         [&] {
           const auto f = choice<DateForm>(value, {{u"auto", DateForm::Auto},
                                                   {u"ymd", DateForm::Ymd},
                                                   {u"yyyymmdd", DateForm::Compact},
                                                   {u"yymmdd", DateForm::ShortYear},
                                                   {u"era", DateForm::Era},
                                                   {u"和暦", DateForm::Era}});
           if (!f) return badValue(key, value);
           p.dateForm = *f;
         }},
        {u"sign",
         [&] {
           const auto s = choice<SignConvention>(
               value, {{u"expense-negative", SignConvention::ExpenseNegative},
                       {u"expense-positive", SignConvention::ExpensePositive}});
           if (!s) return badValue(key, value);
           p.sign = *s;
         }},
        {u"money",
         [&] {
           const std::optional<MoneyTarget> m = parseMoneyTarget(value);
           if (!m) return badValue(key, value);
           p.money = *m;
         }},
        {u"default-expense-item", [&] { p.defaultExpenseItem = value; }},
        {u"default-income-item", [&] { p.defaultIncomeItem = value; }},
    };
    const auto it = keys.find(key);
    if (it == keys.end()) return fail(MessageId::ProfileUnknownKey, {number(line_), key});
    it->second();
  }

  void ruleKey(const std::u16string& key, std::u16string_view value) {
    AssignmentRule& r = *rule_;
    if (key == u"item") {
      r.item = value;
    } else if (key == u"name") {
      r.name = value;
    } else if (key == u"contains" || key == u"regex") {
      if (!r.contains.empty() || !r.regex.empty()) {
        return fail(MessageId::ProfileRuleTwoPatterns, {number(line_)});
      }
      if (value.empty() || value.size() > kMaxPatternLength) return badValue(key, value);
      if (key == u"contains") {
        r.contains = matchForm(value, true);
      } else {
        compile(r, value);
      }
    } else {
      fail(MessageId::ProfileUnknownKey, {number(line_), key});
    }
  }

  // Searched in polynomial time (no back-references), so that no pattern can hang an import.
  void compile(AssignmentRule& r, std::u16string_view value) {
    r.regex = matchForm(value, false);
    try {
      r.compiled = std::make_shared<const std::wregex>(
          wideText(r.regex), std::regex::ECMAScript | std::regex::icase | std::regex::nosubs |
                                 std::regex_constants::__polynomial);
    } catch (const std::regex_error&) {
      fail(MessageId::ProfileBadRegex, {number(line_), std::u16string(value)});
    }
  }

  void finishRule() {
    if (!rule_) return;
    if (rule_->contains.empty() && rule_->regex.empty()) {
      return fail(MessageId::ProfileRuleWithoutPattern, {number(rule_->line)});
    }
    if (rule_->item.empty()) return fail(MessageId::ProfileRuleWithoutItem, {number(rule_->line)});
    profile_.rules.push_back(std::move(*rule_));
    rule_.reset();
    ruleKeys_.clear();
  }

  void check() {
    const StatementProfile& p = profile_;
    if (p.dateColumn == 0) return fail(MessageId::ProfileNoDateColumn, {});
    if (p.nameColumn == 0) return fail(MessageId::ProfileNoNameColumn, {});
    const bool sides = p.incomeColumn != 0 || p.expenseColumn != 0;
    if (p.amountColumn != 0 && sides) return fail(MessageId::ProfileMixedAmountColumns, {});
    if (p.amountColumn == 0 && (p.incomeColumn == 0 || p.expenseColumn == 0)) {
      return fail(MessageId::ProfileNoAmountColumn, {});
    }
    // The second byte of a Shift-JIS character runs from 0x40 up: such a delimiter would cut
    // characters like ソ or ポ in two and shift the columns.
    if (static_cast<unsigned char>(p.delimiter) >= 0x40 && p.encoding != StatementEncoding::Utf8) {
      return fail(MessageId::ProfileDelimiterInShiftJis,
                  {number(delimiterLine_), std::u16string(1, char16_t(p.delimiter))});
    }
  }

  StatementProfile profile_;
  std::optional<AssignmentRule> rule_;
  std::set<std::u16string> keys_;
  std::set<std::u16string> ruleKeys_;
  size_t line_ = 0;
  size_t delimiterLine_ = 0;
  Refusal error_;
};

}  // namespace

bool AssignmentRule::matches(std::u16string_view foldedName, std::u16string_view widthName) const {
  if (!contains.empty()) return foldedName.find(contains) != std::u16string_view::npos;
  return compiled && std::regex_search(wideText(widthName), *compiled);
}

size_t StatementProfile::lastColumn() const {
  return std::max({dateColumn, nameColumn, memoColumn, amountColumn, incomeColumn, expenseColumn});
}

ProfileRead readStatementProfile(std::string_view text) {
  if (text.size() > kMaxProfileBytes) {
    return {std::nullopt, {MessageId::ProfileTooLarge, {number(kMaxProfileBytes)}}};
  }
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  const std::optional<std::u16string> decoded = fromStrictUtf8(text);
  if (!decoded || decoded->find(u'\0') != std::u16string::npos) {
    return {std::nullopt, {MessageId::ProfileNotUtf8, {}}};
  }
  return ProfileReader().read(*decoded);
}

std::optional<MoneyTarget> parseMoneyTarget(std::u16string_view text) {
  text = trimmed(text);
  const size_t colon = text.find_first_of(u":：");
  const std::u16string_view kind = trimmed(text.substr(0, colon));
  const std::u16string_view name =
      colon == std::u16string_view::npos ? std::u16string_view() : trimmed(text.substr(colon + 1));
  const auto k = choice<TransferKind>(kind, {{u"cash", TransferKind::None},
                                             {u"現金", TransferKind::None},
                                             {u"account", TransferKind::Savings},
                                             {u"口座", TransferKind::Savings},
                                             {u"loan", TransferKind::Loan},
                                             {u"借入", TransferKind::Loan}});
  if (!k || (*k == TransferKind::None && colon != std::u16string_view::npos)) return std::nullopt;
  return MoneyTarget{*k, std::u16string(name)};
}

std::u16string moneyTargetText(const MoneyTarget& money) {
  switch (money.kind) {
    case TransferKind::Savings:
      return u"口座:" + money.name;
    case TransferKind::Loan:
      return u"借入:" + money.name;
    case TransferKind::None:
      break;
  }
  return u"現金";
}

}  // namespace sorami
