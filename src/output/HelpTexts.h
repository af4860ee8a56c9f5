#pragma once
// The texts of the help window form4 (usage guide, skewness and kurtosis) and of their printout.
// Each paragraph line is one row of the window's character grid; the printout sets the same lines
// one below the other. Texts are marked for translation in context "HelpTexts" and shown through
// helpText(); the formula's symbols are the same in every language.

#include "text/Translate.h"

#include <array>
#include <string>

namespace kl {

// A text of this file in the current language.
inline std::string helpText(const char* text) {
    return translate("HelpTexts", text);
}

inline constexpr const char* kUsageTitle =
    KL_TRANSLATE_NOOP("HelpTexts", "<< ＨＩＳＴＯＧＲＡＭ の使い方 >>");

// Rows 3-7: where the data come from.
inline constexpr std::array<const char*, 5> kUsageInput = {
    KL_TRANSLATE_NOOP("HelpTexts", "  解析する１次元のデータは、次の４通りの方法で取り込むことができます。"),
    KL_TRANSLATE_NOOP("HelpTexts", "①表計算ソフト(EXCEL等)で作成したCSV形式のファイルを開く、②テキスト"),
    KL_TRANSLATE_NOOP("HelpTexts", "ファイルを開く、③表計算ソフトやテキストでコピーしたデータを貼り付ける、"),
    KL_TRANSLATE_NOOP("HelpTexts", "④データを１件ずつ手入力する。"),
    KL_TRANSLATE_NOOP("HelpTexts", "  読み込み可能件数：40,000件、貼り付け可能件数：10,000件"),
};

// Rows 8-14: from the data to the graph.
inline constexpr std::array<const char*, 7> kUsageWorkflow = {
    KL_TRANSLATE_NOOP("HelpTexts", "  データを取り込んだら階級幅と階級数を設定し、度数表を作成します。"),
    KL_TRANSLATE_NOOP("HelpTexts",
                      "次に「ＧＲＡＰＨ　ＯＦ　ＨＩＳＴＯＧＲＡＭ」ボタンを押すと、ヒストグラム"),
    KL_TRANSLATE_NOOP("HelpTexts", "と正規確率紙のグラフが表示されます。"),
    KL_TRANSLATE_NOOP("HelpTexts", "  階級幅は、測定項目の基準範囲の幅のおよそ１／１０を目安にしています。"),
    KL_TRANSLATE_NOOP("HelpTexts", "測定項目の基準範囲は「Ｒ．Ｉ．」ボタンで登録して下さい。度数表を作る前"),
    KL_TRANSLATE_NOOP("HelpTexts", "に測定項目を選んでおくと、その基準範囲から階級幅・下限値・階級数が提案"),
    KL_TRANSLATE_NOOP("HelpTexts", "されます。"),
};

// Rows 16-20: printing and the clipboard.
inline constexpr std::array<const char*, 5> kUsageOutput = {
    KL_TRANSLATE_NOOP("HelpTexts",
                      "  どの画面の内容も印刷することができます。また、グラフや画面はクリップ・"),
    KL_TRANSLATE_NOOP("HelpTexts", "ボードにコピーして、他のアプリケーション(ワープロ、表計算ソフト等)に"),
    KL_TRANSLATE_NOOP("HelpTexts", "貼り付けることができます。"),
    KL_TRANSLATE_NOOP("HelpTexts", "  印刷はＡ４単票のみに対応しています。拡大・縮小などの調整は、印刷ダイ"),
    KL_TRANSLATE_NOOP("HelpTexts", "アログのプロパティ(プリンタの設定)で行って下さい。"),
};

inline constexpr const char* kHelpClosingNote =
    KL_TRANSLATE_NOOP("HelpTexts", "* 次の操作を実行する場合は、このウィンドウを閉じてから行って下さい。");

inline constexpr const char* kShapeTitle =
    KL_TRANSLATE_NOOP("HelpTexts", "<< Skewness と Kurtosis について >>");

// Rows 3-6: what the two figures measure.
inline constexpr std::array<const char*, 4> kShapeIntro = {
    KL_TRANSLATE_NOOP("HelpTexts", "  歪度(Skewness：ｂ1)は分布の左右の非対称性を表す指標で、正規分布では"),
    KL_TRANSLATE_NOOP("HelpTexts", "０になります。尖度(Kurtosis：ｂ2)は分布の尖り具合(裾の長さ)を表す"),
    KL_TRANSLATE_NOOP("HelpTexts", "指標で、正規分布では３になります。どちらも次の式で計算しています。"),
    KL_TRANSLATE_NOOP("HelpTexts", "(ＳＤ は例数 ｎ で割った標準偏差です)"),
};

// The formula block (window pixels at size 18; the printout has its own places).
inline constexpr const char* kFormulaNumerator = "      Σ(Ｘi－Ｘ)";
inline constexpr const char* kFormulaB1 = "ｂ1＝";
inline constexpr const char* kFormulaB2 = "ｂ2＝";
inline constexpr const char* kFormulaDenominator = "       ｎ・ＳＤ";
inline constexpr const char* kFormulaLegend =
    KL_TRANSLATE_NOOP("HelpTexts", " ( ｎ：例数，Ｘ：平均値，ＳＤ：標準偏差(Ｓn*) )");

// Row 13, then rows 15-20.
inline constexpr const char* kShapeReadingLead =
    KL_TRANSLATE_NOOP("HelpTexts", "  ｂ1、ｂ2 の値から、分布の形は次のように読み取ることができます。");
inline constexpr std::array<const char*, 6> kShapeReadings = {
    KL_TRANSLATE_NOOP("HelpTexts", "ｂ1＜０  低値側に裾を引く分布"),
    KL_TRANSLATE_NOOP("HelpTexts", "ｂ1＝０  左右対称の分布"),
    KL_TRANSLATE_NOOP("HelpTexts", "ｂ1＞０  高値側に裾を引く分布"),
    KL_TRANSLATE_NOOP("HelpTexts", "ｂ2＜３  正規分布より裾が短い分布(一様分布、ドーム型の分布など)"),
    KL_TRANSLATE_NOOP("HelpTexts", "ｂ2＝３  正規分布"),
    KL_TRANSLATE_NOOP("HelpTexts", "ｂ2＞３  正規分布より裾が長い分布(対数正規分布、ｔ分布など)"),
};

// Rows 22-27: the normality test.
inline constexpr std::array<const char*, 6> kShapeTest = {
    KL_TRANSLATE_NOOP("HelpTexts",
                      "  正規性の検定では、「標本は正規分布に従う母集団から得られたものである」"),
    KL_TRANSLATE_NOOP("HelpTexts", "という帰無仮説を、歪度と尖度のそれぞれについて検定しています。"),
    KL_TRANSLATE_NOOP("HelpTexts", "  危険率５％で有意でない(N.S)場合は、その分布が正規分布と異なるとは"),
    KL_TRANSLATE_NOOP("HelpTexts", "言えません。"),
    KL_TRANSLATE_NOOP("HelpTexts", "  危険率５％で有意(P<0.05、P<0.01、P<0.001)な場合は、その分布は正規"),
    KL_TRANSLATE_NOOP("HelpTexts", "分布から有意に偏っていると言えます。"),
};

// Row 37 at size 14.
inline constexpr const char* kShapeSummary = KL_TRANSLATE_NOOP(
    "HelpTexts",
    "  * すなわち、歪度と尖度両者が N.S(有意差なし)であれば、その分布はほぼ正規分布と考えてよいと言えます。");

} // namespace kl
