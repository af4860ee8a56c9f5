#pragma once
// The texts of the probability plot's help (window and printed page), marked for translation in
// context "PlotHelpText" and shown through plotHelpText().

#include "text/Translate.h"

#include <array>
#include <string>

namespace kl {

// A text of this file in the current language.
inline std::string plotHelpText(const char* text) {
    return translate("PlotHelpText", text);
}

inline constexpr const char* kIntervalHelpHeading =
    KL_TRANSLATE_NOOP("PlotHelpText", "<< 95％信頼区間について >>");
inline constexpr const char* kPaperHelpHeading =
    KL_TRANSLATE_NOOP("PlotHelpText", "<< 正規確率紙( Normal probability paper ) について >>");
inline constexpr const char* kPatternHelpHeading =
    KL_TRANSLATE_NOOP("PlotHelpText", "<< データの分布型と正規確率紙上のパターン >>");
inline constexpr const char* kPlotHelpClosingNote = KL_TRANSLATE_NOOP(
    "PlotHelpText", "  * 次の操作を実行する場合は、このウィンドウを閉じてから行って下さい。");

// The shape labels set over the pattern picture on the printed page.
inline constexpr const char* kPatternLabelS = KL_TRANSLATE_NOOP("PlotHelpText", "Ｓ型");
inline constexpr const char* kPatternLabelN = KL_TRANSLATE_NOOP("PlotHelpText", "Ｎ型");

// Eight lines under the interval heading (the printed page sets them one under the other).
inline constexpr std::array<const char*, 8> kIntervalHelpLines = {
    KL_TRANSLATE_NOOP("PlotHelpText", "  正規確率紙上の各点(階級の上限値における累積相対度数)を通る曲線を"),
    KL_TRANSLATE_NOOP("PlotHelpText", "スプライン関数で描き、その曲線が 2.5％ 及び 97.5％ の線と交わる点の"),
    KL_TRANSLATE_NOOP("PlotHelpText", "値をそれぞれ 95％信頼区間の下限値、上限値として求めています。"),
    KL_TRANSLATE_NOOP("PlotHelpText", "  データが正規分布でなくても分布の中央 95％ の範囲を読み取ることが"),
    KL_TRANSLATE_NOOP("PlotHelpText", "できますが、画面の分解能(描画の精度)や曲線の当てはめの誤差を含む"),
    KL_TRANSLATE_NOOP("PlotHelpText", "ため、求めた値はあくまでも推定値です。基準範囲を設定する際の目安"),
    KL_TRANSLATE_NOOP("PlotHelpText", "としてお使い下さい。曲線が線と交わらない場合や、交点が表の範囲の"),
    KL_TRANSLATE_NOOP("PlotHelpText", "外になる場合は「曲線不良」と表示します。"),
};

inline constexpr std::array<const char*, 7> kPaperHelpLines = {
    KL_TRANSLATE_NOOP("PlotHelpText", "  縦軸の目盛りを標準正規分布の累積確率(％)に合わせたグラフ用紙です。"),
    KL_TRANSLATE_NOOP("PlotHelpText", "横軸に測定値(階級の上限値)、縦軸にその値までの累積相対度数をとって"),
    KL_TRANSLATE_NOOP("PlotHelpText", "点を打つと、正規分布に従うデータの点はほぼ一直線上に並びます。"),
    KL_TRANSLATE_NOOP("PlotHelpText", "  直線からのずれ方でデータの分布型を知ることができます。また、"),
    KL_TRANSLATE_NOOP("PlotHelpText", "50％の線と交わる値は中央値、2.5％ と 97.5％ の線と交わる値は分布の"),
    KL_TRANSLATE_NOOP("PlotHelpText", "中央 95％ の範囲の両端にあたります。下の図は代表的な分布型とその"),
    KL_TRANSLATE_NOOP("PlotHelpText", "パターンです(点線は正規分布の場合の直線)。"),
};

} // namespace kl
