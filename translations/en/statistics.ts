<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>BasicStatistics</name>
    <message>
        <source>( 基礎計算結果 )</source>
        <translation>( Basic statistics )</translation>
    </message>
</context>
</TS>
