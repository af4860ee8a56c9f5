// Saving: the data set as CSV (NAMAE), the settings over the opened file (KIOKU), pasted data
// under a new name (KIOKU02), the save prompts of exit, open and paste, and the restoring of a
// companion settings file when a data file is opened.
#include "app/main/DataPanel.h"
#include "app/main/FilePanel.h"
#include "app/main/MainForm.h"
#include "app/main/TablePanel.h"

#include "data/CsvWriter.h"
#include "data/DataFileReader.h"
#include "persist/SettingsFile.h"
#include "text/FileIO.h"
#include "text/Path.h"
#include "text/Text.h"
#include "text/Translate.h"

#include <QLineEdit>

namespace kl {

namespace {

const char* const kPromptOverwrite = KL_TRANSLATE_NOOP(
    "FilePanel", "このヒストグラムの設定結果をファイルに保存しますか？\r\n（上書き保存）　　　     ");
const char* const kPromptPasted =
    KL_TRANSLATE_NOOP("FilePanel", "貼り付けたデータ及びこのﾋｽﾄｸﾞﾗﾑの結果をファイルに保存しますか？       ");
const char* const kPromptTyped =
    KL_TRANSLATE_NOOP("FilePanel", "このヒストグラムのデータをファイルに保存しますか ？  　　　     ");
const char* const kParametersIncomplete = KL_TRANSLATE_NOOP("FilePanel", "パラメータに異常があります。    ");

} // namespace

bool FilePanel::savePrompts(bool fromOpen) {
    if (state_.pasted > 0) {
        const Answer a = ask(translate("FilePanel", "貼り付けデータの保存"),
                             translate("FilePanel", kPromptPasted), Buttons::YesNoCancel);
        if (a == Answer::Cancel) return false;
        return a != Answer::Yes || KIOKU02();
    }
    if (trimBlanks(state_.data.sourcePath).empty()) {
        if (window_.data().rowCount() == 0) return true;
        const Answer a =
            ask(translate("FilePanel", "保存"), translate("FilePanel", kPromptTyped), Buttons::YesNoCancel);
        if (a == Answer::Cancel) return false;
        if (a != Answer::Yes) return true;
        // Opening a file ends after this save; exit and paste go on once the data are saved.
        return NAMAE() && !fromOpen;
    }
    if (trimBlanks(state_.data.sourceName).empty()) return true;
    const Answer a =
        ask(translate("FilePanel", "保存"), translate("FilePanel", kPromptOverwrite), Buttons::YesNoCancel);
    if (a == Answer::Cancel) return false;
    return a != Answer::Yes || KIOKU(); // only an explicit Yes writes over the user's file
}

bool FilePanel::dataInNoFile() const {
    return window_.data().rowCount() > 0 && trimBlanks(state_.data.sourcePath).empty();
}

bool FilePanel::savePromptsDue(int counterThreshold) const {
    return state_.counter >= counterThreshold || dataInNoFile();
}

// Writes a data file and its settings file as one: both are replaced or neither is.
bool FilePanel::writeOrSay(const std::vector<FileWrite>& files) {
    std::string error;
    std::size_t failed = 0;
    if (writeFilesAtomic(files, &error, &failed)) return true;
    say("SAVE ERROR",
        translate("FilePanel", "ファイルを保存できませんでした。元のファイルは変更されていません。\r\n") +
            files[failed].path + "\r\n" + error);
    return false;
}

// The chosen path with ".CSV" appended when it lacks it; asks before replacing an existing file
// under the extended name, which the dialog did not ask about. nullopt when the user declined.
std::optional<std::string> FilePanel::csvTarget(const std::string& chosen) {
    const std::string trimmed = trimBlanks(chosen);
    const std::string path = withCsvExtension(trimmed);
    if (path != trimmed && fileExists(path) &&
        ask(translate("FilePanel", "保存"),
            withArgs(translate("FilePanel", "%1 は既に存在します。\r\n置き換えますか？"), {path}),
            Buttons::YesNo) != Answer::Yes)
        return std::nullopt;
    return path;
}

std::string FilePanel::rememberedFolder() {
    return trimBlanks(window_.options().read(options::rememberedFolder).value_or(""));
}

void FilePanel::BUTTON38_ON() {
    window_.FOC();
    if (window_.data().rowCount() < kMinDataValues) {
        say("BAD DATA",
            translate(
                "FilePanel",
                "データ数が不足のため、保存できません。　\r\nまたは、データがありません。　　　　　　　  "));
        return;
    }
    NAMAE();
}

bool FilePanel::NAMAE() {
    const std::string folder = rememberedFolder();
    std::string proposal = "*.CSV";
    if (!trimBlanks(state_.data.sourceBase).empty()) {
        state_.data.sourceName = splitPath(trimBlanks(state_.data.sourceBase)).base;
        proposal = state_.data.sourceName + ".CSV";
    }
    FileDialogRequest request;
    request.title = translate("FilePanel", "ファイルの保存");
    request.initial = folder + proposal;
    request.filters = {{translate("FilePanel", "CSVﾌｧｲﾙ(*.CSV)"), {"*.CSV", "*.csv"}},
                       {translate("FilePanel", "すべてのファイル(*.*)"), {"*"}}};
    const std::optional<std::string> chosen = services_.saveFile(request);
    if (!chosen) {
        state_.manual = 0;
        return false;
    }
    const std::optional<std::string> path = csvTarget(*chosen);
    if (!path) return false;
    const std::vector<std::string> rows = window_.data().listValues();
    if (rows.empty()) return false; // a file of no values is never written
    const PathParts parts = splitPath(*path);
    const std::string base = trimBlanks(parts.drive + parts.folder + parts.base);
    const SettingsRecord r = window_.table().settingsSnapshot();
    const bool withSettings = settingsComplete(r);
    const std::string data = csvBytes(rows), settings = settingsBytes(r);
    std::vector<FileWrite> files = {{*path, data}};
    if (withSettings) files.push_back({companionPath(base), settings});
    if (!writeOrSay(files)) return false;

    // The saved file is now the source of the data set.
    state_.data.sourcePath = *path;
    state_.data.sourceName = parts.base;
    state_.data.sourceBase = base;
    edit1_->setText(QString::fromStdString(*path));
    edit2_->setText(QString::fromStdString(parts.base));
    state_.pasted = 0;
    if (!withSettings) return true;
    state_.saved = true;
    state_.counter = 0;
    state_.manual = 0;
    return true;
}

bool FilePanel::KIOKU() {
    if (state_.saved) {
        state_.counter = 0;
        return true;
    }
    const std::string path = state_.data.sourcePath;
    const std::vector<std::string> rows = window_.data().listValues();
    const std::optional<std::string> old = readFileBytes(path);
    // A file cut at 40,000 values keeps the rest of the user's data: only the settings are saved.
    const bool cut = old && readDataFile(*old).capped;
    std::vector<FileWrite> files;
    std::string data;
    if (!rows.empty() && !cut) {
        data = csvBytes(rows, old ? detectEncoding(*old) : TextEncoding::Cp932);
        files.push_back({path, data});
    }
    SettingsRecord r = window_.table().settingsSnapshot();
    if (trimBlanks(r.title).empty() && window_.table().itemIndex() >= 0)
        r.title = defaultGraphTitle(window_.table().itemText());
    const bool withSettings = !trimBlanks(state_.data.sourceName).empty() && settingsComplete(r);
    const std::string settings = settingsBytes(r);
    if (withSettings) files.push_back({companionPath(trimBlanks(state_.data.sourceBase)), settings});
    if (!files.empty() && !writeOrSay(files)) return false;
    if (!withSettings) {
        // The settings the prompt offered to save cannot be written: say so, and let the asking
        // command stop so that the user can complete them or answer No.
        say("BAD DATA", translate("FilePanel", kParametersIncomplete));
        return false;
    }
    state_.saved = true;
    state_.counter = 0;
    state_.manual = 0;
    return true;
}

bool FilePanel::KIOKU02() {
    FileDialogRequest request;
    request.title = translate("FilePanel", "名前を付けて保存");
    request.initial = rememberedFolder() + "VARDO_DATF.CSV";
    request.filters = {{translate("FilePanel", "Excelﾌｧｲﾙ(*.CSV)"), {"*.CSV", "*.csv"}}};
    const std::optional<std::string> chosen = services_.saveFile(request);
    if (!chosen) return false;
    const std::optional<std::string> path = csvTarget(*chosen);
    if (!path) return false;
    std::vector<std::string> rows = window_.data().listValues();
    if (rows.empty()) return false;
    for (std::string& row : rows)
        row = trimBlanks(row);
    const std::string data = csvBytes(rows, TextEncoding::Cp932, true);

    SettingsRecord r = window_.table().settingsSnapshot();
    bool complete = true;
    for (const std::string* f : {&r.upper, &r.classes, &r.lower, &r.interval, &r.itemIndex})
        complete = complete && !trimBlanks(*f).empty();
    if (!complete) {
        if (!writeOrSay({{*path, data}})) return false;
        say("BAD DATA", translate("FilePanel", kParametersIncomplete));
        return true;
    }
    if (trimBlanks(r.title).empty()) r.title = defaultGraphTitle(window_.table().itemText());
    const PathParts parts = splitPath(*path);
    const std::string settings = settingsBytes(r);
    if (!writeOrSay(
            {{*path, data}, {companionPath(trimBlanks(parts.drive + parts.folder + parts.base)), settings}}))
        return false;
    state_.data.sourceName = parts.base;
    return true;
}

std::string FilePanel::readCompanionDecimalPlaces() {
    const std::string path = companionPath(trimBlanks(state_.data.sourceBase));
    if (!fileExists(path)) return {};
    state_.settingsFound = true;
    const std::optional<SettingsRecord> r = readSettingsFile(path);
    return std::to_string(restoredDecimalPlaces(r ? r->decimals : std::string()));
}

void FilePanel::restoreSettings() {
    const std::string path = companionPath(trimBlanks(state_.data.sourceBase));
    if (!fileExists(path)) return;
    state_.settingsFound = true;
    const std::optional<SettingsRecord> r = readSettingsFile(path);
    if (!r || trimBlanks(state_.data.sourceName).empty() || !settingsComplete(*r)) return;
    window_.table().restoreSettings(*r);
}

void FilePanel::forgetSource() {
    state_.data.sourcePath.clear();
    state_.data.sourceName.clear();
    state_.data.sourceBase.clear();
    clearShownSource();
    state_.settingsFound = false;
    state_.graphTitle.clear();
    window_.table().forgetTypedTitle();
}

void FilePanel::clearShownSource() {
    edit1_->clear();
    edit2_->clear();
}

} // namespace kl
