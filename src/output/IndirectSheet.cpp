#include "output/IndirectSheet.h"
#include "output/TextReports.h"
#include "text/Translate.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string_view>

namespace kl {

using indirect::Estimate;
using indirect::Method;

std::string indirectNumber(double v, double resolution) {
    if (!std::isfinite(v)) return "–";
    char buf[48];
    if (resolution > 0) {
        int places = std::max(0, static_cast<int>(std::ceil(-std::log10(resolution) - 1e-9)));
        std::snprintf(buf, sizeof buf, "%.*f", std::min(places + 1, 8), v);
    } else {
        int magnitude = v == 0 ? 0 : static_cast<int>(std::floor(std::log10(std::fabs(v))));
        std::snprintf(buf, sizeof buf, "%.*f", std::clamp(3 - magnitude, 0, 8), v);
    }
    return buf;
}

int indirectColour(Method m) {
    switch (m) {
    case Method::TruncatedQQ:
        return Blue;
    case Method::InverseModel:
        return Red;
    case Method::Bhattacharya:
        return Green;
    }
    return Black;
}

const char* indirectShortName(Method m) {
    switch (m) {
    case Method::TruncatedQQ:
        return "TQ";
    case Method::InverseModel:
        return "IM";
    case Method::Bhattacharya:
        return "BH";
    }
    return "";
}

namespace {

std::string grouped(std::size_t n) {
    std::string digits = std::to_string(n), out;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i && (digits.size() - i) % 3 == 0) out += ',';
        out += digits[i];
    }
    return out;
}

std::string limitCell(double value, const indirect::Interval& ci, double res) {
    std::string s = indirectNumber(value, res);
    if (ci.known()) s += " [" + indirectNumber(ci.low, res) + ", " + indirectNumber(ci.high, res) + "]";
    return s;
}

// A method's note as the window words it.
std::string noteText(const std::string& note) {
    auto starts = [&](std::string_view p) { return note.rfind(p, 0) == 0; };
    if (starts("fewer than ")) {
        std::string n = note.substr(11, note.find(' ', 11) - 11);
        return withArgs(note.find("uncertain") != std::string::npos
                            ? translate("IndirectSheet", "0 より大きい値が %1 件未満：限界値は不確かです")
                            : translate("IndirectSheet", "0 より大きい値が %1 件未満です"),
                        {n});
    }
    if (starts("too few distinct values")) return translate("IndirectSheet", "異なる値が少なすぎます");
    if (starts("too many equal values"))
        return translate("IndirectSheet", "同じ値が多すぎて裾を切断できません");
    if (starts("no run of 4 points"))
        return translate("IndirectSheet", "最頻値に接して下降する 4 点以上の直線部分がありません");
    if (starts("no healthy part")) return translate("IndirectSheet", "健常部分の分布を当てはめられません");
    if (starts("the healthy part was fitted to fewer than half"))
        return translate("IndirectSheet", "健常部分が全体の半分未満です：限界値は不確かです");
    return note;
}

const Estimate* estimateOf(const IndirectSheet& s, Method m) {
    return s.analysis.estimate(m);
}

} // namespace

std::vector<IndirectRow> indirectTable(const IndirectSheet& s) {
    std::vector<IndirectRow> rows;
    rows.push_back(
        {{translate("IndirectSheet", "方法"), translate("IndirectSheet", "下限 [90 % 信頼区間]"),
          translate("IndirectSheet", "上限 [90 % 信頼区間]"), "P", "λ", translate("IndirectSheet", "使用数")},
         Blue});
    const double res = s.analysis.resolution;
    for (Method m : indirect::kMethods) {
        const Estimate* e = estimateOf(s, m);
        std::string head = std::string(indirectShortName(m)) + "  " + std::string(indirect::methodTitle(m));
        if (!e || !e->ok) {
            rows.push_back({{head, translate("IndirectSheet", "算出できません"), "", "", "", ""}, Red});
            continue;
        }
        char p[16] = "–", l[16] = "–";
        if (std::isfinite(e->share)) std::snprintf(p, sizeof p, "%.3f", e->share);
        if (std::isfinite(e->lambda)) std::snprintf(l, sizeof l, "%.2f", e->lambda);
        rows.push_back({{head, limitCell(e->lower, e->lowerCi, res), limitCell(e->upper, e->upperCi, res), p,
                         l, grouped(e->used)},
                        indirectColour(m)});
    }
    return rows;
}

