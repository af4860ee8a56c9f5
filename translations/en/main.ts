<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>BasicStatistics</name>
    <message>
        <source>( 基礎計算結果 )</source>
        <translation>( Basic statistics )</translation>
    </message>
    <message>
        <source>標本が適当なデータではありません。      </source>
        <translation>The sample is not suitable for calculation.</translation>
    </message>
</context>
<context>
    <name>ClassParameters</name>
    <message>
        <source>* R.I.：  - %1</source>
        <translation>* R.I.:  - %1</translation>
    </message>
    <message>
        <source>* R.I.： %1 - %2</source>
        <translation>* R.I.: %1 - %2</translation>
    </message>
    <message>
        <source>異常率(%)：</source>
        <translation>Outside (%):</translation>
    </message>
    <message>
        <source>Lower：%1</source>
        <translation>Lower: %1</translation>
    </message>
    <message>
        <source>Upper：%1</source>
        <translation>Upper: %1</translation>
    </message>
    <message>
        <source>Total：%1</source>
        <translation>Total: %1</translation>
    </message>
    <message>
        <source>パラメータが未設定です。      </source>
        <translation>The parameters are not set.</translation>
    </message>
    <message>
        <source>階級幅が小さ過ぎます。       </source>
        <translation>The class interval is too small.</translation>
    </message>
    <message>
        <source>階級幅の桁数が大き過ぎます。      </source>
        <translation>The class interval has too many digits.</translation>
    </message>
    <message>
        <source>階級幅が大き過ぎます。      </source>
        <translation>The class interval is too large.</translation>
    </message>
    <message>
        <source>下限値の桁数が大き過ぎます。      </source>
        <translation>The lower limit has too many digits.</translation>
    </message>
    <message>
        <source>下限値の値が大き過ぎます。      </source>
        <translation>The lower limit is too large.</translation>
    </message>
    <message>
        <source>階級数が多すぎます。        </source>
        <translation>There are too many classes.</translation>
    </message>
    <message>
        <source>階級数は10以上にして下さい。        </source>
        <translation>Please use 10 or more classes.</translation>
    </message>
    <message>
        <source>測定項目名を選択して下さい。(推奨)</source>
        <translation>Choose an item (recommended).</translation>
    </message>
    <message>
        <source>階級幅など設定後、Frequency tableﾎﾞﾀﾝをどうぞ。</source>
        <translation>Set the classes, then press Frequency table.</translation>
    </message>
    <message>
        <source>｢ Frequency table ｣を作成の後、下記のボタンをどうぞ。</source>
        <translation>After building the Frequency table, use the buttons below.</translation>
    </message>
</context>
<context>
    <name>DataFileReader</name>
    <message>
        <source>不正なデータ</source>
        <translation>Bad data</translation>
    </message>
    <message>
        <source>このファイルにデータがないか、取り扱い不可能なデータが存在しています。       </source>
        <translation>This file holds no data, or data that cannot be handled.</translation>
    </message>
    <message>
        <source>読み込んだファイルのデータ形式は複数配列のものです。１元配列のデータを読み込んで下さい。       <byte value="xd"/>
 （%1元配列です） </source>
        <translation>The file holds data in several columns. Please read a file with a single column of data.<byte value="xd"/>
 (%1 columns)</translation>
    </message>
    <message>
        <source>データが少なすぎます。          <byte value="xd"/>
(データ数が10件未満です)                     </source>
        <translation>Too few data.<byte value="xd"/>
(fewer than 10 values)</translation>
    </message>
    <message>
        <source>本プログラムで扱えるデータは４０,０００件までです。    <byte value="xd"/>
４０,０００件までのデータを取り込みました。</source>
        <translation>This program handles up to 40,000 values.<byte value="xd"/>
The first 40,000 values have been read.</translation>
    </message>
    <message>
        <source>ファイルの読み込みがキャセルされました。     <byte value="xd"/>
全ての処理を最初から行って下さい。    </source>
        <translation>Reading the file was cancelled.<byte value="xd"/>
