#include "data/DataFileReader.h"

#include "data/DataTextReader.h"
#include "text/Cp932.h"
#include "text/Text.h"
#include "text/Translate.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>

namespace kl {

Message badDataFileMessage() {
    return {translate("DataFileReader", "不正なデータ"),
            translate("DataFileReader",
                      "このファイルにデータがないか、取り扱い不可能なデータが存在しています。       "),
            Buttons::Ok, Icon::Information};
}

Message severalColumnsMessage(int columns) {
    return {"CAN NOT USE",
            withArgs(translate("DataFileReader",
                               "読み込んだファイルのデータ形式は複数配列のものです。１元配列のデータを読み込"
                               "んで下さい。       \r\n （%1元配列です） "),
                     {std::to_string(columns)}),
            Buttons::Ok, Icon::Information};
}

Message tooFewValuesMessage() {
    return {"BAD DATA",
            translate("DataFileReader",
                      "データが少なすぎます。          \r\n(データ数が10件未満です)                     "),
            Buttons::Ok, Icon::Information};
}

Message valueCapMessage() {
    return {"caution",
            translate("DataFileReader", "本プログラムで扱えるデータは４０,０００件までです。    "
                                        "\r\n４０,０００件までのデータを取り込みました。"),
            Buttons::Ok, Icon::Information};
}

Message readCancelledMessage() {
    return {
        "CAUTION",
        translate("DataFileReader",
                  "ファイルの読み込みがキャセルされました。     \r\n全ての処理を最初から行って下さい。    "),
        Buttons::Ok, Icon::Information};
}

Message unreadableFileMessage(ReadFailure failure, int errorNumber, const std::string& path) {
    std::string cause;
    switch (failure) {
    case ReadFailure::Missing:
        cause = translate("DataFileReader", "ファイルが見つかりません。");
        break;
    case ReadFailure::Folder:
        cause = translate("DataFileReader", "フォルダです。");
        break;
    case ReadFailure::NotRegular:
        cause = translate("DataFileReader", "通常のファイルではありません（FIFO、デバイスなど）。");
        break;
    case ReadFailure::NoPermission:
        cause = translate("DataFileReader", "読み取りの権限がありません。");
        break;
    case ReadFailure::None:
    case ReadFailure::IoError:
        cause = withArgs(translate("DataFileReader", "読み込み中にエラーが発生しました（%1）。"),
                         {std::strerror(errorNumber ? errorNumber : EIO)});
        break;
    }
    return {"CAN NOT READ",
            withArgs(translate("DataFileReader", "このファイルは読み込めません。%1\r\n%2"), {cause, path}),
            Buttons::Ok, Icon::Information};
}

int firstLineColumns(std::string_view firstLine) {
    std::string trimmed = trimBlanks(firstLine);
    auto separators =
        std::count_if(trimmed.begin(), trimmed.end(), [](char ch) { return ch == ',' || ch == ' '; });
    return static_cast<int>(separators) + 1;
}

DataReadResult readDataText(std::string_view text, std::size_t fileSize, const DataReadHooks& hooks) {
    DataTextReader reader(fileSize, hooks);
    reader.feed(text);
    return reader.finish();
}

DataReadResult readDataFile(std::string_view fileBytes, const DataReadHooks& hooks) {
    bool binary = false;
    std::string text = decodeTextFile(fileBytes, &binary);
    if (binary) {
        DataReadResult r;
        r.refusal = ReadRefusal::BadData;
        r.messages.push_back(badDataFileMessage());
        return r;
    }
    // The estimate counts characters against bytes; a UTF-16 file has two bytes a character.
    bool utf16 = fileBytes.starts_with("\xFF\xFE") || fileBytes.starts_with("\xFE\xFF");
    return readDataText(text, utf16 ? (fileBytes.size() - 2) / 2 : fileBytes.size(), hooks);
}

} // namespace kl
