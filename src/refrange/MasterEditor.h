#pragma once
// Editing rules of the reference range master (data_f/KIJUN.DAT), as the "REFERENCE INTERVALS"
// window applies them: the editor list rows, appending, modifying and deleting records.
//
// Record numbers are 1-based and count every record of the file, also those whose trimmed name is
// empty; the editor list shows only the named ones, so a row index is turned into a record number
// through MasterListing::recordOfRow. There is no fixed capacity.
//
// Every change rewrites the whole file through writeFileAtomic: a failed write leaves the old file
// whole and is reported, never taken for success. Texts the file cannot hold (a double quote, a
// line break, a character without a CP932 form) are refused before anything is written; a double
// quote that a hand-edited unquoted field brought in is rewritten as the full-width quote.

#include "refrange/ReferenceMaster.h"
#include "text/Translate.h"

#include <string>
#include <vector>

namespace kl {

// One line of the file, CP932 bytes with its CR LF: the three texts quoted as they are, then
// fourteen empty quoted fields (17 fields, no blanks between them).
std::string masterLine(const ReferenceRange& record);

// The editor list row of the n-th listed record, widths counted in CP932 bytes: n right-aligned
// in 4, "|", the trimmed name padded and cut to 21, " | ", the trimmed lower limit right-aligned
// in 14, " | ", the trimmed upper limit right-aligned in 14, 22 blanks. A limit longer than 14
// bytes is cut to its first 14 so that the columns stay aligned.
std::string masterListRow(int n, const ReferenceRange& record);

struct MasterListing {
    std::vector<std::string> rows; // the LIST3 rows
    std::vector<int> recordOfRow;  // file record number shown on each row
    int recordCount = 0;           // every record read, named or not

    // The row that shows a record, -1 when none does.
    int rowOfRecord(int record) const;
};

MasterListing listMaster(const std::vector<ReferenceRange>& records);

// Refusal of a text that the file cannot represent (context "MasterEditor"; the caption is shown
// through translate(), the texts come translated from masterTextProblem).
inline constexpr const char* kMasterRefusalCaption = KL_TRANSLATE_NOOP("MasterEditor", "入力エラー");
inline constexpr const char* kMasterQuoteOrBreakText = KL_TRANSLATE_NOOP(
    "MasterEditor", "項目名・下限値・上限値に ダブルクォーテーション（\"）と改行は使えません。      ");
inline constexpr const char* kMasterNotCp932Text = KL_TRANSLATE_NOOP(
    "MasterEditor", "項目名・下限値・上限値に Shift-JIS で表せない文字が含まれています。      ");

// The refusal text for a record that cannot be written, in the current language; empty when all
// three texts are fine.
std::string masterTextProblem(const ReferenceRange& record);

enum class MasterEditStatus {
    Done,        // the file was rewritten
    Refused,     // a text cannot be represented; nothing written (message in `message`)
    NoFile,      // modify or delete on a missing file: nothing to do
    NoRecord,    // the record number is not in the file (changed behind the editor's back)
    ReadFailed,  // the file exists but cannot be read
    WriteFailed, // the write failed; the old file is whole (reason in `message`)
};

struct MasterEditResult {
    MasterEditStatus status = MasterEditStatus::Done;
    std::string message;
    bool ok() const { return status == MasterEditStatus::Done; }
};

// Appends one record, texts as typed, keeping every byte already in the file. A file whose last
// line has no CR LF gets it first (a lone CR is completed, a final 0x1A end-of-file mark is
// dropped); a missing file is created. The caller refuses an empty name before.
MasterEditResult appendMasterRecord(const std::string& path, const ReferenceRange& record);

// Replaces the three texts of record `record` (texts as typed, an empty name allowed) and rewrites
// every record in order with fields 4-17 empty. The other records keep their texts as read.
MasterEditResult modifyMasterRecord(const std::string& path, int record, const ReferenceRange& texts);

// Deletes record `record`. When it is the only record of the file, the file becomes one record of
// 17 empty fields; otherwise the remaining records are rewritten in order with their three texts
// trimmed, closing the gap.
MasterEditResult deleteMasterRecord(const std::string& path, int record);

} // namespace kl
