#include "cli/IntervalOutput.h"

#include "text/Json.h"

#include <cmath>
#include <cstdio>
#include <sstream>

namespace kl::cli {

using namespace refint;

std::string shortNumber(double v) {
    if (!std::isfinite(v)) return v > 0 ? "inf" : v < 0 ? "-inf" : "nan";
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.6g", v);
    return buf;
}

const char* screenKey(Screen s) {
    switch (s) {
    case Screen::None:
        return "none";
    case Screen::DixonReed:
        return "dixon";
    case Screen::Tukey:
        return "tukey";
    }
    return "";
}

namespace {

std::string valueList(const GroupAnalysis& g, const std::vector<std::size_t>& indices) {
    std::string s;
    for (std::size_t i : indices) {
        if (!s.empty()) s += ", ";
        s += shortNumber(g.values[i]);
    }
    return s;
}

std::string ciText(const Limit& l) {
    return l.hasCi ? " [" + shortNumber(l.ci.low) + ", " + shortNumber(l.ci.high) + "]" : "";
}

void writeGroupHeader(const GroupAnalysis& g, Screen excluded, std::ostream& out) {
    const IntervalResult& r = g.intervals;
    out << "Group: " << g.name << "\n";
    out << "Values: " << r.n;
    if (!g.leftOut.empty())
        out << " (" << g.leftOut.size() << " left out: " << valueList(g, g.leftOut) << ")";
    out << "\n";
    out << "Left out by screen: " << screenKey(excluded);
    out << "\n";
    for (const std::string& w : r.warnings)
        out << "Warning: " << w << "\n";
    out << "Dixon/Reed suspects: " << (g.dixonReed.empty() ? "none" : valueList(g, g.dixonReed)) << "\n";
    out << "Tukey suspects (" << (g.tukey.lambda ? "Box-Cox scale" : "raw scale")
        << "): " << (g.tukey.suspects.empty() ? "none" : valueList(g, g.tukey.suspects)) << "\n";
    if (r.lambda) {
        out << "Box-Cox λ = " << shortNumber(*r.lambda) << " (maximum likelihood)";
        if (r.normality)
            out << "; Anderson-Darling A* = " << shortNumber(r.normality->statistic)
                << ", p = " << shortNumber(r.normality->pValue)
                << (r.normality->rejects ? ": not normal" : ": normality not rejected");
        out << "\n";
    } else if (!r.lambdaReason.empty()) {
        out << "Box-Cox λ: none (" << r.lambdaReason << ")\n";
    }
}

void writeRows(const IntervalResult& r, std::ostream& out) {
    out << "Limits (2.5 % and 97.5 %, 90 % confidence intervals in brackets):\n";
    for (const MethodRow& row : r.rows) {
        out << "  " << methodName(row.method) << ": ";
        if (!row.available) {
            out << "missing: " << row.reason << "\n";
            continue;
        }
        out << shortNumber(row.lower.value) << ciText(row.lower) << " - " << shortNumber(row.upper.value)
            << ciText(row.upper);
        if (!row.ciSource.empty()) out << "; " << row.ciSource;
        out << "\n";
    }
}

void writeVerification(const GroupAnalysis& g, const TargetInterval& t, std::ostream& out) {
    out << "Verification of " << shortNumber(t.lower) << " - " << shortNumber(t.upper) << ":\n";
    if (g.verification) {
        const Verification& v = *g.verification;
        out << "  " << v.outside << " of " << v.n << " outside, " << ruleName(v.rule);
        if (v.rule == VerificationRule::TwoStage)
            out << " (first 20: " << v.outsideFirst << ", next 20: " << v.outsideSecond << ")";
        out << ": " << (v.accepted ? "accepted" : "rejected") << "\n";
        out << "  P(accept | interval right) = " << shortNumber(v.passIfRight)
            << "; P(accept | 10/15/20/30 % outside) =";
        for (std::size_t i = 0; i < v.passIfOutside.size(); ++i)
            out << (i ? " /" : "") << " " << shortNumber(v.passIfOutside[i]);
        out << "\n";
    }
    if (!g.judgement) {
        out << "  Permissible bands: " << g.judgementReason << "\n";
        return;
    }
    const TargetJudgement& j = *g.judgement;
    out << "  Permissible bands: lower " << shortNumber(j.target.lower.low) << " - "
        << shortNumber(j.target.lower.high) << ", upper " << shortNumber(j.target.upper.low) << " - "
        << shortNumber(j.target.upper.high) << "\n";
    out << "  " << methodName(j.estimate) << " " << shortNumber(j.lower) << ": "
        << lightName(j.lowerVerdict.light) << " (" << j.lowerVerdict.words << "); " << shortNumber(j.upper)
        << ": " << lightName(j.upperVerdict.light) << " (" << j.upperVerdict.words << ")\n";
}

void writePair(const IntervalReport& r, const PairPartition& p, std::ostream& out) {
    const std::string& a = r.groups[p.first].name;
    const std::string& b = r.groups[p.second].name;
    out << "Partitioning " << a << " vs " << b << ":\n";
    if (!p.criteria) {
        out << "  needs at least 2 values in each group\n";
        return;
    }
    const Partitioning& c = *p.criteria;
    const HarrisBoyd& h = c.harrisBoyd;
    out << "  Harris & Boyd (" << (h.lambda ? "Box-Cox scale" : "raw scale") << "): z = " << shortNumber(h.z)
        << ", z* = " << shortNumber(h.zStar) << ", SD ratio = " << shortNumber(h.sdRatio) << ": "
        << (h.partition ? "partition" : "combine") << "\n";
    const Lahti& l = c.lahti;
    out << "  Lahti: combined " << shortNumber(l.combinedLower) << " - " << shortNumber(l.combinedUpper)
        << "; " << a << " " << shortNumber(l.percentOutside[0][0]) << " % below, "
        << shortNumber(l.percentOutside[0][1]) << " % above; " << b << " "
        << shortNumber(l.percentOutside[1][0]) << " % below, " << shortNumber(l.percentOutside[1][1])
        << " % above: " << lahtiName(l.verdict) << "\n";
    const Ichihara& i = c.ichihara;
    out << "  Ichihara: SD between = " << shortNumber(i.sdBetween)
        << ", SD RI = " << shortNumber(i.sdReference) << ", SDR = " << shortNumber(i.sdr) << ": "
        << (i.partition ? "partition" : "combine") << "\n";
}

} // namespace

void writeIntervalText(const IntervalReport& r, std::ostream& out) {
    for (std::size_t i = 0; i < r.groups.size(); ++i) {
        if (i) out << "\n";
        const GroupAnalysis& g = r.groups[i];
        writeGroupHeader(g, r.excluded, out);
        writeRows(g.intervals, out);
        if (r.options.target) writeVerification(g, *r.options.target, out);
    }
    for (const PairPartition& p : r.pairs) {
        out << "\n";
        writePair(r, p, out);
    }
}

namespace {

std::string csvNumber(bool present, double v) {
    return present ? jsonNumber(v) : "";
}

} // namespace

std::string intervalCsvHeader() {
    return "group,method,n,lower,lower_ci_low,lower_ci_high,upper,upper_ci_low,upper_ci_high,note";
}

void writeIntervalCsv(const IntervalReport& r, std::ostream& out) {
    for (const GroupAnalysis& g : r.groups)
        for (const MethodRow& row : g.intervals.rows) {
            bool a = row.available;
            out << csvField(g.name) << ',' << csvField(methodName(row.method)) << ',' << g.intervals.n << ','
                << csvNumber(a, row.lower.value) << ',' << csvNumber(a && row.lower.hasCi, row.lower.ci.low)
                << ',' << csvNumber(a && row.lower.hasCi, row.lower.ci.high) << ','
                << csvNumber(a, row.upper.value) << ',' << csvNumber(a && row.upper.hasCi, row.upper.ci.low)
                << ',' << csvNumber(a && row.upper.hasCi, row.upper.ci.high) << ','
                << csvField(a ? row.ciSource : row.reason) << '\n';
        }
}

} // namespace kl::cli
