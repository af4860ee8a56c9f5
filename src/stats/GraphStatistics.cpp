#include "stats/GraphStatistics.h"

#include "text/Mask.h"
#include "text/Translate.h"

#include <algorithm>
#include <cmath>

namespace kl {

namespace {

constexpr int kMinNormalitySize = 25;
constexpr int kGraphColumnX = 255, kGraphSizeX = 275, kFirstSignificanceX = 120;
constexpr const char* kFigureMask = "######.######";
constexpr const char* kShapeMask = "######.####";

struct ShapeRows {
    const char* header;
    int headerY;
    int skewY;
};

constexpr ShapeRows kShapeRows[3] = {{"              *** normal data *** ", 210, 244},
                                     {"          *** log-transformed data *** ", 329, 363},
                                     {"         *** cube-transformed data *** ", 448, 482}};

bool allFinite(std::span<const double> x) {
    return std::all_of(x.begin(), x.end(), [](double v) { return std::isfinite(v); });
}

void figureRow(std::vector<GraphStatisticsText>& out, int y, const GraphFigureRow& row,
               const SampleFigures& first, const SampleFigures& graph) {
    out.push_back({15, y, 14, row.label + graphFigureText(first, row).value_or("  Not calc ")});
    out.push_back({kGraphColumnX, y, 14, graphFigureText(graph, row).value_or("  Not calc")});
}

void shapeRow(std::vector<GraphStatisticsText>& out, int y, const char* label, const ShapeStatistics& first,
              const ShapeStatistics& graph, bool skewness) {
    auto value = [&](const ShapeStatistics& s) { return skewness ? s.skewness : s.kurtosis; };
    auto z = [&](const ShapeStatistics& s) { return skewness ? s.zSkewness : s.zKurtosis; };
    out.push_back(
        {15, y, 14,
         std::string(label) + (first.calculated ? formatMask(value(first), kShapeMask) : "  Not calc")});
    out.push_back(
        {kGraphColumnX, y, 14, graph.calculated ? formatMask(value(graph), kShapeMask) : "  Not calc"});
    if (first.calculated) out.push_back({kFirstSignificanceX, y + 17, 14, graphSignificanceText(z(first))});
    if (graph.calculated) out.push_back({kGraphColumnX, y + 17, 14, graphSignificanceText(z(graph))});
}

} // namespace

SampleFigures sampleFigures(std::span<const double> x) {
    SampleFigures f;
    f.size = static_cast<long>(x.size());
    if (x.empty()) return f;
    f.hasLocation = true;
    static_cast<SampleSpread&>(f) = sampleSpread(x);
    if (x.size() < 2) return f;
    f.hasSpread = true;
    f.shape = formShapes(x, f.minimum, f.maximum);
    return f;
}

std::optional<std::string> graphFigureText(const SampleFigures& f, const GraphFigureRow& row) {
    if (!(f.*row.shown)) return std::nullopt;
    return formatMask(f.*row.value, kFigureMask);
}

std::string graphSignificanceText(double z) {
    if (z > kZ001) return "  (P<0.001)";
    if (z > kZ01) return " ( P<0.01 )";
    if (z > kZ05) return " ( P<0.05 )";
    return "    ( N.S )";
}

Message sameSampleSizeMessage() {
    return Message{translate("GraphStatistics", "計算不要"),
                   translate("GraphStatistics",
                             "グラフ上のデータと生データのサンプル数が同数ですので、   \r\n"
                             "計算結果の表示は行いません(メイン画面を参照して下さい)。 \r\n"
                             "また、外れ値を両端の階級に取り込んだ場合も表示しません。  "),
                   Buttons::Ok, Icon::Information};
}

GraphStatisticsOutcome computeGraphStatistics(std::span<const double> values, const GraphClasses& classes,
                                              std::string_view graphTitle) {
    GraphStatisticsOutcome out;
    if (values.empty() || !allFinite(values) || !graphClassesUsable(classes)) {
        out.message = unsuitableSampleMessage();
        return out;
    }
    std::vector<double> graphSample = shownValues(values, classes);
    if (graphSample.size() == values.size()) {
        out.message = sameSampleSizeMessage();
        return out;
    }
    out.shown = true;
    out.first = sampleFigures(values);
    out.graph = sampleFigures(graphSample);
    out.caption = withArgs(translate("GraphStatistics", "計算結果 ... %1"), {graphTitle});

    const SampleFigures& a = out.first;
    const SampleFigures& b = out.graph;
    auto& L = out.lines;
    L.push_back({10, 5, 14, "<< statistic >>"});
    L.push_back({15, 20, 14, "                   ( first )          ( graph )"});
    L.push_back({15, 40, 14, "SAMPLE SIZE ：      " + formatMask(static_cast<double>(a.size), "########")});
    L.push_back({kGraphSizeX, 40, 14, formatMask(static_cast<double>(b.size), "##########")});
    int y = 57;
    for (const GraphFigureRow& row : kGraphFigureRows) {
        figureRow(L, y, row, a, b);
        y += 17;
    }

    bool tooSmall = a.size < kMinNormalitySize || b.size < kMinNormalitySize;
    bool noSpread = !a.hasSpread || !b.hasSpread || a.sdSample < kMinSd || b.sdSample < kMinSd;
    out.beep = tooSmall || noSpread;
    out.normalityRows = !out.beep;
    if (out.normalityRows) {
        for (int form = 0; form < 3; ++form) {
            const ShapeRows& r = kShapeRows[form];
            L.push_back({15, r.headerY, 14, r.header});
            shapeRow(L, r.skewY, "Skewness    ： ", a.shape[form], b.shape[form], true);
            shapeRow(L, r.skewY + 34, "Kurtosis    ： ", a.shape[form], b.shape[form], false);
        }
    }
    L.push_back({15, 567, 12,
                 translate("GraphStatistics", "* グラフ上のデータと生データのサンプル数に相違があった場合")});
    L.push_back({15, 584, 12, translate("GraphStatistics", "　にのみ、この計算結果が表示できます。")});
    L.push_back({15, 618, 12,
                 translate("GraphStatistics", "* 次の操作を実行する場合は、このウインドウを閉じてから行っ")});
    L.push_back({15, 635, 12, translate("GraphStatistics", "　て下さい。")});
    return out;
}

} // namespace kl
