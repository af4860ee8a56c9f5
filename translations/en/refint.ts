<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>Form15</name>
    <message>
        <source>bootstrap の信頼区間（1000 回, seed 1）</source>
        <translation>bootstrap CI (1000 resamples, seed 1)</translation>
    </message>
    <message>
        <source>検  証</source>
        <translation>Verify</translation>
    </message>
    <message>
        <source>第２群のファイル</source>
        <translation>Second group file</translation>
    </message>
    <message>
        <source>%1（%2）</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>検証</source>
        <translation>Verification</translation>
    </message>
    <message>
        <source>目標区間の下限と上限を数値で入力してください（下限 &lt; 上限）。</source>
        <translation>Type the lower and upper limits of the target interval as numbers (lower &lt; upper).</translation>
    </message>
    <message>
        <source>CSVまたはTXTﾌｧｲﾙ(*.CSV,*.TXT,*.TEXT)</source>
        <translation>CSV or TXT files (*.CSV,*.TXT,*.TEXT)</translation>
    </message>
    <message>
        <source>すべてのファイル(*.*)</source>
        <translation>All files (*.*)</translation>
    </message>
    <message>
        <source>基準範囲の画面をクリップ・ボードにコピーします。<byte value="xd"/>
よろしいですか？</source>
        <translation>The reference-interval window is copied to the clipboard.<byte value="xd"/>
Do you want to go on?</translation>
    </message>
    <message>
        <source>下限</source>
        <translation>lower</translation>
    </message>
    <message>
        <source>上限</source>
        <translation>upper</translation>
    </message>
    <message>
        <source>基準範囲の推定（直接法）</source>
        <translation>Reference intervals (direct)</translation>
    </message>
    <message>
        <source>外れ値の候補（クリックで除外／戻す）</source>
        <translation>Outlier candidates (click toggles)</translation>
    </message>
    <message>
        <source>目標区間</source>
        <translation>Target</translation>
    </message>
</context>
<context>
    <name>Form16</name>
    <message>
        <source>CSVまたはTXTﾌｧｲﾙ(*.CSV,*.TXT,*.TEXT)</source>
        <translation>CSV or TXT files (*.CSV,*.TXT,*.TEXT)</translation>
    </message>
    <message>
        <source>すべてのファイル(*.*)</source>
        <translation>All files (*.*)</translation>
    </message>
    <message>
        <source>ファイルを開く</source>
        <translation>Open file</translation>
    </message>
    <message>
        <source>日常検査のデータファイルを選ぶ</source>
        <translation>Choose a file of routine laboratory data</translation>
    </message>
    <message>
        <source>読  込</source>
        <translation>Read</translation>
    </message>
    <message>
        <source>選んだ列を読み込み、各方法で基準範囲を推定する</source>
        <translation>Read the chosen column and estimate the reference interval by each method</translation>
    </message>
    <message>
        <source>中  止</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>読み込みを中止する（Z キーでも中止できます）</source>
        <translation>Cancel the read (the Z key cancels it too)</translation>
    </message>
    <message>
        <source>列を選んで下さい</source>
        <translation>choose a column</translation>
    </message>
    <message>
        <source>ファイルのオープン</source>
        <translation>Open File</translation>
    </message>
    <message>
        <source>このファイルは読めません。<byte value="xd"/>
（%1）</source>
        <translation>This file cannot be read.<byte value="xd"/>
(%1)</translation>
    </message>
    <message>
        <source>（見出しのない 1 列のファイル）</source>
        <translation>(one column without a header)</translation>
    </message>
    <message>
        <source>読み込みを中止しました。<byte value="xd"/>
表示は前のままです。</source>
        <translation>The read was cancelled.<byte value="xd"/>
The window still shows what it showed before.</translation>
    </message>
    <message>
        <source>0 より大きい数値がありません</source>
        <translation>no numbers greater than 0</translation>
    </message>
    <message>
        <source>File：%1</source>
        <translation>File: %1</translation>
    </message>
    <message>
        <source>［列 %1］</source>
        <translation> [column %1]</translation>
    </message>
    <message>
        <source>間接法の画面をクリップ・ボードにコピーします。<byte value="xd"/>
