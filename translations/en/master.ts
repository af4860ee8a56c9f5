<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>Form3</name>
    <message>
        <source>入力モレ</source>
        <translation>Missing entry</translation>
    </message>
    <message>
        <source>入力モレがあります。確認して下さい。        </source>
        <translation>An entry is missing. Please check.        </translation>
    </message>
    <message>
        <source>マスタ項目の削除</source>
        <translation>Delete a master item</translation>
    </message>
    <message>
        <source>選択した項目を削除してよろしいですか ?       </source>
        <translation>Delete the selected item?       </translation>
    </message>
    <message>
        <source>CAUTION</source>
        <translation>CAUTION</translation>
    </message>
    <message>
        <source>基準範囲マスタ( data_f/KIJUN.DAT )を読み込めません。</source>
        <translation>The reference range master ( data_f/KIJUN.DAT ) cannot be read.</translation>
    </message>
    <message>
        <source>基準範囲マスタ( data_f/KIJUN.DAT )を保存できません。変更されていません。</source>
        <translation>The reference range master ( data_f/KIJUN.DAT ) cannot be saved. Nothing has been changed.</translation>
    </message>
    <message>
        <source>登録(新規・修正)</source>
        <translation>Save (new/edit)</translation>
    </message>
    <message>
        <source>戻  る</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>( 基準範囲の入力 )</source>
        <translation>( Entering reference ranges )</translation>
    </message>
    <message>
        <source>  ヒストグラムの階級幅は、各検査項目の基準範囲幅の約1/10が目安となります。ここで設定</source>
        <translation>  A good class interval for the histogram is about 1/10 of the width of the item&apos;s reference range. The class</translation>
    </message>
    <message>
        <source>  した基準範囲をもとに階級幅を設定しますので必ず入力して下さい。</source>
        <translation>  interval is proposed from the reference range entered here, so be sure to enter one for every item.</translation>
    </message>
    <message>
        <source>  ( 下記のリストボックスをシングルクリックで修正、ダブルクリックで削除できます )</source>
        <translation>  ( Click an item in the list below to correct it, double-click it to delete it )</translation>
    </message>
    <message>
        <source>  * 注 意： 但し、ここにあるデータはこのアプリケーションで既に使用されている可能性があります。</source>
        <translation>  * Note: the items here may already be in use by this application.</translation>
    </message>
    <message>
        <source>            データの追加、修正は問題ありませんが｢削除｣については、十分注意して行って下さい。</source>
        <translation>            Adding and correcting items is safe, but take great care when you delete one.</translation>
    </message>
    <message>
        <source>            また、項目によっては｢上限値｣の無い場合があります。その際には便宜上、上限値は｢9999｣また</source>
        <translation>            Some items have no upper limit. For such an item, enter 9999 or 99999 as its upper limit</translation>
    </message>
    <message>
        <source>            は｢99999｣と入力して下さい。</source>
        <translation>            for convenience.</translation>
    </message>
    <message>
        <source>項 目 名</source>
        <translation>Item name</translation>
    </message>
    <message>
        <source>下 限 値</source>
        <translation>Lower limit</translation>
    </message>
    <message>
        <source>上 限 値</source>
        <translation>Upper limit</translation>
    </message>
    <message>
        <source>* 基準範囲はできうるかぎり一般的に用いられている値と近似したものを入力して下さい。</source>
        <translation>* Enter reference ranges as close as possible to those in general use.</translation>
    </message>
    <message>
        <source>&#x3000;(一般的な基準範囲と極端にかけ離れている場合、正しいグラフを作成できない場合があります)</source>
        <translation>  (A range far from the usual one may keep the graphs from being drawn correctly.)</translation>
    </message>
</context>
<context>
    <name>Form4</name>
    <message>
        <source>この説明を印刷</source>
        <translation>Print this explanation</translation>
    </message>
    <message>
        <source>print</source>
        <translation>print</translation>
    </message>
    <message>
        <source>close</source>
        <translation>close</translation>
    </message>
</context>
<context>
    <name>Form8</name>
    <message>
        <source>print</source>
        <translation>print</translation>
    </message>
    <message>
        <source>計算結果を印刷</source>
        <translation>Print these results</translation>
    </message>
    <message>
        <source>close</source>
        <translation>close</translation>
    </message>