void drawIndirectTable(Canvas& c, double x, double y, double cell, double pitch, const Font& font,
                       const IndirectSheet& s) {
    for (const IndirectRow& row : indirectTable(s)) {
        for (std::size_t i = 0; i < row.cells.size() && i < std::size(kIndirectColumns); ++i)
            if (!row.cells[i].empty())
                c.text(x + kIndirectColumns[i] * cell, y, row.cells[i], font,
                       i == 0 || row.colour == Blue || row.colour == Red ? row.colour : Black);
        y += pitch;
    }
}

std::vector<SheetLine> indirectCountLines(const IndirectSheet& s) {
    std::vector<SheetLine> lines;
    const SkippedItems& k = s.skipped;
    lines.push_back({withArgs(translate("IndirectSheet", "使用した値 %1 件 / %2 行"),
                              {grouped(s.sorted.size()), grouped(s.rows)}),
                     Black});
    std::string unused = withArgs(
        translate("IndirectSheet",
                  "使わなかった値：空欄 %1、数値でない %2、0 以下 %3、下限未満（<x） %4、上限超（>x） %5"),
        {grouped(k.empty), grouped(k.notNumber), grouped(k.nonPositive), grouped(k.censoredBelow),
         grouped(k.censoredAbove)});
    if (k.overCap)
        unused += withArgs(translate("IndirectSheet", "、上限件数を超えた %1"), {grouped(k.overCap)});
    lines.push_back({unused, k.total() ? Red : Black});
    if (!s.censored.empty()) {
        const std::string comma = translate("IndirectSheet", "、");
        std::string c = translate("IndirectSheet", "打ち切り値：");
        for (std::size_t i = 0; i < s.censored.size() && i < 6; ++i) {
            const CensoredCount& b = s.censored[i];
            char bound[32];
            std::snprintf(bound, sizeof bound, "%c%g", b.below ? '<' : '>', b.bound);
            c += (i ? comma : std::string()) + bound + " × " + grouped(b.count);
        }
        if (s.censored.size() > 6) c += translate("IndirectSheet", " ほか");
        lines.push_back({c + translate("IndirectSheet", "（限界値の計算には使いません）"), Black});
    }
    const double res = s.analysis.resolution;
    std::string r = withArgs(
        translate("IndirectSheet", "丸めの単位 %1"),
        {res > 0 ? indirectNumber(res, res * 10) : translate("IndirectSheet", "なし（丸められていない値）")});
    if (s.analysis.tqq)
        r += withArgs(translate("IndirectSheet", "、Truncated probability plot は %1 で計算"),
                      {s.analysis.tqq->logScale ? "ln x" : "x"});
    lines.push_back({r, Black});
    const std::string noteForm = translate("IndirectSheet", "%1：%2");
    for (Method m : indirect::kMethods) {
        const Estimate* e = estimateOf(s, m);
        if (e && !e->note.empty())
            lines.push_back(
                {withArgs(noteForm, {indirectShortName(m), noteText(e->note)}), e->ok ? Black : Red});
    }
    return lines;
}

void drawIndirectPage(Canvas& page, double width, double height, const IndirectSheet& s) {
    const double pt = kPaperUnitsPerPoint;
    const Font title{kGothic, 14, true}, body{kGothic, 8};
    double y = 60;
    page.text(80, y, translate("IndirectSheet", "基準範囲の推定（間接法）"), title, Black);
    y += 14 * pt * 1.6;
    page.text(80, y, s.fileLine, body, Black);
    y += 8 * pt * 1.8;
    drawIndirectTable(page, 80, y, 8 * pt / 2, 8 * pt * 1.5, body, s);
    y += 4 * 8 * pt * 1.5 + 8 * pt * 0.6;
    for (const SheetLine& l : indirectCountLines(s)) {
        page.text(80, y, l.text, body, l.colour);
        y += 8 * pt * 1.5;
    }
    y += 8 * pt;
    const double room = height - y - 60, pictureHeight = std::min(1100.0, room * 0.55);
    drawIndirectHistogram(page, {80, y, width - 160, pictureHeight, 8 * pt, 8, 2.5}, s);
    y += pictureHeight + 8 * pt;
    drawIndirectPlot(page, {80, y, width - 160, std::min(900.0, height - y - 60), 8 * pt, 8, 2.5}, s);
}

} // namespace kl