Please start again from the beginning.</translation>
    </message>
    <message>
        <source>ファイルが見つかりません。</source>
        <translation>The file was not found.</translation>
    </message>
    <message>
        <source>フォルダです。</source>
        <translation>It is a folder.</translation>
    </message>
    <message>
        <source>通常のファイルではありません（FIFO、デバイスなど）。</source>
        <translation>It is not a regular file (a FIFO, a device, ...).</translation>
    </message>
    <message>
        <source>読み取りの権限がありません。</source>
        <translation>There is no permission to read it.</translation>
    </message>
    <message>
        <source>読み込み中にエラーが発生しました（%1）。</source>
        <translation>An error occurred while reading (%1).</translation>
    </message>
    <message>
        <source>このファイルは読み込めません。%1<byte value="xd"/>
%2</source>
        <translation>This file cannot be read. %1<byte value="xd"/>
%2</translation>
    </message>
</context>
<context>
    <name>DataPanel</name>
    <message>
        <source>新規・入力</source>
        <translation>New entry</translation>
    </message>
    <message>
        <source> <byte value="xd"/>
データ入力を行います。         <byte value="xd"/>
 </source>
        <translation> <byte value="xd"/>
Please type the data.<byte value="xd"/>
 </translation>
    </message>
    <message>
        <source>現在のデータを全て消去して、新規にデータ入力を行います。         <byte value="xd"/>
(データのみ消去され、ファイルは消去されません。)<byte value="xd"/>
<byte value="xd"/>
よろしいですか？            <byte value="xd"/>
 </source>
        <translation>All current data will be cleared for a new data entry.<byte value="xd"/>
(Only the data are cleared; the file is not deleted.)<byte value="xd"/>
<byte value="xd"/>
Do you want to continue?<byte value="xd"/>
 </translation>
    </message>
    <message>
        <source>選択されたデータを削除します。&#x3000;&#x3000;よろしいですか？                </source>
        <translation>The selected value will be deleted. Do you want to continue?</translation>
    </message>
    <message>
        <source>挿入</source>
        <translation>Insert</translation>
    </message>
    <message>
        <source>挿入するデータの行が指定されていません。      <byte value="xd"/>
(選択した行の前にデータまたは空欄が挿入されます)         </source>
        <translation>No row is chosen for the insertion.<byte value="xd"/>
(A value or an empty row is inserted before the chosen row.)</translation>
    </message>
    <message>
        <source>選択された行の前にデータまたは空欄を挿入します。&#x3000;&#x3000;よろしいですか？                <byte value="xd"/>
(データ入力欄にデータを入力するか、空欄にする場合は、入力欄を消去してから「はい」をどうぞ。         <byte value="xd"/>
 そのまま「はい」をクリックすると現在のデータが前の行にコピーされます)&#x3000;&#x3000;         </source>
        <translation>A value or an empty row will be inserted before the chosen row. Do you want to continue?<byte value="xd"/>
(Type the value in the entry field, or clear the entry field for an empty row, then click &quot;Yes&quot;.<byte value="xd"/>
 Clicking &quot;Yes&quot; as it is copies the current value into the row before.)</translation>
    </message>
    <message>
        <source>データが少なすぎます(データ数が10件未満です)。           <byte value="xd"/>
<byte value="xd"/>
または、 データがありません。                     <byte value="xd"/>
 </source>
        <translation>Too few data (fewer than 10 values).<byte value="xd"/>
<byte value="xd"/>
Or there are no data.<byte value="xd"/>
 </translation>
    </message>
    <message>
        <source>計  算</source>
        <translation>Compute</translation>
    </message>
    <message>
        <source>現在のデータによって、各種パラメータを計算します。&#x3000;      <byte value="xd"/>
よろしいですか？                 <byte value="xd"/>
<byte value="xd"/>
( データを新規に入力した場合、または、追加、訂正した場合は、<byte value="xd"/>
  必ず再度この計算ボタンで計算しなおして下さい。)      </source>
        <translation>The statistics will be computed from the current data.<byte value="xd"/>
Do you want to continue?<byte value="xd"/>
<byte value="xd"/>
(Whenever data have been typed anew, added or corrected,<byte value="xd"/>
 always compute again with this button.)</translation>
    </message>