よろしいですか？</source>
        <translation>The indirect-methods window is copied to the clipboard.<byte value="xd"/>
Do you want to go on?</translation>
    </message>
    <message>
        <source>基準範囲の推定（間接法：日常検査データから）</source>
        <translation>Reference intervals (indirect methods: from routine laboratory data)</translation>
    </message>
    <message>
        <source>（ファイルが選ばれていません）</source>
        <translation>(no file chosen)</translation>
    </message>
    <message>
        <source>列の選択</source>
        <translation>Column</translation>
    </message>
    <message>
        <source>ファイルを開き、列を選んで「読  込」を押して下さい。</source>
        <translation>Open a file, choose a column and press “Read”.</translation>
    </message>
</context>
<context>
    <name>IndirectSheet</name>
    <message>
        <source>0 より大きい値が %1 件未満：限界値は不確かです</source>
        <translation>fewer than %1 values &gt; 0: the limits are uncertain</translation>
    </message>
    <message>
        <source>0 より大きい値が %1 件未満です</source>
        <translation>fewer than %1 values &gt; 0</translation>
    </message>
    <message>
        <source>異なる値が少なすぎます</source>
        <translation>too few distinct values</translation>
    </message>
    <message>
        <source>同じ値が多すぎて裾を切断できません</source>
        <translation>too many equal values to truncate the tails</translation>
    </message>
    <message>
        <source>最頻値に接して下降する 4 点以上の直線部分がありません</source>
        <translation>no straight run of 4 or more points falling from the mode</translation>
    </message>
    <message>
        <source>健常部分の分布を当てはめられません</source>
        <translation>no distribution fits the healthy part</translation>
    </message>
    <message>
        <source>健常部分が全体の半分未満です：限界値は不確かです</source>
        <translation>the healthy part is less than half of all values: the limits are uncertain</translation>
    </message>
    <message>
        <source>方法</source>
        <translation>Method</translation>
    </message>
    <message>
        <source>下限 [90 % 信頼区間]</source>
        <translation>Lower [90 % CI]</translation>
    </message>
    <message>
        <source>上限 [90 % 信頼区間]</source>
        <translation>Upper [90 % CI]</translation>
    </message>
    <message>
        <source>使用数</source>
        <translation>n used</translation>
    </message>
    <message>
        <source>算出できません</source>
        <translation>not computable</translation>
    </message>
    <message>
        <source>使用した値 %1 件 / %2 行</source>
        <translation>Values used: %1 of %2 rows</translation>
    </message>
    <message>
        <source>使わなかった値：空欄 %1、数値でない %2、0 以下 %3、下限未満（&lt;x） %4、上限超（&gt;x） %5</source>
        <translation>Not used: empty %1, not a number %2, ≤ 0 %3, censored below (&lt;x) %4, censored above (&gt;x) %5</translation>
    </message>
    <message>
        <source>、上限件数を超えた %1</source>
        <translation>, beyond the maximum count %1</translation>
    </message>
    <message>
        <source>、</source>
        <translation>, </translation>
    </message>
    <message>
        <source>打ち切り値：</source>
        <translation>Censored values: </translation>
    </message>
    <message>
        <source> ほか</source>
        <translation> and more</translation>
    </message>
    <message>
        <source>（限界値の計算には使いません）</source>
        <translation> (not used for the limits)</translation>
    </message>
    <message>
        <source>丸めの単位 %1</source>
        <translation>Rounding resolution %1</translation>
    </message>
    <message>
        <source>なし（丸められていない値）</source>
        <translation>none (values not rounded)</translation>
    </message>
    <message>
        <source>、Truncated probability plot は %1 で計算</source>
        <translation>, truncated probability plot on %1</translation>
    </message>
    <message>
        <source>%1：%2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>基準範囲の推定（間接法）</source>
        <translation>Reference intervals (indirect methods)</translation>
    </message>
    <message>
        <source>ヒストグラム（すべての値）と健常分布 × P</source>
        <translation>Histogram of all values</translation>
    </message>
    <message>
        <source>データがありません</source>
        <translation>No data</translation>
    </message>
    <message>
        <source>← %1 件</source>
        <translation>← %1 values</translation>
    </message>
    <message>
        <source>%1 件 →</source>
        <translation>%1 values →</translation>
    </message>
    <message>
        <source>―― 健常分布 × P（Inverse modelling, P = %1）</source>
        <translation>―― healthy distribution × P (inverse modelling, P = %1)</translation>
    </message>
    <message>
        <source>確率プロット（Truncated probability plot）</source>
        <translation>Truncated probability plot</translation>
    </message>
    <message>
        <source>切断域（直線の当てはめに使う値）</source>
        <translation>Truncation region (values the line is fitted to)</translation>
    </message>