</context>
<context>
    <name>Form9</name>
    <message>
        <source>print</source>
        <translation>print</translation>
    </message>
    <message>
        <source>この説明を印刷</source>
        <translation>Print this explanation</translation>
    </message>
    <message>
        <source>close</source>
        <translation>close</translation>
    </message>
    <message>
        <source>＜パターンの見方＞</source>
        <translation>&lt; Reading the patterns &gt;</translation>
    </message>
    <message>
        <source>・各点は階級の上限値と、そこまでの</source>
        <translation>- Each point is a class&apos;s upper limit and</translation>
    </message>
    <message>
        <source>  累積相対度数(％)を表します。</source>
        <translation>  the cumulative relative frequency (%) to it.</translation>
    </message>
    <message>
        <source>・点が点線(直線)に沿って並べば、</source>
        <translation>- Points along the dotted (straight) line:</translation>
    </message>
    <message>
        <source>  正規分布とみなせます。</source>
        <translation>  the data may be taken as normal.</translation>
    </message>
    <message>
        <source>・Ｓ型：両裾が正規分布より長い</source>
        <translation>- S shape: both tails longer than normal</translation>
    </message>
    <message>
        <source>  (尖りの強い)分布。外れ値が多く</source>
        <translation>  (a sharp peak). Many outliers also make</translation>
    </message>
    <message>
        <source>  混入した場合も両端が寝てきます。</source>
        <translation>  both ends lie down.</translation>
    </message>
    <message>
        <source>・Ｎ型：両裾が短い一様分布や</source>
        <translation>- N shape: both tails short, as in a uniform</translation>
    </message>
    <message>
        <source>  ドーム様の分布。両端が立ちます。</source>
        <translation>  or dome-shaped distribution. Ends stand up.</translation>
    </message>
    <message>
        <source>・右裾広がりの分布では点の並びが</source>
        <translation>- A long right tail bends the row of points</translation>
    </message>
    <message>
        <source>  上に凸、左裾広がりでは下に凸に</source>
        <translation>  into an arch (∩), a long left tail into a</translation>
    </message>
    <message>
        <source>  曲がります。</source>
        <translation>  bowl (∪).</translation>
    </message>
    <message>
        <source>・２種類の分布が混ざると、途中で</source>
        <translation>- A mixture of two distributions leaves a</translation>
    </message>
    <message>
        <source>  点の並びに段ができます。</source>
        <translation>  step in the row of points.</translation>
    </message>
</context>
<context>
    <name>GraphStatistics</name>
    <message>
        <source>計算不要</source>
        <translation>No calculation needed</translation>
    </message>
    <message>
        <source>グラフ上のデータと生データのサンプル数が同数ですので、   <byte value="xd"/>
計算結果の表示は行いません(メイン画面を参照して下さい)。 <byte value="xd"/>
また、外れ値を両端の階級に取り込んだ場合も表示しません。  </source>
        <translation>The graph holds as many values as the raw data, so no      <byte value="xd"/>
results are shown here (see the main window). Nor are they <byte value="xd"/>
shown when outliers are folded into the end classes.       </translation>
    </message>
    <message>
        <source>計算結果 ... %1</source>
        <translation>Results ... %1</translation>
    </message>
    <message>
        <source>* グラフ上のデータと生データのサンプル数に相違があった場合</source>
        <translation>* These results are shown only when the graph holds</translation>
    </message>
    <message>
        <source>&#x3000;にのみ、この計算結果が表示できます。</source>
        <translation>  fewer values than the data.</translation>
    </message>
    <message>
        <source>* 次の操作を実行する場合は、このウインドウを閉じてから行っ</source>
        <translation>* Close this window before you go on to the next</translation>
    </message>
    <message>
        <source>&#x3000;て下さい。</source>
        <translation>  step.</translation>
    </message>
