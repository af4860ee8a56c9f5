#include "data/EntryRules.h"

#include "text/Text.h"
#include "text/Translate.h"

namespace kl {

namespace {

Message badData(std::string text) {
    return {"bad data", std::move(text), Buttons::Ok, Icon::Information};
}

EntryVerdict refused(Message m) {
    return {false, {}, std::move(m)};
}

} // namespace

std::optional<std::string> submittedEntry(std::string_view fieldText) {
    if (fieldText.find("\r\n") == std::string_view::npos) return std::nullopt;
    std::string joined;
    joined.reserve(fieldText.size());
    for (std::size_t i = 0; i < fieldText.size(); ++i) {
        if (fieldText[i] == '\r' && i + 1 < fieldText.size() && fieldText[i + 1] == '\n') {
            ++i;
            continue;
        }
        joined.push_back(fieldText[i]);
    }
    return trimBlanks(joined);
}

EntryVerdict checkEntry(std::string_view entry) {
    if (entry.find_first_of(", \t\"") != std::string_view::npos) return refused(entryCharacterMessage());
    std::string text(entry);
    // Not `text = "0"`: GCC 12 reports a false overlap of that copy at -O2 (its bug 105651).
    if (leadingNumber(text) == 0) text.assign(1, '0');
    if (characterCount(text) > kMaxEntryLength) return refused(entryRangeMessage());
    const std::size_t point = text.rfind('.');
    const std::size_t decimals = point == std::string::npos ? 0 : characterCount(text.substr(point + 1));
    if (decimals > kMaxEntryDecimals) return refused(entryDecimalsMessage());
    return {true, std::move(text), std::nullopt};
}

std::vector<std::string> compactRows(const std::vector<std::string>& rows) {
    std::vector<std::string> kept;
    kept.reserve(rows.size());
    for (const std::string& row : rows) {
        std::string t = trimBlanks(row);
        if (t.empty() || !startsWithNumber(t)) continue;
        kept.push_back(std::move(t));
    }
    return kept;
}

Message entryRangeMessage() {
    return badData(translate("EntryRules", "本プログラムで扱えるデータの範囲を超えています。         "));
}

Message entryDecimalsMessage() {
    return badData(translate("EntryRules", "入力できるデータは、小数点以下４桁までです。       "));
}

Message entryCharacterMessage() {
    return badData(
        translate("EntryRules",
                  "入力できるのは数値のみです。カンマ、空白、タブ、引用符を含むデータは入力できません。"));
}

Message dataFullMessage() {
    return {
        "data full",
        translate("EntryRules", "本プログラムでは、使用できるデータ件数は ４０,０００件までです。        "),
        Buttons::Ok, Icon::Information};
}

Message insertFullMessage() {
    return {
        translate("EntryRules", "挿入"),
        translate(
            "EntryRules",
            "本プログラムでは、使用できるデータ件数は ４０,０００件までです。\r\nこれ以上挿入できません。"),
        Buttons::Ok, Icon::Information};
}

} // namespace kl
