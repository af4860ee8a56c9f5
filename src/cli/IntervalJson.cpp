// `klepsydra interval --format json`: every figure of the analysis, numbers at full precision.

#include "cli/IntervalOutput.h"

#include "text/Json.h"

namespace kl::cli {

using namespace refint;

namespace {

void indexValues(JsonWriter& w, const GroupAnalysis& g, const std::vector<std::size_t>& indices) {
    w.beginArray();
    for (std::size_t i : indices)
        w.beginObject().member("index", i).member("value", g.values[i]).endObject();
    w.endArray();
}

void limit(JsonWriter& w, const char* name, const Limit& l) {
    w.key(name).beginObject().member("value", l.value).key("ci90");
    if (l.hasCi)
        w.beginArray().value(l.ci.low).value(l.ci.high).endArray();
    else
        w.null();
    w.endObject();
}

void methods(JsonWriter& w, const IntervalResult& r) {
    w.key("methods").beginArray();
    for (const MethodRow& row : r.rows) {
        w.beginObject().member("key", methodKey(row.method)).member("name", methodName(row.method));
        w.member("available", row.available);
        if (row.available) {
            limit(w, "lower", row.lower);
            limit(w, "upper", row.upper);
            w.member("ci_source", row.ciSource);
        } else {
            w.member("reason", row.reason);
        }
        w.endObject();
    }
    w.endArray();
}

void boxCox(JsonWriter& w, const IntervalResult& r) {
    w.key("box_cox").beginObject().key("lambda");
    r.lambda ? w.value(*r.lambda) : w.null();
    if (!r.lambda) w.member("reason", r.lambdaReason);
    w.key("normality");
    if (r.normality)
        w.beginObject()
            .member("test", "Anderson-Darling")
            .member("statistic", r.normality->statistic)
            .member("p", r.normality->pValue)
            .member("rejects", r.normality->rejects)
            .endObject();
    else
        w.null();
    w.endObject();
}

void band(JsonWriter& w, const char* name, const Band& b) {
    w.key(name).beginArray().value(b.low).value(b.high).endArray();
}

void verdict(JsonWriter& w, const char* name, double estimate, const LimitVerdict& v) {
    w.key(name).beginObject().member("estimate", estimate).member("light", lightName(v.light));
    w.member("words", v.words).endObject();
}

void verification(JsonWriter& w, const GroupAnalysis& g, const TargetInterval& t) {
    w.key("verification").beginObject().key("target").beginArray().value(t.lower).value(t.upper).endArray();
    if (const auto& v = g.verification) {
        w.member("rule", ruleName(v->rule)).member("n", v->n).member("outside", v->outside);
        if (v->rule == VerificationRule::TwoStage)
            w.member("outside_first", v->outsideFirst).member("outside_second", v->outsideSecond);
        w.member("allowed", v->allowed)
            .member("accepted", v->accepted)
            .member("p_accept_if_right", v->passIfRight);
        w.key("p_accept_if_outside").beginObject();
        for (std::size_t i = 0; i < kTrulyOutside.size(); ++i)
            w.member(std::to_string(int(kTrulyOutside[i] * 100 + 0.5)), v->passIfOutside[i]);
        w.endObject();
    }
    if (const auto& j = g.judgement) {
        w.key("bands").beginObject();
        band(w, "lower", j->target.lower);
        band(w, "upper", j->target.upper);
        w.endObject().member("estimate_method", methodKey(j->estimate));
        verdict(w, "lower", j->lower, j->lowerVerdict);
        verdict(w, "upper", j->upper, j->upperVerdict);
    } else {
        w.member("bands_reason", g.judgementReason);
    }
    w.endObject();
}

void group(JsonWriter& w, const IntervalReport& rep, const GroupAnalysis& g) {
    const IntervalResult& r = g.intervals;
    w.beginObject().member("name", g.name).member("n", r.n).member("values_given", g.values.size());
    w.key("left_out");
    indexValues(w, g, g.leftOut);
    w.key("warnings").beginArray();
    for (const std::string& s : r.warnings)
        w.value(s);
    w.endArray();
    w.key("screens").beginObject().key("dixon_reed");
    indexValues(w, g, g.dixonReed);
    w.key("tukey").beginObject().member("scale", g.tukey.lambda ? "box-cox" : "raw").key("suspects");
    indexValues(w, g, g.tukey.suspects);
    w.endObject().endObject();
    boxCox(w, r);
    methods(w, r);
    if (rep.options.target) verification(w, g, *rep.options.target);
    w.endObject();
}

void pair(JsonWriter& w, const IntervalReport& rep, const PairPartition& p) {
    w.beginObject().member("first", rep.groups[p.first].name).member("second", rep.groups[p.second].name);
    if (!p.criteria) {
        w.member("reason", "needs at least 2 values in each group").endObject();
        return;
    }
    const Partitioning& c = *p.criteria;
    w.key("harris_boyd").beginObject().member("z", c.harrisBoyd.z).member("z_star", c.harrisBoyd.zStar);
    w.member("sd_ratio", c.harrisBoyd.sdRatio).member("partition", c.harrisBoyd.partition).endObject();
    w.key("lahti").beginObject().key("combined").beginArray().value(c.lahti.combinedLower);
    w.value(c.lahti.combinedUpper).endArray().key("percent_outside").beginArray();
    for (const auto& g : c.lahti.percentOutside)
        w.beginArray().value(g[0]).value(g[1]).endArray();
    w.endArray().member("verdict", lahtiName(c.lahti.verdict)).endObject();
    w.key("ichihara").beginObject().member("sd_between", c.ichihara.sdBetween);
    w.member("sd_reference", c.ichihara.sdReference).member("sdr", c.ichihara.sdr);
    w.member("partition", c.ichihara.partition).endObject();
    w.endObject();
}

} // namespace

void writeIntervalJson(const IntervalReport& rep, std::ostream& out) {
    JsonWriter w(out);
    w.beginObject().member("percentile_type", 6).member("excluded_screen", screenKey(rep.excluded));
    w.key("bootstrap").beginObject().member("resamples", rep.options.interval.bootstrap);
    w.member("seed", static_cast<std::int64_t>(rep.options.interval.seed)).endObject();
    w.key("groups").beginArray();
    for (const GroupAnalysis& g : rep.groups)
        group(w, rep, g);
    w.endArray().key("partitioning").beginArray();
    for (const PairPartition& p : rep.pairs)
        pair(w, rep, p);
    w.endArray().endObject();
    out << '\n';
}

} // namespace kl::cli