</context>
<context>
    <name>HelpTexts</name>
    <message>
        <source>&lt;&lt; ＨＩＳＴＯＧＲＡＭ の使い方 &gt;&gt;</source>
        <translation>&lt;&lt; How to use HISTOGRAM &gt;&gt;</translation>
    </message>
    <message>
        <source>  解析する１次元のデータは、次の４通りの方法で取り込むことができます。</source>
        <translation>  The values to analyse (one variable) can be brought in in four ways:</translation>
    </message>
    <message>
        <source>①表計算ソフト(EXCEL等)で作成したCSV形式のファイルを開く、②テキスト</source>
        <translation>(1) open a CSV file made with a spreadsheet (EXCEL etc.), (2) open a text</translation>
    </message>
    <message>
        <source>ファイルを開く、③表計算ソフトやテキストでコピーしたデータを貼り付ける、</source>
        <translation>file, (3) paste values copied from a spreadsheet or a text, or (4) type</translation>
    </message>
    <message>
        <source>④データを１件ずつ手入力する。</source>
        <translation>the values in one by one.</translation>
    </message>
    <message>
        <source>  読み込み可能件数：40,000件、貼り付け可能件数：10,000件</source>
        <translation>  Up to 40,000 values can be read from a file, and up to 10,000 pasted.</translation>
    </message>
    <message>
        <source>  データを取り込んだら階級幅と階級数を設定し、度数表を作成します。</source>
        <translation>  With the values in, set the class interval and the number of classes and</translation>
    </message>
    <message>
        <source>次に「ＧＲＡＰＨ&#x3000;ＯＦ&#x3000;ＨＩＳＴＯＧＲＡＭ」ボタンを押すと、ヒストグラム</source>
        <translation>make the frequency table. Then the &quot;GRAPH OF HISTOGRAM&quot; button shows the</translation>
    </message>
    <message>
        <source>と正規確率紙のグラフが表示されます。</source>
        <translation>histogram and the plot on normal probability paper.</translation>
    </message>
    <message>
        <source>  階級幅は、測定項目の基準範囲の幅のおよそ１／１０を目安にしています。</source>
        <translation>  As a guide, the class interval is about 1/10 of the width of the item&apos;s</translation>
    </message>
    <message>
        <source>測定項目の基準範囲は「Ｒ．Ｉ．」ボタンで登録して下さい。度数表を作る前</source>
        <translation>reference range; enter the reference ranges with the &quot;R.I.&quot; button. Choose</translation>
    </message>
    <message>
        <source>に測定項目を選んでおくと、その基準範囲から階級幅・下限値・階級数が提案</source>
        <translation>the measurement item before making the table, and the class interval, lower</translation>
    </message>
    <message>
        <source>されます。</source>
        <translation>limit and number of classes are proposed from its reference range.</translation>
    </message>
    <message>
        <source>  どの画面の内容も印刷することができます。また、グラフや画面はクリップ・</source>
        <translation>  The contents of every window can be printed. Graphs and windows can also</translation>
    </message>
    <message>
        <source>ボードにコピーして、他のアプリケーション(ワープロ、表計算ソフト等)に</source>
        <translation>be copied to the clipboard and pasted into other applications (word</translation>
    </message>
    <message>
        <source>貼り付けることができます。</source>
        <translation>processors, spreadsheets and so on).</translation>
    </message>
    <message>
        <source>  印刷はＡ４単票のみに対応しています。拡大・縮小などの調整は、印刷ダイ</source>
        <translation>  Printing is on single A4 sheets only. Enlarge or reduce in the properties</translation>
    </message>
    <message>
        <source>アログのプロパティ(プリンタの設定)で行って下さい。</source>
        <translation>of the print dialog (the printer settings).</translation>
    </message>
    <message>
        <source>* 次の操作を実行する場合は、このウィンドウを閉じてから行って下さい。</source>
        <translation>* Close this window before you go on to the next step.</translation>
    </message>
    <message>
        <source>&lt;&lt; Skewness と Kurtosis について &gt;&gt;</source>
        <translation>&lt;&lt; About skewness and kurtosis &gt;&gt;</translation>
    </message>
    <message>
        <source>  歪度(Skewness：ｂ1)は分布の左右の非対称性を表す指標で、正規分布では</source>
        <translation>  Skewness (b1) measures how asymmetric a distribution is; it is 0 for the</translation>
    </message>
    <message>
        <source>０になります。尖度(Kurtosis：ｂ2)は分布の尖り具合(裾の長さ)を表す</source>
        <translation>normal distribution. Kurtosis (b2) measures how peaked it is (how long its</translation>
    </message>
    <message>
        <source>指標で、正規分布では３になります。どちらも次の式で計算しています。</source>
        <translation>tails are); it is 3 for the normal distribution. Both are computed as below</translation>
    </message>
    <message>
        <source>(ＳＤ は例数 ｎ で割った標準偏差です)</source>
        <translation>(SD is the standard deviation with the sample size n as its divisor).</translation>
    </message>
    <message>
        <source> ( ｎ：例数，Ｘ：平均値，ＳＤ：標準偏差(Ｓn*) )</source>
        <translation> ( n: count, Ｘ: mean, SD: pop. SD (Sn*) )</translation>
    </message>
    <message>
        <source>  ｂ1、ｂ2 の値から、分布の形は次のように読み取ることができます。</source>
        <translation>  The shape of the distribution can be read from b1 and b2 as follows.</translation>
    </message>
    <message>
        <source>ｂ1＜０  低値側に裾を引く分布</source>
        <translation>b1 &lt; 0   a tail drawn out towards the low values</translation>
    </message>
    <message>
        <source>ｂ1＝０  左右対称の分布</source>
        <translation>b1 = 0   a symmetric distribution</translation>
    </message>
    <message>
        <source>ｂ1＞０  高値側に裾を引く分布</source>
        <translation>b1 &gt; 0   a tail drawn out towards the high values</translation>
    </message>
    <message>
        <source>ｂ2＜３  正規分布より裾が短い分布(一様分布、ドーム型の分布など)</source>
        <translation>b2 &lt; 3   shorter tails than the normal (uniform, dome-shaped etc.)</translation>
    </message>
    <message>
        <source>ｂ2＝３  正規分布</source>
        <translation>b2 = 3   the normal distribution</translation>
    </message>
    <message>
        <source>ｂ2＞３  正規分布より裾が長い分布(対数正規分布、ｔ分布など)</source>
        <translation>b2 &gt; 3   longer tails than the normal (log-normal, t distribution etc.)</translation>
    </message>
    <message>
        <source>  正規性の検定では、「標本は正規分布に従う母集団から得られたものである」</source>
        <translation>  The normality test tests the null hypothesis &quot;the sample comes from a</translation>
    </message>
    <message>
        <source>という帰無仮説を、歪度と尖度のそれぞれについて検定しています。</source>
        <translation>normally distributed population&quot; for skewness and kurtosis separately.</translation>
    </message>
    <message>
        <source>  危険率５％で有意でない(N.S)場合は、その分布が正規分布と異なるとは</source>
        <translation>  Not significant at the 5% level (N.S): the distribution cannot be said</translation>
    </message>
    <message>
        <source>言えません。</source>
        <translation>to differ from the normal distribution.</translation>
    </message>
    <message>
        <source>  危険率５％で有意(P&lt;0.05、P&lt;0.01、P&lt;0.001)な場合は、その分布は正規</source>
        <translation>  Significant at the 5% level (P&lt;0.05, P&lt;0.01, P&lt;0.001): the distribution</translation>
    </message>
    <message>
        <source>分布から有意に偏っていると言えます。</source>
        <translation>departs significantly from the normal distribution.</translation>
    </message>
    <message>
        <source>  * すなわち、歪度と尖度両者が N.S(有意差なし)であれば、その分布はほぼ正規分布と考えてよいと言えます。</source>
        <translation>  * So when skewness and kurtosis are both N.S (not significant), the distribution is close to normal.</translation>
    </message>
