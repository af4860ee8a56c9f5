#pragma once
// The texts of the probability plot's help (window and printed page).

#include <array>

namespace kl {

inline constexpr const char* kIntervalHelpHeading = "<< 95％信頼区間について >>";
inline constexpr const char* kPaperHelpHeading = "<< 正規確率紙( Normal probability paper ) について >>";
inline constexpr const char* kPatternHelpHeading = "<< データの分布型と正規確率紙上のパターン >>";
inline constexpr const char* kPlotHelpClosingNote =
    "  * 次の操作を実行する場合は、このウィンドウを閉じてから行って下さい。";

// Eight lines under the interval heading (the printed page sets them one under the other).
inline constexpr std::array<const char*, 8> kIntervalHelpLines = {
    "  正規確率紙上の各点(階級の上限値における累積相対度数)を通る曲線を",
    "スプライン関数で描き、その曲線が 2.5％ 及び 97.5％ の線と交わる点の",
    "値をそれぞれ 95％信頼区間の下限値、上限値として求めています。",
    "  データが正規分布でなくても分布の中央 95％ の範囲を読み取ることが",
    "できますが、画面の分解能(描画の精度)や曲線の当てはめの誤差を含む",
    "ため、求めた値はあくまでも推定値です。基準範囲を設定する際の目安",
    "としてお使い下さい。曲線が線と交わらない場合や、交点が表の範囲の",
    "外になる場合は「曲線不良」と表示します。",
};

inline constexpr std::array<const char*, 7> kPaperHelpLines = {
    "  縦軸の目盛りを標準正規分布の累積確率(％)に合わせたグラフ用紙です。",
    "横軸に測定値(階級の上限値)、縦軸にその値までの累積相対度数をとって",
    "点を打つと、正規分布に従うデータの点はほぼ一直線上に並びます。",
    "  直線からのずれ方でデータの分布型を知ることができます。また、",
    "50％の線と交わる値は中央値、2.5％ と 97.5％ の線と交わる値は分布の",
    "中央 95％ の範囲の両端にあたります。下の図は代表的な分布型とその",
    "パターンです(点線は正規分布の場合の直線)。",
};

} // namespace kl