</context>
<context>
    <name>EntryRules</name>
    <message>
        <source>本プログラムで扱えるデータの範囲を超えています。         </source>
        <translation>The value is outside the range this program handles.</translation>
    </message>
    <message>
        <source>入力できるデータは、小数点以下４桁までです。       </source>
        <translation>Values may have at most 4 decimal places.</translation>
    </message>
    <message>
        <source>入力できるのは数値のみです。カンマ、空白、タブ、引用符を含むデータは入力できません。</source>
        <translation>Only numbers can be typed. Values with commas, blanks, tabs or quotation marks are refused.</translation>
    </message>
    <message>
        <source>本プログラムでは、使用できるデータ件数は ４０,０００件までです。        </source>
        <translation>This program handles at most 40,000 values.</translation>
    </message>
    <message>
        <source>挿入</source>
        <translation>Insert</translation>
    </message>
    <message>
        <source>本プログラムでは、使用できるデータ件数は ４０,０００件までです。<byte value="xd"/>
これ以上挿入できません。</source>
        <translation>This program handles at most 40,000 values.<byte value="xd"/>
No more can be inserted.</translation>
    </message>
</context>
<context>
    <name>ErrorHandler</name>
    <message>
        <source>メモリー不足</source>
        <translation>Out of memory</translation>
    </message>
    <message>
        <source>メモリー不足のエラーが発生しました。     <byte value="xd"/>
メモリーは最低９６ＭＢ以上搭載してお使い下さい。       </source>
        <translation>The memory ran out.<byte value="xd"/>
Please use the program with at least 96 MB of memory.</translation>
    </message>
    <message>
        <source>システムエラー</source>
        <translation>System error</translation>
    </message>
    <message>
        <source>システムに問題があるか、ネットワークが切断されています。       <byte value="xd"/>
確認して下さい。     </source>
        <translation>There is a problem with the system, or the network is disconnected.<byte value="xd"/>
Please check.</translation>
    </message>
    <message>
        <source>不正なデータ</source>
        <translation>Bad data</translation>
    </message>
    <message>
        <source>このファイルにデータがないか、取り扱い不可能なデータが存在しています。       </source>
        <translation>This file holds no data, or data that cannot be handled.</translation>
    </message>
    <message>
        <source>エラー</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>エラーが発生しました。     <byte value="xd"/>
発生原因を確認して下さい。    </source>
        <translation>An error occurred.<byte value="xd"/>
Please check its cause.</translation>
    </message>
</context>
<context>
    <name>FilePanel</name>
    <message>
        <source>ファイルのオープン</source>
        <translation>Open a file</translation>
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
        <source>このヒストグラムの設定結果をファイルに保存しますか？<byte value="xd"/>
（上書き保存）&#x3000;&#x3000;&#x3000;     </source>
        <translation>Save the settings of this histogram to the file?<byte value="xd"/>
(The file is overwritten.)</translation>
    </message>
    <message>
        <source>貼り付けたデータ及びこのﾋｽﾄｸﾞﾗﾑの結果をファイルに保存しますか？       </source>
        <translation>Save the pasted data and the results of this histogram to a file?</translation>
    </message>
    <message>
        <source>このヒストグラムのデータをファイルに保存しますか ？  &#x3000;&#x3000;&#x3000;     </source>
        <translation>Save the data of this histogram to a file?</translation>
    </message>
    <message>
        <source>パラメータに異常があります。    </source>
        <translation>The parameters are not valid.</translation>
    </message>
    <message>
        <source>貼り付けデータの保存</source>
        <translation>Save pasted data</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>ファイルを保存できませんでした。元のファイルは変更されていません。<byte value="xd"/>
</source>
        <translation>The file could not be saved. The original file is unchanged.<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>%1 は既に存在します。<byte value="xd"/>
置き換えますか？</source>
        <translation>%1 already exists.<byte value="xd"/>
Do you want to replace it?</translation>
    </message>
    <message>
        <source>データ数が不足のため、保存できません。&#x3000;<byte value="xd"/>
または、データがありません。&#x3000;&#x3000;&#x3000;&#x3000;&#x3000;&#x3000;&#x3000;  </source>
        <translation>Too few data to save.<byte value="xd"/>