</context>
<context>
    <name>MasterEditor</name>
    <message>
        <source>入力エラー</source>
        <translation>Input error</translation>
    </message>
    <message>
        <source>項目名・下限値・上限値に ダブルクォーテーション（&quot;）と改行は使えません。      </source>
        <translation>An item name, lower limit or upper limit cannot hold a double quote (&quot;) or a line break.      </translation>
    </message>
    <message>
        <source>項目名・下限値・上限値に Shift-JIS で表せない文字が含まれています。      </source>
        <translation>The item name, lower limit or upper limit holds a character that Shift-JIS cannot represent.      </translation>
    </message>
</context>
<context>
    <name>PlotHelpText</name>
    <message>
        <source>&lt;&lt; 95％信頼区間について &gt;&gt;</source>
        <translation>&lt;&lt; About the 95% interval &gt;&gt;</translation>
    </message>
    <message>
        <source>&lt;&lt; 正規確率紙( Normal probability paper ) について &gt;&gt;</source>
        <translation>&lt;&lt; About normal probability paper &gt;&gt;</translation>
    </message>
    <message>
        <source>&lt;&lt; データの分布型と正規確率紙上のパターン &gt;&gt;</source>
        <translation>&lt;&lt; Shapes of distributions and their patterns on normal probability paper &gt;&gt;</translation>
    </message>
    <message>
        <source>  * 次の操作を実行する場合は、このウィンドウを閉じてから行って下さい。</source>
        <translation>  * Close this window before you go on to the next step.</translation>
    </message>
    <message>
        <source>  正規確率紙上の各点(階級の上限値における累積相対度数)を通る曲線を</source>
        <translation>  A smoothing spline is drawn through the points on the normal</translation>
    </message>
    <message>
        <source>スプライン関数で描き、その曲線が 2.5％ 及び 97.5％ の線と交わる点の</source>
        <translation>probability paper (cumulative relative frequency at each class&apos;s</translation>
    </message>
    <message>
        <source>値をそれぞれ 95％信頼区間の下限値、上限値として求めています。</source>
        <translation>upper limit); where it crosses the 2.5% and 97.5% lines gives the</translation>
    </message>
    <message>
        <source>  データが正規分布でなくても分布の中央 95％ の範囲を読み取ることが</source>
        <translation>lower and upper limits of the 95% interval. This reads the central</translation>
    </message>
    <message>
        <source>できますが、画面の分解能(描画の精度)や曲線の当てはめの誤差を含む</source>
        <translation>95% even of data that are not normal, but with the errors of the</translation>
    </message>
    <message>
        <source>ため、求めた値はあくまでも推定値です。基準範囲を設定する際の目安</source>
        <translation>screen&apos;s resolution and of the curve&apos;s fit: the limits are only</translation>
    </message>
    <message>
        <source>としてお使い下さい。曲線が線と交わらない場合や、交点が表の範囲の</source>
        <translation>estimates, a guide for reference intervals. A curve that misses a</translation>
    </message>
    <message>
        <source>外になる場合は「曲線不良」と表示します。</source>
        <translation>line, or meets it outside the table, is reported as a bad curve.</translation>
    </message>
    <message>
        <source>  縦軸の目盛りを標準正規分布の累積確率(％)に合わせたグラフ用紙です。</source>
        <translation>  Graph paper whose vertical scale follows the cumulative probability</translation>
    </message>
    <message>
        <source>横軸に測定値(階級の上限値)、縦軸にその値までの累積相対度数をとって</source>
        <translation>(%) of the standard normal distribution. With the value (a class&apos;s</translation>
    </message>
    <message>
        <source>点を打つと、正規分布に従うデータの点はほぼ一直線上に並びます。</source>
        <translation>upper limit) across and the cumulative relative frequency up to it,</translation>
    </message>
    <message>
        <source>  直線からのずれ方でデータの分布型を知ることができます。また、</source>
        <translation>normally distributed data fall nearly on a straight line; how they</translation>
    </message>
    <message>
        <source>50％の線と交わる値は中央値、2.5％ と 97.5％ の線と交わる値は分布の</source>
        <translation>stray from it shows the shape of the distribution. The 50% line meets</translation>
    </message>
    <message>
        <source>中央 95％ の範囲の両端にあたります。下の図は代表的な分布型とその</source>
        <translation>the median, the 2.5% and 97.5% lines the ends of the central 95%.</translation>
    </message>
    <message>
        <source>パターンです(点線は正規分布の場合の直線)。</source>
        <translation>Below: typical shapes and patterns (dotted: the normal line).</translation>
    </message>
    <message>
        <source>Ｓ型</source>
        <translation>S</translation>
    </message>
    <message>
        <source>Ｎ型</source>
        <translation>N</translation>
    </message>
</context>
</TS>
