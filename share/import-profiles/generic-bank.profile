# 汎用の銀行明細（普通預金の入出金明細）
#
# 列: 日付, 摘要, お支払金額（出金）, お預り金額（入金）, 残高
# 例: 2024/04/01,カード引落,"12,345",,"234,567"
#
# 書き方は docs/statement-import.md にあります。このファイルを写して
# ~/.config/Tsumiki/そらみ/import-profiles/ に置き、銀行に合わせて直して使えます。

name = 汎用の銀行明細
encoding = auto
delimiter = comma
skip-lines = 1
date-column = 1
date-form = auto
name-column = 2
expense-column = 3
income-column = 4
# 取り込み先の口座。名前を書かなければ、取り込むときに登録済みの口座から選びます。
money = account
default-expense-item = その他支出
default-income-item = 雑収入

# 規則の例（行頭の # を外すと使えます）。品名に contains の文字を含む行は item の項目に、
# name を書けばその品名で記入します。regex には正規表現を書けます。
#
# [rule]
# contains = 給与
# item = 所得
#
# [rule]
# regex = ^(電気|ガス|水道)
# item = 住居、公金
#
# カードの引き落としは、借入（カード）の返済として記入できます:
# [rule]
# contains = カード引落
# item = 借入返済
# name = カード
