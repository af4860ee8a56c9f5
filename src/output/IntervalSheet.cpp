#include "output/IntervalSheet.h"

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
    if (starts("values <= 0")) return "0 以下の値があり Box-Cox 変換できません";
    if (starts("all values are identical")) return "すべての値が同じです";
    if (starts("MAD is 0")) return "MAD が 0 です（半数以上が同じ値）";
    if (starts("fewer than "))
        return "データ数が " + reason.substr(11, reason.find(' ', 11) - 11) + " 未満です";
    if (starts("the upper limit lies beyond")) return "上限が逆変換の範囲を超えます";
    return reason;
}

std::string ciSourceText(const MethodRow& row) {
    const std::string& s = row.ciSource;
    if (s.rfind("exact ranks ", 0) == 0) {
        std::string ranks = s.substr(12);
        std::size_t a = ranks.find(" and ");
        if (a != std::string::npos) ranks.replace(a, 5, "、");
        return "順位 " + ranks;
    }
    if (s.rfind("percentile bootstrap", 0) == 0) return "bootstrap" + s.substr(20);
    if (s.rfind("limit ±", 0) == 0) return "変換尺度で ±1.645·SE";
    if (s.rfind("no exact interval", 0) == 0) return "n < 119: 信頼区間なし";
    if (s.rfind("90 % interval needs", 0) == 0) return "信頼区間は bootstrap で";
    return s;
}

} // namespace

std::vector<SheetLine> methodLines(const IntervalSheet& s) {
    std::vector<SheetLine> lines;
    lines.push_back({"基準範囲 2.5 % – 97.5 %（[ ] は 90 % 信頼区間）", Blue, true});
    for (std::size_t i = 0; i < s.group->intervals.rows.size(); ++i) {
        const MethodRow& row = s.group->intervals.rows[i];
        std::string head = std::string(methodShortName(i)) + "  " + methodName(row.method) + "：";
        if (!row.available) {
            lines.push_back({head + "算出できません（" + reasonText(row.reason) + "）", Red});
            continue;
        }
        lines.push_back({head + limitText(row.lower, s.decimals) + " – " + limitText(row.upper, s.decimals) +
                             "（" + ciSourceText(row) + "）",
                         methodColour(i)});
    }
    std::string plot = std::string(methodShortName(4)) + "  Probability plot（グラフ画面の 95 % 区間）：";
    if (s.plot.found)
        plot += sheetNumber(s.plot.lower, s.decimals) + " – " + sheetNumber(s.plot.upper, s.decimals);
    else
        plot += "グラフ画面で 95 % 信頼区間を求めると表示します";
    lines.push_back({plot, methodColour(4)});
    return lines;
}

std::vector<SheetLine> noteLines(const IntervalSheet& s) {
    const GroupAnalysis& g = *s.group;
    const IntervalResult& r = g.intervals;
    std::vector<SheetLine> lines;
    std::string n = "n = " + std::to_string(r.n);
    if (!g.leftOut.empty()) {
        n += "（除外 " + std::to_string(g.leftOut.size()) + " 件：";
        for (std::size_t k = 0; k < g.leftOut.size() && k < 12; ++k) {
            if (k) n += ", ";
            n += sheetNumber(g.values[g.leftOut[k]], s.decimals - 1);
        }
        n += g.leftOut.size() > 12 ? " ほか）" : "）";
    }
    lines.push_back({n, Black});
    if (r.lambda) {
        std::string l = "Box-Cox λ = " + fixed(*r.lambda, 3) + "（最尤法）";
        if (r.normality)
            l += "  Anderson-Darling A* = " + fixed(r.normality->statistic, 3) +
                 ", p = " + fixed(r.normality->pValue, 3) +
                 (r.normality->rejects ? "：正規分布とはみなせません" : "：正規性は棄却されません");
        lines.push_back({l, r.normality && r.normality->rejects ? Red : Black});
    }
    if (r.n < kFewForAnyMethod)
        lines.push_back({"注意：データ数が 40 未満です。どの方法の値も信頼できません。", Red});
    if (r.n < kFewForRanks)
        lines.push_back(
            {"注意：データ数が 120 未満のため Nonparametric の 90 % 信頼区間は順位では求まりません。", Red});
    return lines;
}