</context>
<context>
    <name>IntervalSheet</name>
    <message>
        <source>0 以下の値があり Box-Cox 変換できません</source>
        <translation>values ≤ 0: no Box-Cox transformation</translation>
    </message>
    <message>
        <source>すべての値が同じです</source>
        <translation>all values are identical</translation>
    </message>
    <message>
        <source>MAD が 0 です（半数以上が同じ値）</source>
        <translation>MAD is 0 (half or more of the values are equal)</translation>
    </message>
    <message>
        <source>データ数が %1 未満です</source>
        <translation>fewer than %1 values</translation>
    </message>
    <message>
        <source>上限が逆変換の範囲を超えます</source>
        <translation>the upper limit lies beyond the back-transformation's range</translation>
    </message>
    <message>
        <source>順位 %1</source>
        <translation>ranks %1</translation>
    </message>
    <message>
        <source>順位 %1、%2</source>
        <translation>ranks %1 and %2</translation>
    </message>
    <message>
        <source>変換尺度で ±1.645·SE</source>
        <translation>±1.645·SE, transformed scale</translation>
    </message>
    <message>
        <source>n &lt; 119: 信頼区間なし</source>
        <translation>n &lt; 119: no confidence interval</translation>
    </message>
    <message>
        <source>信頼区間は bootstrap で</source>
        <translation>confidence intervals by bootstrap</translation>
    </message>
    <message>
        <source>基準範囲 2.5 % – 97.5 %（[ ] は 90 % 信頼区間）</source>
        <translation>Reference interval 2.5 % – 97.5 % ([ ]: 90 % confidence interval)</translation>
    </message>
    <message>
        <source>%1  %2：</source>
        <translation>%1  %2: </translation>
    </message>
    <message>
        <source>算出できません（%1）</source>
        <translation>not computable (%1)</translation>
    </message>
    <message>
        <source>%1 – %2（%3）</source>
        <translation>%1 – %2 (%3)</translation>
    </message>
    <message>
        <source>%1  Probability plot（グラフ画面の 95 % 区間）：</source>
        <translation>%1  Probability plot (95 % interval of the graph window): </translation>
    </message>
    <message>
        <source>グラフ画面で 95 % 信頼区間を求めると表示します</source>
        <translation>shown once the graph window has found its 95 % interval</translation>
    </message>
    <message>
        <source>（除外 %1 件：%2 ほか）</source>
        <translation> (%1 left out: %2 and more)</translation>
    </message>
    <message>
        <source>（除外 %1 件：%2）</source>
        <translation> (%1 left out: %2)</translation>
    </message>
    <message>
        <source>Box-Cox λ = %1（最尤法）</source>
        <translation>Box-Cox λ = %1 (maximum likelihood)</translation>
    </message>
    <message>
        <source>：正規分布とはみなせません</source>
        <translation>: not normal</translation>
    </message>
    <message>
        <source>：正規性は棄却されません</source>
        <translation>: normality not rejected</translation>
    </message>
    <message>
        <source>注意：データ数が 40 未満です。どの方法の値も信頼できません。</source>
        <translation>Caution: fewer than 40 values. No method's limits can be relied on.</translation>
    </message>
    <message>
        <source>注意：データ数が 120 未満のため Nonparametric の 90 % 信頼区間は順位では求まりません。</source>
        <translation>Caution: with fewer than 120 values the nonparametric 90 % confidence intervals cannot come from ranks.</translation>
    </message>
    <message>
        <source>緑</source>
        <translation>green</translation>
    </message>
    <message>
        <source>黄</source>
        <translation>yellow</translation>
    </message>
    <message>
        <source>赤</source>
        <translation>red</translation>
    </message>
    <message>
        <source>一致</source>
        <translation>consistent</translation>
    </message>
    <message>
        <source>やや低い</source>
        <translation>slightly decreased</translation>
    </message>
    <message>
        <source>明らかに低い</source>
        <translation>markedly decreased</translation>
    </message>
    <message>
        <source>やや高い</source>
        <translation>slightly increased</translation>
    </message>
    <message>
        <source>明らかに高い</source>
        <translation>markedly increased</translation>
    </message>
    <message>
        <source>%1（%2）</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>20 件・1 段階</source>
        <translation>20 values, one stage</translation>
    </message>
    <message>
        <source>20 + 20 件・2 段階</source>
        <translation>20 + 20 values, two stages</translation>
    </message>
    <message>
        <source>二項分布による判定</source>
        <translation>exact binomial rule</translation>
    </message>
    <message>
        <source>移行した基準範囲の検証：%1 – %2</source>
        <translation>Verification of a transferred interval: %1 – %2</translation>
    </message>
    <message>
        <source>範囲外 %1 / %2 件（%3、許容 %4 件</source>
        <translation>%1 of %2 outside (%3, %4 allowed</translation>
    </message>
    <message>
        <source>、前半 %1・後半 %2</source>
        <translation>, first 20: %1, next 20: %2</translation>
    </message>
    <message>
        <source>）→ </source>
        <translation>) → </translation>
    </message>
    <message>
        <source>合格</source>
        <translation>accepted</translation>
    </message>
    <message>
        <source>不合格</source>
        <translation>rejected</translation>
    </message>
    <message>
        <source>P(合格 | 区間が正しい) = %1、10/15/20/30 % が外れるとき</source>
        <translation>P(accept | interval right) = %1; with 10/15/20/30 % outside</translation>
    </message>
    <message>
        <source>許容不確かさの帯：下限 %1 – %2、上限 %3 – %4</source>
        <translation>Permissible uncertainty bands: lower %1 – %2, upper %3 – %4</translation>
    </message>
    <message>
        <source>%1 の推定：下限 %2 %3、上限 %4 %5</source>
        <translation>%1 estimate: lower %2 %3, upper %4 %5</translation>
    </message>
    <message>
        <source>許容不確かさの帯：目標区間は 0 &lt; 下限 &lt; 上限 が必要です</source>
        <translation>Permissible uncertainty bands: the target needs 0 &lt; lower &lt; upper</translation>
    </message>
    <message>
        <source>層別（第 2 群：%1）</source>
        <translation>Partitioning (second group: %1)</translation>
    </message>
    <message>
        <source>各群に 2 件以上の値が必要です</source>
        <translation>each group needs at least 2 values</translation>
    </message>
    <message>
        <source>分ける</source>
        <translation>partition</translation>
    </message>
    <message>
        <source>まとめる</source>
        <translation>combine</translation>
    </message>
    <message>
        <source>Harris &amp; Boyd：z = %1、z* = %2、SD 比 = %3 → %4</source>
        <translation>Harris &amp; Boyd: z = %1, z* = %2, SD ratio = %3 → %4</translation>
    </message>
    <message>
        <source>境界</source>
        <translation>marginal</translation>
    </message>
    <message>
        <source>Lahti：合算区間の外 1 群 %1 / %2 %、2 群 %3 / %4 % → %5</source>
        <translation>Lahti: outside the combined interval, group 1 %1 / %2 %, group 2 %3 / %4 % → %5</translation>
    </message>
    <message>
        <source>Ichihara：SDR = %1 → %2</source>
        <translation>Ichihara: SDR = %1 → %2</translation>
    </message>
    <message>
        <source>データがありません</source>
        <translation>No data</translation>
    </message>
    <message>
        <source>基準範囲の推定（直接法）</source>
        <translation>Reference intervals (direct methods)</translation>
    </message>
    <message>
        <source>下限</source>
        <translation>lower</translation>
    </message>
    <message>
        <source>上限</source>
        <translation>upper</translation>
    </message>
</context>
</TS>
