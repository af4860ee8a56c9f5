#include "stats/ClassParameters.h"

#include "text/Mask.h"
#include "text/Text.h"
#include "text/Translate.h"

#include <cmath>
#include <cstdio>

namespace kl {

namespace {

constexpr double kUnits[] = {0.1, 0.01, 0.001, 0.0001};

void removeCrLf(std::string& text) {
    for (std::size_t at; (at = text.find("\r\n")) != std::string::npos;)
        text.erase(at, 2);
}

std::string& fieldOf(ParameterFields& f, ParameterField which) {
    switch (which) {
    case ParameterField::Interval:
        return f.interval;
    case ParameterField::Lower:
        return f.lower;
    case ParameterField::Classes:
        break;
    }
    return f.classes;
}

void typedInterval(TypedParameterOutcome& out, const ParameterContext& ctx, int d) {
    std::string& text = out.fields.interval;
    if (fieldValue(text) > 99999) {
        text = replacementInterval(ctx);
        out.disableGraph = out.clearList = true;
    }
    if (cutLongField(text)) {
        out.messages.push_back(parameterMessage(texts::kIntervalTooLong));
        out.disableGraph = out.clearList = true;
    }
    double w = std::fabs(round501(fieldValue(text), d));
    if (w < unitOf(d)) {
        w = unitOf(d);
        out.disableGraph = out.clearList = true;
    }
    text = formatMaskTrim(w, intervalMask(d));
}

void typedLower(TypedParameterOutcome& out, const ParameterContext& ctx, int d) {
    std::string& text = out.fields.lower;
    if (cutLongField(text)) {
        out.messages.push_back(parameterMessage(texts::kLowerTooLong));
        out.disableGraph = out.clearList = true;
    }
    if (fieldValue(text) > leadingNumber(ctx.maxText)) {
        out.messages.push_back(parameterMessage(texts::kLowerTooLarge));
        text = trimBlanks(ctx.minText);
        out.disableGraph = out.clearList = true;
    }
    text = formatMaskTrim(round501(fieldValue(text), d), intervalMask(d));
}

void typedClasses(TypedParameterOutcome& out) {
    std::string& text = out.fields.classes;
    if (fieldValue(text) > 50) {
        text = "50";
        out.disableGraph = out.clearList = true;
    }
    if (fieldValue(text) < 10) {
        out.messages.push_back(parameterMessage(texts::kTooFewClasses));
        text = "15";
    }
}

} // namespace

std::string referenceLine(const std::string& lower, const std::string& upper, bool noUpperLimit) {
    if (noUpperLimit) return withArgs(translate("ClassParameters", "* R.I.：  - %1"), {lower});
    return withArgs(translate("ClassParameters", "* R.I.： %1 - %2"), {lower, upper});
}

Message parameterMessage(const char* text) {
    return {texts::kBadData, translate("ClassParameters", text), Buttons::Ok, Icon::Information};
}

int effectiveDecimals(int decimals) {
    return decimals >= 1 && decimals <= 4 ? decimals : 2;
}

std::string intervalMask(int decimals) {
    return "######." + std::string(static_cast<std::size_t>(effectiveDecimals(decimals)), '#');
}

std::string wideMask(int decimals) {
    return "########." + std::string(static_cast<std::size_t>(effectiveDecimals(decimals)), '#');
}

double unitOf(int decimals) {
    return kUnits[effectiveDecimals(decimals) - 1];
}

double fieldValue(std::string_view text) {
    std::string t = trimBlanks(text);
    std::string_view v = t;
    if (!v.empty() && v.front() == '%') v.remove_prefix(1);
    return leadingNumber(v);
}

bool isBlankField(std::string_view text) {
    return trimBlanks(text).empty();
}

bool cutLongField(std::string& text) {
    std::string trimmed = trimBlanks(text);
    if (characterCount(trimmed) <= 10) return false;
    text = trimBlanks(firstCharacters(trimmed, 6));
    return true;
}

std::string plainNumber(double v) {
    if (!std::isfinite(v)) return "0";
    if (std::fabs(v) < 1e15) return std::to_string(static_cast<long long>(v));
    char buf[400];
    std::snprintf(buf, sizeof buf, "%.0f", v);
    return buf;
}

double ladderInterval(double w) {
    struct Rung {
        float below;
        double value;
    };
    // The thresholds are single-precision numbers compared with the double w.
    static constexpr Rung kLadder[] = {{0.0011f, 0.001}, {0.003f, 0.002}, {0.006f, 0.005}, {0.011f, 0.01},
                                       {0.025f, 0.02},   {0.03f, 0.025},  {0.06f, 0.05},   {0.11f, 0.1},
                                       {0.25f, 0.2},     {0.3f, 0.25},    {0.6f, 0.5},     {1.1f, 1.0},
                                       {1.6f, 1.5},      {2.1f, 2.0},     {2.6f, 2.5},     {2.99f, 3.0}};
    if (std::isnan(w)) return kLadder[0].value;
    for (const Rung& rung : kLadder)
        if (w < static_cast<double>(rung.below)) return rung.value;
    return std::floor(w + kHalfUp);
}

std::string replacementInterval(const ParameterContext& ctx) {
    double r = std::floor((leadingNumber(ctx.maxText) - leadingNumber(ctx.minText)) / 15 + kHalfUp);
    int d = effectiveDecimals(ctx.decimals);
    if (!(r >= unitOf(d))) return formatMaskTrim(unitOf(d), intervalMask(d));
    return plainNumber(std::min(r, 99999.0));
}

ParameterFields normalise(const ParameterFields& fields, int decimals) {
    const double w = fieldValue(fields.interval);
    const double lower = fieldValue(fields.lower);
    const double count = fieldValue(fields.classes);
    return {formatMaskTrim(w, intervalMask(decimals)), formatMaskTrim(lower, intervalMask(decimals)),
            plainNumber(std::floor(count)), formatMaskTrim(lower + w * count, wideMask(decimals))};
}

ClassProposal proposeClassParameters(const ItemList& items, int index, const ParameterContext& ctx) {
    ClassProposal p;
    const int d = effectiveDecimals(ctx.decimals);
    if (index <= ItemList::kBlankIndex || static_cast<std::size_t>(index) >= items.entries.size())
        index = ItemList::kOtherIndex;
    p.index = index;
    p.entryText = static_cast<std::size_t>(index) < items.entries.size()
                      ? items.entries[static_cast<std::size_t>(index)]
                      : "OTHER" + blanks(21);
    p.fieldsEnabled = !trimBlanks(p.entryText).empty();

    const ReferenceRange* range = items.rangeAt(index);
    double lo, hi, w;
    if (range == nullptr) {
        lo = leadingNumber(ctx.minText);
        hi = leadingNumber(ctx.maxText);
        w = (hi - lo) / 30;
        p.hint = translate("ClassParameters", texts::kHintChooseItem);
    } else {
        p.referenceLower = range->lower;
        p.referenceUpper = range->upper;
        lo = leadingNumber(range->lower);
        hi = leadingNumber(range->upper);
        w = (hi - lo) / 10;
        p.noUpperLimit = hasNoUpperLimit(hi);
        p.referenceText = referenceLine(range->lower, range->upper, p.noUpperLimit);
        p.hint = translate("ClassParameters", texts::kHintItemChosen);
    }
    if (hasNoUpperLimit(hi)) w = lo / 30;
    // Starting the classes at 0 suits values that cannot be negative; data reaching below 0
    // (a base excess, say) keep their negative classes.
    const bool nonNegativeData = !(leadingNumber(ctx.minText) < 0);
    if (lo < 0.001 && nonNegativeData) lo = 0;
    w = ladderInterval(w);

    double lower = range == nullptr ? lo - w : lo - 10 * w;
    if (lower <= 0 && nonNegativeData) lower = 0;
    const std::string lowerText = formatMask(lower, intervalMask(d));
    p.fields.interval = formatMaskTrim(w, intervalMask(d));
    p.fields.lower = trimBlanks(lowerText);
    p.fields.classes = "30";
    const std::string upperText = formatMask(fieldValue(p.fields.lower) + 30 * w, wideMask(d));
    p.fields.upper = trimBlanks(upperText);
    if (range != nullptr) {
        p.proposedLower = lowerText;
        p.proposedUpper = upperText;
    }
    // Disabled fields do not keep a text: an unusable entry leaves them empty.
    if (!p.fieldsEnabled) p.fields = {};
    return p;
}

TypedParameterOutcome typedParameterChanged(ParameterField field, const ParameterFields& fields,
                                            bool fieldEnabled, const ParameterContext& ctx) {
    TypedParameterOutcome out;
    out.fields = fields;
    std::string& text = fieldOf(out.fields, field);
    if (isBlankField(text)) {
        out.fields.upper.clear();
        if (field != ParameterField::Lower) out.disableGraph = out.clearList = true;
    }
    if (!fieldEnabled) text.clear();
    if (text.find("\r\n") == std::string::npos) return out; // Enter not pressed yet
    removeCrLf(text);
    text = trimBlanks(text);

    const int d = effectiveDecimals(ctx.decimals);
    switch (field) {
    case ParameterField::Interval:
        typedInterval(out, ctx, d);
        break;
    case ParameterField::Lower:
        typedLower(out, ctx, d);
        break;
    case ParameterField::Classes:
        typedClasses(out);
        break;
    }

    const std::string& guard = field == ParameterField::Classes ? out.fields.classes : out.fields.interval;
    if (isBlankField(guard)) {
        out.beep = true;
        return out;
    }
    out.fields.upper =
        formatMaskTrim(fieldValue(out.fields.lower) +
                           std::fabs(fieldValue(out.fields.interval)) * fieldValue(out.fields.classes),
                       wideMask(d));
    out.clearList = out.disableGraph = out.runTable = true;
    return out;
}

std::vector<std::string> OutOfRangeRates::lines() const {
    return {translate("ClassParameters", "異常率(%)："),
            withArgs(translate("ClassParameters", "Lower：%1"), {lowerText}),
            withArgs(translate("ClassParameters", "Upper：%1"), {upperText}),
            withArgs(translate("ClassParameters", "Total：%1"), {totalText})};
}

OutOfRangeRates outOfRangeRates(const std::vector<double>& values, std::string_view referenceLower,
                                std::string_view referenceUpper) {
    OutOfRangeRates r;
    const double lower = leadingNumber(referenceLower);
    const double upper = leadingNumber(referenceUpper);
    for (double x : values) {
        if (x < lower) ++r.below;
        if (x > upper) ++r.above;
    }
    const double n = values.empty() ? 1.0 : static_cast<double>(values.size());
    auto percent = [n](std::size_t k) { return formatMaskTrim(static_cast<double>(k) / n * 100, "###.#"); };
    r.lowerText = percent(r.below);
    r.upperText = percent(r.above);
    r.totalText = percent(r.below + r.above);
    return r;
}

} // namespace kl