Or there are no data.</translation>
    </message>
    <message>
        <source>ファイルの保存</source>
        <translation>Save the file</translation>
    </message>
    <message>
        <source>CSVﾌｧｲﾙ(*.CSV)</source>
        <translation>CSV files (*.CSV)</translation>
    </message>
    <message>
        <source>名前を付けて保存</source>
        <translation>Save as</translation>
    </message>
    <message>
        <source>Excelﾌｧｲﾙ(*.CSV)</source>
        <translation>Excel files (*.CSV)</translation>
    </message>
</context>
<context>
    <name>Form6</name>
    <message>
        <source>データの貼り付け中です。</source>
        <translation>Pasting the data.</translation>
    </message>
    <message>
        <source>しばらくお待ち下さい。</source>
        <translation>Please wait.</translation>
    </message>
    <message>
        <source>( [Ｚ]･keyでキャンセル )</source>
        <translation>( [Z] key to cancel )</translation>
    </message>
    <message>
        <source>ファイルを読み込み中です。</source>
        <translation>Reading the file.</translation>
    </message>
</context>
<context>
    <name>FrequencyTable</name>
    <message>
        <source>パラメーターの設定が適当ではありません。  <byte value="xd"/>
階級幅など再度設定の後このボタンをどうぞ。            </source>
        <translation>The parameters are not suitable.<byte value="xd"/>
Set the class interval etc. again, then press this button.</translation>
    </message>
    <message>
        <source> － </source>
        <translation> to </translation>
    </message>
</context>
<context>
    <name>MainForm</name>
    <message>
        <source>上記のリストをクリックによって訂正、ダブルクリックで削除。&#x3000;既存のデータがある場合は、データの追加も可能です。</source>
        <translation>Click a row above to correct it, double-click to delete it. Values can be added to existing data.</translation>
    </message>
    <message>
        <source>ファイルを開く</source>
        <translation>Open file</translation>
    </message>
    <message>
        <source>名前を付けて保存</source>
        <translation>Save as</translation>
    </message>
    <message>
        <source>？</source>
        <translation>?</translation>
    </message>
    <message>
        <source>使い方の説明</source>
        <translation>How to use the program</translation>
    </message>
    <message>
        <source>基準範囲（Reference Intervals）マスタの編集</source>
        <translation>Edit the reference interval master</translation>
    </message>
    <message>
        <source>4 桁</source>
        <translation>4</translation>
    </message>
    <message>
        <source>PASTE(貼り付け)</source>
        <translation>PASTE</translation>
    </message>
    <message>
        <source>Data入力・新規</source>
        <translation>New data entry</translation>
    </message>
    <message>
        <source>選択解除</source>
        <translation>Deselect</translation>
    </message>
    <message>
        <source>挿  入</source>
        <translation>Insert</translation>
    </message>
    <message>
        <source>計   算</source>
        <translation>Compute</translation>
    </message>
    <message>
        <source>データ一覧を印刷</source>
        <translation>Print the data list</translation>
    </message>
    <message>
        <source>基礎計算結果</source>
        <translation>Statistics</translation>
    </message>
    <message>
        <source>基礎計算結果を印刷</source>
        <translation>Print the basic statistics</translation>
    </message>
    <message>
        <source>度数表を印刷</source>
        <translation>Print the frequency table</translation>
    </message>
    <message>
        <source>歪度・尖度の説明</source>
        <translation>About skewness and kurtosis</translation>
    </message>
    <message>
        <source>度数表を作り直す</source>
        <translation>Build the frequency table again</translation>
    </message>
    <message>
        <source>度数表( Frequency table )のEXCELへのEXPORT</source>
        <translation>Export the frequency table to Excel (CSV)</translation>
    </message>
    <message>
        <source>基準範囲</source>
        <translation>Intervals</translation>
    </message>
    <message>
        <source>基準範囲（間接法）</source>
        <translation>Indirect RI</translation>
    </message>
    <message>
        <source>日常検査データ（健常者と患者が混在）から基準範囲を推定する</source>
        <translation>Estimate reference intervals from routine laboratory data (healthy people and patients mixed)</translation>
    </message>
    <message>
        <source>終了</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>プログラムを終了します。&#x3000;よろしいですか？  &#x3000;&#x3000;&#x3000;      ･･････ THE KLEPSYDRA</source>
        <translation>The program will end. Are you sure?   ...... THE KLEPSYDRA</translation>
    </message>
    <message>
        <source>設定ファイルを保存できません。作業フォルダを確認して下さい。<byte value="xd"/>