namespace {

std::string verdictWords(const LimitVerdict& v) {
    const std::string& w = v.words;
    const char* light = v.light == Light::Green ? "緑" : v.light == Light::Yellow ? "黄" : "赤";
    std::string words = w == "consistent"           ? "一致"
                        : w == "slightly decreased" ? "やや低い"
                        : w == "markedly decreased" ? "明らかに低い"
                        : w == "slightly increased" ? "やや高い"
                                                    : "明らかに高い";
    return std::string(light) + "（" + words + "）";
}

const char* ruleText(VerificationRule r) {
    switch (r) {
    case VerificationRule::OneStage:
        return "20 件・1 段階";
    case VerificationRule::TwoStage:
        return "20 + 20 件・2 段階";
    case VerificationRule::Binomial:
        return "二項分布による判定";
    }
    return "";
}

} // namespace

std::vector<SheetLine> verificationLines(const IntervalSheet& s) {
    std::vector<SheetLine> lines;
    if (!s.target) return lines;
    const GroupAnalysis& g = *s.group;
    lines.push_back({"移行した基準範囲の検証：" + sheetNumber(s.target->lower, s.decimals - 1) + " – " +
                         sheetNumber(s.target->upper, s.decimals - 1),
                     Blue, true});
    if (const auto& v = g.verification) {
        std::string l = "範囲外 " + std::to_string(v->outside) + " / " + std::to_string(v->n) + " 件（" +
                        ruleText(v->rule) + "、許容 " + std::to_string(v->allowed) + " 件";
        if (v->rule == VerificationRule::TwoStage)
            l += "、前半 " + std::to_string(v->outsideFirst) + "・後半 " + std::to_string(v->outsideSecond);
        l += "）→ ";
        l += v->accepted ? "合格" : "不合格";
        lines.push_back({l, v->accepted ? Black : Red});
        std::string p =
            "P(合格 | 区間が正しい) = " + fixed(v->passIfRight, 4) + "、10/15/20/30 % が外れるとき";
        for (std::size_t i = 0; i < v->passIfOutside.size(); ++i) {
            p += i ? " / " : " ";
            p += fixed(v->passIfOutside[i], 4);
        }
        lines.push_back({p, Black});
    }
    if (const auto& j = g.judgement) {
        lines.push_back({"許容不確かさの帯：下限 " + sheetNumber(j->target.lower.low, s.decimals) + " – " +
                             sheetNumber(j->target.lower.high, s.decimals) + "、上限 " +
                             sheetNumber(j->target.upper.low, s.decimals) + " – " +
                             sheetNumber(j->target.upper.high, s.decimals),
                         Black});
        lines.push_back({std::string(methodShortName(static_cast<std::size_t>(j->estimate))) +
                             " の推定：下限 " + sheetNumber(j->lower, s.decimals) + " " +
                             verdictWords(j->lowerVerdict) + "、上限 " + sheetNumber(j->upper, s.decimals) +
                             " " + verdictWords(j->upperVerdict),
                         Black});
    } else {
        lines.push_back({"許容不確かさの帯：目標区間は 0 < 下限 < 上限 が必要です", Red});
    }
    return lines;
}

std::vector<SheetLine> partitionLines(const IntervalSheet& s) {
    std::vector<SheetLine> lines;
    if (s.secondName.empty()) return lines;
    lines.push_back({"層別（第 2 群：" + s.secondName + "）", Blue, true});
    if (!s.partition) {
        lines.push_back({"各群に 2 件以上の値が必要です", Red});
        return lines;
    }
    const Partitioning& p = *s.partition;
    auto verdict = [](bool split) { return split ? "分ける" : "まとめる"; };
    lines.push_back(
        {"Harris & Boyd：z = " + fixed(p.harrisBoyd.z, 2) + "、z* = " + fixed(p.harrisBoyd.zStar, 2) +
             "、SD 比 = " + fixed(p.harrisBoyd.sdRatio, 2) + " → " + verdict(p.harrisBoyd.partition),
         Black});
    const auto& o = p.lahti.percentOutside;
    const char* lahti = p.lahti.verdict == LahtiVerdict::Partition  ? "分ける"
                        : p.lahti.verdict == LahtiVerdict::Marginal ? "境界"
                                                                    : "まとめる";
    lines.push_back({"Lahti：合算区間の外 1 群 " + fixed(o[0][0], 1) + " / " + fixed(o[0][1], 1) +
                         " %、2 群 " + fixed(o[1][0], 1) + " / " + fixed(o[1][1], 1) + " % → " + lahti,
                     Black});
    lines.push_back(
        {"Ichihara：SDR = " + fixed(p.ichihara.sdr, 3) + " → " + verdict(p.ichihara.partition), Black});
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
