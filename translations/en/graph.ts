<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>ClipboardPictures</name>
    <message>
        <source>累積相対度数(%)</source>
        <translation>Cumulative frequency (%)</translation>
    </message>
</context>
<context>
    <name>Form2</name>
    <message>
        <source>戻  る</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>HISTOGRAMのCOPY</source>
        <translation>Copy histogram</translation>
    </message>
    <message>
        <source>正規確率紙のCOPY</source>
        <translation>Copy prob. plot</translation>
    </message>
    <message>
        <source>計 算</source>
        <translation>Stats</translation>
    </message>
    <message>
        <source>印 刷</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>画面のCOPY</source>
        <translation>Copy window</translation>
    </message>
    <message>
        <source>？</source>
        <translation>?</translation>
    </message>
    <message>
        <source>ヒストグラムを印刷</source>
        <translation>Print the histogram page</translation>
    </message>
    <message>
        <source>正規確率紙から求める95％信頼区間の説明</source>
        <translation>About the 95% interval read from the normal probability plot</translation>
    </message>
    <message>
        <source>設定ファイルを保存できません。作業フォルダを確認して下さい。<byte value="xd"/>
%1</source>
        <translation>The settings file cannot be saved. Check the working folder.<byte value="xd"/>
%1</translation>
    </message>
    <message>
        <source>全画面をクリップ・ボードにコピーします。      </source>
        <translation>The whole window is copied to the clipboard.      </translation>
    </message>
    <message>
        <source>ヒストグラムのグラフをクリップ・ボードにコピーします。      </source>
        <translation>The histogram is copied to the clipboard.      </translation>
    </message>
    <message>
        <source>正規確率紙のグラフをクリップ・ボードにコピーします。      </source>
        <translation>The normal probability plot is copied to the clipboard.      </translation>
    </message>
    <message>
        <source><byte value="xd"/>
よろしいですか？</source>
        <translation><byte value="xd"/>
Do you want to go on?</translation>
    </message>
    <message>
        <source>基準範囲の推定</source>
        <translation>Ref. intervals</translation>
    </message>
</context>
<context>
    <name>GraphComputation</name>
    <message>
        <source>パラメータが適当ではありません。    <byte value="xd"/>
階級幅や階級数などを見直して下さい。            </source>
        <translation>The parameters are not suitable.    <byte value="xd"/>
Check the class width, the number of classes and so on.            </translation>
    </message>
</context>
<context>
    <name>GraphPainter</name>
    <message>
        <source>File Name：%1 (N=%2)</source>
        <translation>File Name: %1 (N=%2)</translation>
    </message>
    <message>
        <source>disp：</source>
        <translation>disp:</translation>
    </message>
    <message>
        <source>理論的正規分布曲線を表示する</source>
        <translation>Show the normal curve</translation>
    </message>
    <message>
        <source>基準範囲を表示する</source>
        <translation>Show ref. range</translation>
    </message>
    <message>
        <source>曲線との交点から95％信頼区間を求める</source>
        <translation>95% interval from the curve crossings</translation>
    </message>
    <message>
        <source>正規確率紙を印刷する</source>
        <translation>Print the probability plot</translation>
    </message>
    <message>
        <source>理論的正規分布曲線を印刷する</source>
        <translation>Print the theoretical normal curve</translation>
    </message>
    <message>
        <source>基準範囲を印刷する</source>
        <translation>Print the reference range</translation>
    </message>
    <message>
        <source>95％信頼区間を印刷する</source>
        <translation>Print the 95% interval</translation>
    </message>
    <message>
        <source>計算結果を印刷する</source>
        <translation>Print the statistics</translation>
    </message>
    <message>
        <source>理論的正規分布曲線</source>
        <translation>Normal curve</translation>
    </message>
    <message>
        <source>histogramの分布曲線(平滑化係数：        )</source>
        <translation>Smoothed histogram (smoothing:        )</translation>
    </message>
    <message>
        <source>累積相対度数(%)</source>
        <translation>Cumulative frequency (%)</translation>
    </message>
</context>
<context>
    <name>HistogramPage</name>
    <message>
        <source>File Name： %1 (N=%2)</source>
        <translation>File Name: %1 (N=%2)</translation>
    </message>
    <message>
        <source>LOWER：</source>
        <translation>LOWER: </translation>
    </message>
    <message>
        <source>UPPER：</source>
        <translation>UPPER: </translation>
    </message>
    <message>
        <source>パラメータが適当ではありません。    <byte value="xd"/>
階級幅や階級数などを見直して下さい。            </source>
        <translation>The parameters are not suitable.    <byte value="xd"/>
Check the class width, the number of classes and so on.            </translation>
    </message>
    <message>
        <source>累積相対度数(%)</source>
        <translation>Cumulative frequency (%)</translation>
    </message>
    <message>
        <source>理論的正規分布曲線</source>
        <translation>Normal curve</translation>
    </message>
    <message>
        <source>histogramの分布曲線</source>
        <translation>Smoothed histogram</translation>
    </message>
    <message>
        <source> 曲線不良</source>
        <translation> bad curve</translation>
    </message>
    <message>
        <source>95％信頼区間の下限値：</source>
        <translation>Lower 95% limit:</translation>
    </message>
    <message>
        <source>95％信頼区間の上限値：</source>
        <translation>Upper 95% limit:</translation>
    </message>
</context>
<context>
    <name>PatternPicture</name>
    <message>
        <source>正規分布</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source> 外れ値の多く混入した</source>
        <translation>Normal with many</translation>
    </message>
    <message>
        <source> 正規分布</source>
        <translation>outliers</translation>
    </message>
    <message>
        <source>両裾広がり分布</source>
        <translation>Heavy tails</translation>
    </message>
    <message>
        <source>(尖りの強い分布)</source>
        <translation>(sharp peak)</translation>
    </message>
    <message>
        <source>右裾広がり分布</source>
        <translation>Right-skewed</translation>
    </message>
    <message>
        <source> ２種類の分布の混合型</source>
        <translation>Two mixed normals</translation>
    </message>
    <message>
        <source>一様分布</source>
        <translation>Uniform</translation>
    </message>
    <message>
        <source>ドーム様分布</source>
        <translation>Dome-shaped</translation>
    </message>
    <message>
        <source>左裾広がり分布</source>
        <translation>Left-skewed</translation>
    </message>
    <message>
        <source>横軸：測定値(階級の上限値)&#x3000;&#x3000;縦軸：累積相対度数(％)</source>
        <translation>Across: value (upper class limit)    Up: cumulative frequency (%)</translation>
    </message>
    <message>
        <source>データの点</source>
        <translation>Data points</translation>
    </message>
    <message>
        <source>正規分布の場合の直線</source>
        <translation>Line of normal data</translation>
    </message>
    <message>
        <source>2.5％・97.5％の線</source>
        <translation>2.5% and 97.5% lines</translation>
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
<context>
    <name>ProbitPlot</name>
    <message>
        <source>95％信頼区間の下限値：</source>
        <translation>Lower 95% limit:</translation>
    </message>
    <message>
        <source>95％信頼区間の上限値：</source>
        <translation>Upper 95% limit:</translation>
    </message>
    <message>
        <source>曲線不良</source>
        <translation>bad curve</translation>
    </message>
</context>
<context>
    <name>ReferenceMarkers</name>
    <message>
        <source>LOWER：</source>
        <translation>LOWER: </translation>
    </message>
    <message>
        <source>UPPER：</source>
        <translation>UPPER: </translation>
    </message>
</context>
</TS>