</source>
        <translation>The settings file cannot be saved. Please check the working folder.<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>データがありません。<byte value="xd"/>
データを読み込んでから押して下さい。</source>
        <translation>There are no data.<byte value="xd"/>
Read data first, then press this button.</translation>
    </message>
</context>
<context>
    <name>PasteScanner</name>
    <message>
        <source>貼り付け</source>
        <translation>Paste</translation>
    </message>
    <message>
        <source>表計算ソフト、TEXT形式のデータなどをドラッグなどによってコ  <byte value="xd"/>
ピーし、本アプリケーションに取り込むことができます。        <byte value="xd"/>
但し、貼り付け可能なデータの数は１０,０００件までです。     <byte value="xd"/>
（ 注：表計算ソフト、TEXT形式のデータの種類によっては貼り   <byte value="xd"/>
          付け不可能の場合がありますので、ご注意下さい。)   <byte value="xd"/>
コピーしたデータを本アプリケーションに取り込み（貼り付け）  <byte value="xd"/>
ますか？      </source>
        <translation>Data copied from a spreadsheet, a text file and so on<byte value="xd"/>
can be taken into this application.<byte value="xd"/>
Up to 10,000 values can be pasted.<byte value="xd"/>
(Note: some spreadsheet or text data<byte value="xd"/>
 cannot be pasted.)<byte value="xd"/>
Take the copied data into this application (paste)?</translation>
    </message>
    <message>
        <source>データがコピーされていません。          </source>
        <translation>No data have been copied.</translation>
    </message>
    <message>
        <source>デ－タが全く選択されていないか、または数値ではない異常デ－タが選択されています。       <byte value="xd"/>
もう一度デ－タを確認して下さい！ </source>
        <translation>No data are selected, or data that are not numbers are selected.<byte value="xd"/>
Please check the data again!</translation>
    </message>
    <message>
        <source>本ﾌﾟﾛｸﾞﾗﾑで扱える範囲を越えたデ－タが存在しています。もう一度デ－タを確認して下さい！    </source>
        <translation>There are values outside the range this program handles. Please check the data again!</translation>
    </message>
    <message>
        <source>デ－タ数が１０件以下です。もう一度デ－タを確認して下さい！    </source>
        <translation>There are 10 values or fewer. Please check the data again!</translation>
    </message>
    <message>
        <source>９桁を越えるデ－タが選択されています。もう一度デ－タを確認して下さい！        </source>
        <translation>Values longer than 9 digits are selected. Please check the data again!</translation>
    </message>
    <message>
        <source>デ－タ数が10,000件以上です。上位10,000件のみここではデータとして取り込みます。&#x3000;&#x3000;&#x3000;</source>
        <translation>There are 10,000 values or more. Only the first 10,000 values are taken.</translation>
    </message>
    <message>
        <source>データの貼り付けがキャセルされました。     <byte value="xd"/>
全ての処理を最初から行って下さい。    </source>
        <translation>Pasting the data was cancelled.<byte value="xd"/>
Please start again from the beginning.</translation>
    </message>
</context>
<context>
    <name>ReportPanel</name>
    <message>
        <source>度数表が完成されていません。&#x3000;&#x3000;&#x3000;&#x3000;&#x3000;</source>
        <translation>The frequency table has not been built.</translation>
    </message>
    <message>
        <source>度数表をCSVファイル形式でEXCELにEXPORTします。&#x3000;     &#x3000;<byte value="xd"/>
<byte value="xd"/>
よろしいですか？&#x3000;          </source>
        <translation>The frequency table will be exported to Excel as a CSV file.<byte value="xd"/>
<byte value="xd"/>
Do you want to continue?</translation>
    </message>
    <message>
        <source>Excel は既にオープンされています。<byte value="xd"/>
この処理は、Excelを閉じてから実行して下さい。       </source>
        <translation>Excel is already open.<byte value="xd"/>
