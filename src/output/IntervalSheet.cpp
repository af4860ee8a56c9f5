#include "output/IntervalSheet.h"

#include "text/Translate.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string_view>

namespace kl {

using namespace refint;

std::string sheetNumber(double v, int decimals) {
    if (!std::isfinite(v)) return v > 0 ? "∞" : "-∞";
    char buf[48];
    std::snprintf(buf, sizeof buf, "%.*f", std::clamp(decimals + 1, 1, 6), v);
    return buf;
}

namespace {

std::string fixed(double v, int places) {
    char buf[48];
    std::snprintf(buf, sizeof buf, "%.*f", places, v);
    return buf;
}

std::string limitText(const Limit& l, int d) {
    std::string s = sheetNumber(l.value, d);
    if (l.hasCi) s += " [" + sheetNumber(l.ci.low, d) + ", " + sheetNumber(l.ci.high, d) + "]";
    return s;
}

// The reasons of missing rows as the window words them.
std::string reasonText(const std::string& reason) {
    auto starts = [&](std::string_view p) { return reason.rfind(p, 0) == 0; };
    if (starts("values <= 0")) return translate("IntervalSheet", "0 以下の値があり Box-Cox 変換できません");
    if (starts("all values are identical")) return translate("IntervalSheet", "すべての値が同じです");
    if (starts("MAD is 0")) return translate("IntervalSheet", "MAD が 0 です（半数以上が同じ値）");
    if (starts("fewer than "))
        return withArgs(translate("IntervalSheet", "データ数が %1 未満です"),
                        {reason.substr(11, reason.find(' ', 11) - 11)});
    if (starts("the upper limit lies beyond"))
        return translate("IntervalSheet", "上限が逆変換の範囲を超えます");
    return reason;
}

std::string ciSourceText(const MethodRow& row) {
    const std::string& s = row.ciSource;
    if (s.rfind("exact ranks ", 0) == 0) {
        const std::string ranks = s.substr(12);
        const std::size_t a = ranks.find(" and ");
        if (a == std::string::npos) return withArgs(translate("IntervalSheet", "順位 %1"), {ranks});
        return withArgs(translate("IntervalSheet", "順位 %1、%2"), {ranks.substr(0, a), ranks.substr(a + 5)});
    }
    if (s.rfind("percentile bootstrap", 0) == 0) return "bootstrap" + s.substr(20);
    if (s.rfind("limit ±", 0) == 0) return translate("IntervalSheet", "変換尺度で ±1.645·SE");
    if (s.rfind("no exact interval", 0) == 0) return translate("IntervalSheet", "n < 119: 信頼区間なし");
    if (s.rfind("90 % interval needs", 0) == 0) return translate("IntervalSheet", "信頼区間は bootstrap で");
    return s;
}

} // namespace

std::vector<SheetLine> methodLines(const IntervalSheet& s) {
    std::vector<SheetLine> lines;
    lines.push_back(
        {translate("IntervalSheet", "基準範囲 2.5 % – 97.5 %（[ ] は 90 % 信頼区間）"), Blue, true});
    const std::string headForm = translate("IntervalSheet", "%1  %2："),
                      missingForm = translate("IntervalSheet", "算出できません（%1）"),
                      limitsForm = translate("IntervalSheet", "%1 – %2（%3）");
    for (std::size_t i = 0; i < s.group->intervals.rows.size(); ++i) {
        const MethodRow& row = s.group->intervals.rows[i];
        const std::string head = withArgs(headForm, {methodShortName(i), methodName(row.method)});
        if (!row.available) {
            lines.push_back({head + withArgs(missingForm, {reasonText(row.reason)}), Red});
            continue;
        }
        lines.push_back({head + withArgs(limitsForm, {limitText(row.lower, s.decimals),
                                                      limitText(row.upper, s.decimals), ciSourceText(row)}),
                         methodColour(i)});
    }
    std::string plot = withArgs(
        translate("IntervalSheet", "%1  Probability plot（グラフ画面の 95 % 区間）："), {methodShortName(4)});
    if (s.plot.found)
        plot += sheetNumber(s.plot.lower, s.decimals) + " – " + sheetNumber(s.plot.upper, s.decimals);
    else
        plot += translate("IntervalSheet", "グラフ画面で 95 % 信頼区間を求めると表示します");
    lines.push_back({plot, methodColour(4)});
    return lines;
}

std::vector<SheetLine> noteLines(const IntervalSheet& s) {
    const GroupAnalysis& g = *s.group;
    const IntervalResult& r = g.intervals;
    std::vector<SheetLine> lines;
    std::string n = "n = " + std::to_string(r.n);
    if (!g.leftOut.empty()) {
        std::string values;
        for (std::size_t k = 0; k < g.leftOut.size() && k < 12; ++k) {
            if (k) values += ", ";
            values += sheetNumber(g.values[g.leftOut[k]], s.decimals - 1);
        }
        n += withArgs(g.leftOut.size() > 12 ? translate("IntervalSheet", "（除外 %1 件：%2 ほか）")
                                            : translate("IntervalSheet", "（除外 %1 件：%2）"),
                      {std::to_string(g.leftOut.size()), values});
    }
    lines.push_back({n, Black});
    if (r.lambda) {
        std::string l =
            withArgs(translate("IntervalSheet", "Box-Cox λ = %1（最尤法）"), {fixed(*r.lambda, 3)});
        if (r.normality)
            l += "  Anderson-Darling A* = " + fixed(r.normality->statistic, 3) +
                 ", p = " + fixed(r.normality->pValue, 3) +
                 (r.normality->rejects ? translate("IntervalSheet", "：正規分布とはみなせません")
                                       : translate("IntervalSheet", "：正規性は棄却されません"));
        lines.push_back({l, r.normality && r.normality->rejects ? Red : Black});
    }
    if (r.n < kFewForAnyMethod)
        lines.push_back(
            {translate("IntervalSheet", "注意：データ数が 40 未満です。どの方法の値も信頼できません。"),
             Red});
    if (r.n < kFewForRanks)
        lines.push_back(
            {translate(
                 "IntervalSheet",
                 "注意：データ数が 120 未満のため Nonparametric の 90 % 信頼区間は順位では求まりません。"),
             Red});
    return lines;
}

namespace {

std::string verdictWords(const LimitVerdict& v) {
    const std::string& w = v.words;
    const char* light = v.light == Light::Green    ? KL_TRANSLATE_NOOP("IntervalSheet", "緑")
                        : v.light == Light::Yellow ? KL_TRANSLATE_NOOP("IntervalSheet", "黄")
                                                   : KL_TRANSLATE_NOOP("IntervalSheet", "赤");
    const char* words = w == "consistent"           ? KL_TRANSLATE_NOOP("IntervalSheet", "一致")
                        : w == "slightly decreased" ? KL_TRANSLATE_NOOP("IntervalSheet", "やや低い")
                        : w == "markedly decreased" ? KL_TRANSLATE_NOOP("IntervalSheet", "明らかに低い")
                        : w == "slightly increased" ? KL_TRANSLATE_NOOP("IntervalSheet", "やや高い")
                                                    : KL_TRANSLATE_NOOP("IntervalSheet", "明らかに高い");
    return withArgs(translate("IntervalSheet", "%1（%2）"),
                    {translate("IntervalSheet", light), translate("IntervalSheet", words)});
}

std::string ruleText(VerificationRule r) {
    switch (r) {
    case VerificationRule::OneStage:
        return translate("IntervalSheet", "20 件・1 段階");
    case VerificationRule::TwoStage:
        return translate("IntervalSheet", "20 + 20 件・2 段階");
    case VerificationRule::Binomial:
        return translate("IntervalSheet", "二項分布による判定");
    }
    return "";
}

} // namespace

std::vector<SheetLine> verificationLines(const IntervalSheet& s) {
    std::vector<SheetLine> lines;
    if (!s.target) return lines;
    const GroupAnalysis& g = *s.group;
    const int d = s.decimals;
    lines.push_back({withArgs(translate("IntervalSheet", "移行した基準範囲の検証：%1 – %2"),
                              {sheetNumber(s.target->lower, d - 1), sheetNumber(s.target->upper, d - 1)}),
                     Blue, true});
    if (const auto& v = g.verification) {
        std::string l = withArgs(translate("IntervalSheet", "範囲外 %1 / %2 件（%3、許容 %4 件"),
                                 {std::to_string(v->outside), std::to_string(v->n), ruleText(v->rule),
                                  std::to_string(v->allowed)});
        if (v->rule == VerificationRule::TwoStage)
            l += withArgs(translate("IntervalSheet", "、前半 %1・後半 %2"),
                          {std::to_string(v->outsideFirst), std::to_string(v->outsideSecond)});
        l += translate("IntervalSheet", "）→ ");
        l += v->accepted ? translate("IntervalSheet", "合格") : translate("IntervalSheet", "不合格");
        lines.push_back({l, v->accepted ? Black : Red});
        std::string p =
            withArgs(translate("IntervalSheet", "P(合格 | 区間が正しい) = %1、10/15/20/30 % が外れるとき"),
                     {fixed(v->passIfRight, 4)});
        for (std::size_t i = 0; i < v->passIfOutside.size(); ++i) {
            p += i ? " / " : " ";
            p += fixed(v->passIfOutside[i], 4);
        }
        lines.push_back({p, Black});
    }
    if (const auto& j = g.judgement) {
        lines.push_back(
            {withArgs(translate("IntervalSheet", "許容不確かさの帯：下限 %1 – %2、上限 %3 – %4"),
                      {sheetNumber(j->target.lower.low, d), sheetNumber(j->target.lower.high, d),
                       sheetNumber(j->target.upper.low, d), sheetNumber(j->target.upper.high, d)}),
             Black});
        lines.push_back({withArgs(translate("IntervalSheet", "%1 の推定：下限 %2 %3、上限 %4 %5"),
                                  {methodShortName(static_cast<std::size_t>(j->estimate)),
                                   sheetNumber(j->lower, d), verdictWords(j->lowerVerdict),
                                   sheetNumber(j->upper, d), verdictWords(j->upperVerdict)}),
                         Black});
    } else {
        lines.push_back(
            {translate("IntervalSheet", "許容不確かさの帯：目標区間は 0 < 下限 < 上限 が必要です"), Red});
    }
    return lines;
}

std::vector<SheetLine> partitionLines(const IntervalSheet& s) {
    std::vector<SheetLine> lines;
    if (s.secondName.empty()) return lines;
    lines.push_back(
        {withArgs(translate("IntervalSheet", "層別（第 2 群：%1）"), {s.secondName}), Blue, true});
    if (!s.partition) {
        lines.push_back({translate("IntervalSheet", "各群に 2 件以上の値が必要です"), Red});
        return lines;
    }
    const Partitioning& p = *s.partition;
    auto verdict = [](bool split) {
        return split ? translate("IntervalSheet", "分ける") : translate("IntervalSheet", "まとめる");
    };
    lines.push_back({withArgs(translate("IntervalSheet", "Harris & Boyd：z = %1、z* = %2、SD 比 = %3 → %4"),
                              {fixed(p.harrisBoyd.z, 2), fixed(p.harrisBoyd.zStar, 2),
                               fixed(p.harrisBoyd.sdRatio, 2), verdict(p.harrisBoyd.partition)}),
                     Black});
    const auto& o = p.lahti.percentOutside;
    const std::string lahti = p.lahti.verdict == LahtiVerdict::Marginal
                                  ? translate("IntervalSheet", "境界")
                                  : verdict(p.lahti.verdict == LahtiVerdict::Partition);
    lines.push_back(
        {withArgs(translate("IntervalSheet", "Lahti：合算区間の外 1 群 %1 / %2 %、2 群 %3 / %4 % → %5"),
                  {fixed(o[0][0], 1), fixed(o[0][1], 1), fixed(o[1][0], 1), fixed(o[1][1], 1), lahti}),
         Black});
    lines.push_back({withArgs(translate("IntervalSheet", "Ichihara：SDR = %1 → %2"),
                              {fixed(p.ichihara.sdr, 3), verdict(p.ichihara.partition)}),
                     Black});
    return lines;
}

std::optional<std::pair<int, int>> verdictColours(const IntervalSheet& s) {
    if (!s.target || !s.group->judgement) return std::nullopt;
    auto colour = [](Light l) {
        return l == Light::Green ? int(Green) : l == Light::Yellow ? int(Yellow) : int(Red);
    };
    return std::pair{colour(s.group->judgement->lowerVerdict.light),
                     colour(s.group->judgement->upperVerdict.light)};
}

int methodColour(std::size_t index) {
    static const int colours[] = {Blue, Red, Green, Magenta, 10};
    return index < 5 ? colours[index] : Black;
}

const char* methodShortName(std::size_t index) {
    static const char* names[] = {"NP", "BC", "RB", "RT", "PP"};
    return index < 5 ? names[index] : "";
}

} // namespace kl
