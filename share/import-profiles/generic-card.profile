# 汎用のカード明細（クレジットカードのご利用明細）
#
# 列: ご利用日, ご利用店名, ご利用金額, 支払区分, 備考
# 例: 2024/04/01,ｾﾌﾞﾝｲﾚﾌﾞﾝ,"1,280",1回,
# 返品や値引きは負の金額（-500、△500）で書かれ、収入として記入します。
#
# 書き方は docs/statement-import.md にあります。このファイルを写して
# ~/.config/Tsumiki/そらみ/import-profiles/ に置き、カード会社に合わせて直して使えます。

name = 汎用のカード明細
encoding = auto
delimiter = comma
skip-lines = 1
date-column = 1
date-form = auto
name-column = 2
amount-column = 3
memo-column = 5
sign = expense-positive
# カードは借入として記入します。名前を書かなければ、取り込むときに登録済みの借入から選びます。
money = loan
default-expense-item = その他支出
default-income-item = 雑収入

# 規則の例（行頭の # を外すと使えます）:
#
# [rule]
# contains = セブン-イレブン
# item = 食費
#
# [rule]
# regex = ^(ENEOS|出光|コスモ)
# item = 旅費、交通
# name = ガソリン