Please close Excel, then do this again.</translation>
    </message>
    <message>
        <source>度数表のCSVファイルを書き込めませんでした。<byte value="xd"/>
</source>
        <translation>The CSV file of the frequency table could not be written.<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>度数表を次のファイルに保存しましたが、CSVファイルを開くプログラムを起動できませんでした。<byte value="xd"/>
</source>
        <translation>The frequency table was saved to the following file, but no program could be started to open a CSV file.<byte value="xd"/>
</translation>
    </message>
</context>
<context>
    <name>SecondaryWindow</name>
    <message>
        <source>エラー</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>エラーが発生しました。     <byte value="xd"/>
</source>
        <translation>An error occurred.<byte value="xd"/>
</translation>
    </message>
</context>
<context>
    <name>StartUp</name>
    <message>
        <source>本プログラムは、ディスプレイの解像度は1024X768ドット以上でお使い下さい。       </source>
        <translation>Please use this program with a display of at least 1024x768 pixels.</translation>
    </message>
    <message>
        <source>「Program files」内に新しいフォルダを作成せずにインストール<byte value="xd"/>
して下さい。<byte value="xd"/>
「Program files」内にインストールする場合は、本プログラムの<byte value="xd"/>
カレントフォルダは､「\Program files\KLEPSYDRA」以外設定<byte value="xd"/>
できません。<byte value="xd"/>
本プログラムをアンインストールして、「Program files」以外の<byte value="xd"/>
フォルダまたは、上記のように再インストールして下さい。</source>
        <translation>Please install the program without creating a new folder in &quot;Program files&quot;.<byte value="xd"/>
Installed in &quot;Program files&quot;, the program&apos;s current folder<byte value="xd"/>
can only be &quot;\Program files\KLEPSYDRA&quot;.<byte value="xd"/>
Please uninstall the program and install it again outside<byte value="xd"/>
&quot;Program files&quot;, or as described above.</translation>
    </message>
    <message>
        <source>プログラムを終了します。   </source>
        <translation>The program will end.</translation>
    </message>
</context>
<context>
    <name>StatisticsPanel</name>
    <message>
        <source>小数点：</source>
        <translation>Decimals:</translation>
    </message>
    <message>
        <source>極端値を階級の両端に取り込む</source>
        <translation>Fold extremes into end classes</translation>
    </message>
    <message>
        <source>印    刷</source>
        <translation>Print</translation>
    </message>
    <message>
        <source> 測定項目名</source>
        <translation> Test item</translation>
    </message>
    <message>
        <source>階級幅(Interval)</source>
        <translation>Class interval</translation>
    </message>
    <message>
        <source>下限値(Min)</source>
        <translation>Lower limit</translation>
    </message>
    <message>
        <source>階級数(Class)</source>
        <translation>Classes</translation>
    </message>
    <message>
        <source>上限値(Max)</source>
        <translation>Upper limit</translation>
    </message>
</context>
<context>
    <name>TextReports</name>
    <message>
        <source>FILE NAME ： </source>
        <translation>FILE NAME : </translation>
    </message>
    <message>
        <source>    N     ： </source>
        <translation>    N     : </translation>
    </message>
    <message>
        <source>  ＃ 異常率(%) ：</source>
        <translation>  # Outside the reference interval (%) :</translation>
    </message>
    <message>
        <source>     Lower：%1</source>
        <translation>     Lower: %1</translation>
    </message>
    <message>
        <source>     Upper：%1</source>
        <translation>     Upper: %1</translation>
    </message>
    <message>
        <source>     Total：%1</source>
        <translation>     Total: %1</translation>
    </message>
    <message>
        <source>Skewness    ： </source>
        <translation>Skewness    : </translation>
    </message>
    <message>
        <source>Kurtosis    ： </source>
        <translation>Kurtosis    : </translation>
    </message>
    <message>
        <source>SAMPLE SIZE ：      </source>
        <translation>SAMPLE SIZE :      </translation>
    </message>
    <message>
        <source>File Name： %1 (N=%2)</source>
        <translation>File Name: %1 (N=%2)</translation>
    </message>
</context>
</TS>
