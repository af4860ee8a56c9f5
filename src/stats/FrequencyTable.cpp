#include "stats/FrequencyTable.h"

#include "text/Mask.h"
#include "text/Text.h"
#include "text/Translate.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace kl {

namespace {

constexpr double kMaxPosition = 3999;

// Steps 2 to 7 of TABLE: each finding shows its message, corrects its field, empties the list
// and normalises the four fields; the checks then go on with the corrected texts.
void correctParameters(TableOutcome& out, const ParameterContext& ctx, TableState& state, int d) {
    ParameterFields& f = out.fields;
    auto corrected = [&](const char* message) {
        if (message != nullptr) out.messages.push_back(parameterMessage(message));
        out.clearList = true;
        f = normalise(f, d);
    };

    if (std::fabs(round501(fieldValue(f.interval), d)) < unitOf(d)) {
        if (state.tooSmallCount < INT_MAX) ++state.tooSmallCount;
        f.interval = formatMaskTrim(unitOf(d), intervalMask(d));
        corrected(state.tooSmallCount == 1 ? texts::kIntervalTooSmall : nullptr);
    }
    if (cutLongField(f.interval)) corrected(texts::kIntervalTooLong);
    if (std::fabs(fieldValue(f.interval)) > 99999) {
        f.interval = replacementInterval(ctx);
        corrected(texts::kIntervalTooLarge);
    }
    if (fieldValue(f.lower) > leadingNumber(ctx.maxText)) {
        f.lower = trimBlanks(ctx.minText);
        corrected(texts::kLowerTooLarge);
    }
    if (fieldValue(f.classes) > 50) {
        f.classes = "50";
        corrected(texts::kTooManyClasses);
    }
    if (fieldValue(f.classes) < 10) {
        f.classes = "15";
        corrected(texts::kTooFewClasses);
    }
}

// Step 9: parameters that cannot give a table.
bool unusable(TableOutcome& out) {
    const ParameterFields& f = out.fields;
    if (f.upper.find('%') != std::string::npos) {
        out.beep = true;
        return true;
    }
    const double count = fieldValue(f.classes);
    return fieldValue(f.interval) == 0 || count < 10 || count > 50 ||
           !(fieldValue(f.upper) > fieldValue(f.lower)) || isBlankField(f.upper);
}

} // namespace

double TableCopies::lower() const {
    return fieldValue(lowerText);
}
double TableCopies::interval() const {
    return fieldValue(intervalText);
}
double TableCopies::upper() const {
    return fieldValue(upperText);
}

Message rejectMessage() {
    return {
        "bad data(n)",
        translate(
            "FrequencyTable",
            "パラメーターの設定が適当ではありません。  \r\n階級幅など再度設定の後このボタンをどうぞ。        "
            "    "),
        Buttons::Ok, Icon::Information};
}

TableCounts countIntoClasses(std::span<const double> values, double lower, double width, int classes,
                             bool fold) {
    TableCounts result;
    result.counts.assign(static_cast<std::size_t>(std::max(classes, 0)), 0);
    const double last = classes;
    for (double x : values) {
        const double p = (x - lower) / width;
        if (!(p <= kMaxPosition)) { // NaN too
            result.status = CountStatus::TooFarAbove;
            return result;
        }
        // Kept as a double: a position thousands of classes below L stays exact and harmless.
        double k = std::floor(p + 0.0001) + 1;
        if (k > kMaxPosition) {
            result.status = CountStatus::ClassTooHigh;
            return result;
        }
        if (fold) {
            k = std::clamp(k, 1.0, last);
        } else if (k < 1 || k > last) {
            continue;
        }
        if (classes > 0) ++result.counts[static_cast<std::size_t>(k) - 1];
    }
    return result;
}

std::string frequencyRow(int k, std::string_view lowerBound, std::string_view upperBound, int frequency) {
    std::string freq = frequency == 0 ? std::string("  ") : formatMaskTrim(frequency, "#####");
    std::string row;
    row.reserve(110);
    row += padLeft(formatMaskTrim(k, "####"), 5);
    row += " | ";
    row += padLeft(lowerBound.empty() ? std::string_view(" ") : lowerBound, 12);
    row += translate("FrequencyTable", " － ");
    row += padRight(upperBound.empty() ? std::string_view(" ") : upperBound, 12);
    row += " | ";
    row += padRight(freq, 6);
    row += blanks(52);
    return row;
}

std::vector<std::string> frequencyRows(const std::vector<int>& counts, double lower, double width,
                                       int decimals, bool fold, std::string_view minText) {
    const std::string mask = wideMask(decimals);
    const int classes = static_cast<int>(counts.size());
    std::vector<std::string> rows;
    rows.reserve(counts.size());
    for (int k = 1; k <= classes; ++k) {
        std::string lo = formatMaskTrim(lower + width * (k - 1), mask);
        std::string hi = formatMaskTrim(lower + width * k, mask);
        if (fold && k == 1 && !(minText.find('-') == std::string_view::npos && lo == "0.00")) lo.clear();
        if (fold && k == classes) hi.clear();
        rows.push_back(frequencyRow(k, lo, hi, counts[static_cast<std::size_t>(k) - 1]));
    }
    return rows;
}

TableOutcome runTable(const ParameterFields& fields, std::span<const double> values,
                      const ParameterContext& ctx, bool fold, TableState& state) {
    TableOutcome out;
    out.fields = fields;
    const int d = effectiveDecimals(ctx.decimals);
    ParameterFields& f = out.fields;

    if (isBlankField(f.interval) || isBlankField(f.lower) || isBlankField(f.classes) ||
        isBlankField(f.upper)) {
        out.messages.push_back(parameterMessage(texts::kParametersUnset));
        out.clearList = true;
        out.result = TableResult::Unset;
        return out;
    }
    correctParameters(out, ctx, state, d);
    f = normalise(f, d);
    if (unusable(out)) {
        out.messages.push_back(rejectMessage());
        return out;
    }

    const int classes = static_cast<int>(fieldValue(f.classes));
    const double lower = fieldValue(f.lower);
    const double width = std::fabs(fieldValue(f.interval));
    f.upper = formatMaskTrim(lower + width * classes, wideMask(d));

    TableCounts counted = countIntoClasses(values, lower, width, classes, fold);
    if (counted.status != CountStatus::Ok) {
        out.messages.push_back(rejectMessage());
        out.focusInterval = counted.status == CountStatus::ClassTooHigh;
        return out;
    }
    out.rows = frequencyRows(counted.counts, lower, width, d, fold, ctx.minText);
    out.copies = TableCopies{classes, f.lower, f.interval, f.upper};
    out.result = TableResult::Built;
    return out;
}

} // namespace kl
