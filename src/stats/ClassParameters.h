#pragma once
// Class parameters: the proposal made when a measurement item is chosen, the corrections of a
// typed interval, lower limit or class count, and the normalisation of the four fields.
// The four edit fields (interval, lower limit, class count, upper limit) are the master copy;
// every rule here takes their texts and returns the texts to write back, the messages to show
// and what the window does next. Nothing here touches a widget.

#include "data/Message.h"
#include "refrange/ReferenceMaster.h"
#include "text/Translate.h"

#include <string>
#include <string_view>
#include <vector>

namespace kl {

// The texts of EDIT3 (interval), EDIT4 (lower limit), EDIT5 (class count), EDIT6 (upper limit).
struct ParameterFields {
    std::string interval;
    std::string lower;
    std::string classes;
    std::string upper;
    bool operator==(const ParameterFields&) const = default;
};

// What the parameter rules read besides the fields: the decimal places d of the data set and
// the kept minimum and maximum texts of the statistics.
struct ParameterContext {
    int decimals = 2;
    std::string minText;
    std::string maxText;
};

// Shown through translate("ClassParameters", ...).
namespace texts {
inline constexpr const char* kBadData = "BAD DATA";
inline constexpr const char* kParametersUnset =
    KL_TRANSLATE_NOOP("ClassParameters", "パラメータが未設定です。      ");
inline constexpr const char* kIntervalTooSmall =
    KL_TRANSLATE_NOOP("ClassParameters", "階級幅が小さ過ぎます。       ");
inline constexpr const char* kIntervalTooLong =
    KL_TRANSLATE_NOOP("ClassParameters", "階級幅の桁数が大き過ぎます。      ");
inline constexpr const char* kIntervalTooLarge =
    KL_TRANSLATE_NOOP("ClassParameters", "階級幅が大き過ぎます。      ");
inline constexpr const char* kLowerTooLong =
    KL_TRANSLATE_NOOP("ClassParameters", "下限値の桁数が大き過ぎます。      ");
inline constexpr const char* kLowerTooLarge =
    KL_TRANSLATE_NOOP("ClassParameters", "下限値の値が大き過ぎます。      ");
inline constexpr const char* kTooManyClasses =
    KL_TRANSLATE_NOOP("ClassParameters", "階級数が多すぎます。        ");
inline constexpr const char* kTooFewClasses =
    KL_TRANSLATE_NOOP("ClassParameters", "階級数は10以上にして下さい。        ");
inline constexpr const char* kHintChooseItem =
    KL_TRANSLATE_NOOP("ClassParameters", "測定項目名を選択して下さい。(推奨)");
inline constexpr const char* kHintItemChosen =
    KL_TRANSLATE_NOOP("ClassParameters", "階級幅など設定後、Frequency tableﾎﾞﾀﾝをどうぞ。");
inline constexpr const char* kHintBuildTable =
    KL_TRANSLATE_NOOP("ClassParameters", "｢ Frequency table ｣を作成の後、下記のボタンをどうぞ。");
} // namespace texts

Message parameterMessage(const char* text);

// d clamped to 1..4 (anything else reads as 2).
int effectiveDecimals(int decimals);
// "######.##" for the interval and the lower limit, "########.##" for the upper limit and the
// class bounds, and the unit u = 10^-d.
std::string intervalMask(int decimals);
std::string wideMask(int decimals);
double unitOf(int decimals);

// The number a parameter field holds: the leading number of its trimmed text, where a text
// left by a too-wide mask ("%1234567.25") is read as the number after the "%".
double fieldValue(std::string_view text);
bool isBlankField(std::string_view text);
// A field whose trimmed text is longer than 10 characters keeps its first 6 (trimmed); true when
// it was cut.
bool cutLongField(std::string& text);
// An integer written without decimals or exponent ("7", "-12").
std::string plainNumber(double v);

// The raw proposed interval rounded by the ladder (thresholds compared in single precision;
// from 2.99 on floor(w + 0.501)).
double ladderInterval(double w);

// The replacement for an interval above 99999: floor((max - min) / 15 + 0.501), raised to the
// unit when below it and capped at 99999, as the field text.
std::string replacementInterval(const ParameterContext& ctx);

// Normalisation: every field formatted from the values the four texts held before it began.
ParameterFields normalise(const ParameterFields& fields, int decimals);

// ---- proposal on choosing a measurement item ----------------------------------------------

struct ClassProposal {
    int index = ItemList::kOtherIndex; // the blank entry becomes "OTHER"
    std::string entryText;             // the display text of the chosen entry
    bool fieldsEnabled = true;         // EDIT3..EDIT6, BUTTON2, BUTTON3
    ParameterFields fields;
    std::string referenceLower; // kept reference limits; empty for "OTHER"
    std::string referenceUpper;
    std::string referenceText; // "* R.I.： ..." for an item; empty: the box is wiped
    bool noUpperLimit = false;
    std::string proposedLower; // untrimmed, for the settings file; items only
    std::string proposedUpper;
    std::string hint;     // the hint line under the item list
    int counterDelta = 3; // unsaved-changes counter
    // Next: clear LIST2 before, run TABLE after.
};

ClassProposal proposeClassParameters(const ItemList& items, int index, const ParameterContext& ctx);

// ---- a parameter typed and confirmed with Enter --------------------------------------------

enum class ParameterField { Interval, Lower, Classes };

struct TypedParameterOutcome {
    ParameterFields fields;
    std::vector<Message> messages;
    bool beep = false;
    bool clearList = false;    // LIST2 emptied
    bool disableGraph = false; // BUTTON3 disabled
    bool runTable = false;     // then TABLE; BUTTON3 enabled only if LIST2 has rows, else the hint
    int counterDelta = 2;
};

// The change handler of EDIT3, EDIT4 or EDIT5 for the fields as they stand after the change
// (the changed field may hold the CR LF of Enter). fieldEnabled: whether the changed field is
// enabled.
TypedParameterOutcome typedParameterChanged(ParameterField field, const ParameterFields& fields,
                                            bool fieldEnabled, const ParameterContext& ctx);

// The reference range line under the item: "* R.I.： LOWER - UPPER", or with no upper limit
// "* R.I.：  - LOWER".
std::string referenceLine(const std::string& lower, const std::string& upper, bool noUpperLimit);

// ---- out-of-range rates -------------------------------------------------------------------

struct OutOfRangeRates {
    std::size_t below = 0;
    std::size_t above = 0;
    std::string lowerText; // percentages through "###.#", trimmed
    std::string upperText;
    std::string totalText;
    // The panel's lines: "異常率(%)：", "Lower：..", "Upper：..", "Total：..".
    std::vector<std::string> lines() const;
};

// Values strictly below the reference lower limit and strictly above the reference upper limit.
OutOfRangeRates outOfRangeRates(const std::vector<double>& values, std::string_view referenceLower,
                                std::string_view referenceUpper);

} // namespace kl
