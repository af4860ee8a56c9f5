#include "output/FrequencyExport.h"

#include "text/Cp932.h"
#include "text/FileIO.h"
#include "text/Text.h"

#include <algorithm>
#include <cerrno>

namespace kl {

namespace {

// Bytes from..to (1-based, inclusive, to may be past the end) of a CP932 text, back in UTF-8.
// A double-byte character cut at either end becomes a blank, so the result is always text.
std::string byteRange(const std::string& cp932, std::size_t from, std::size_t to) {
    if (from > cp932.size()) return {};
    std::size_t begin = from - 1, end = std::min(to, cp932.size());
    std::string out;
    // Walk from the start so that lead and trail bytes are told apart.
    for (std::size_t i = 0; i < end;) {
        const auto c = static_cast<unsigned char>(cp932[i]);
        const bool lead = (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
        const std::size_t len = lead && i + 1 < cp932.size() ? 2 : 1;
        if (i >= begin) {
            if (i + len > end)
                out += ' ';
            else
                out.append(cp932, i, len);
        } else if (i + len > begin) {
            out += ' '; // the trail half of a character begun before the range
        }
        i += len;
    }
    return cp932ToUtf8(out);
}

} // namespace

ExportFields exportFields(std::string_view row) {
    const std::string bytes = utf8ToCp932(row);
    return {trimBlanks(byteRange(bytes, 8, 37)), trimBlanks(byteRange(bytes, 39, bytes.size()))};
}

std::string frequencyExportBytes(const std::vector<std::string>& rows) {
    const std::string b5 = blanks(5), b9 = blanks(9);
    std::string out;
    auto line = [&out](const std::string& utf8) { out += utf8ToCp932(utf8) + "\r\n"; };
    line(b5 + "," + b5 + "," + blanks(8) + "," + b9 + "," + b9);
    line(b5 + ", No  ,INTERVAL,FREQUENCY," + b9);
    int k = 0;
    for (const std::string& row : rows) {
        ++k;
        const ExportFields f = exportFields(row);
        line(b5 + ", " + std::to_string(k) + " ," + f.interval + "," + f.frequency + "," + b9);
    }
    return out;
}

namespace {

// The lock files a spreadsheet program keeps beside a file it has open: LibreOffice's
// ".~lock.NAME#" and Excel's "~$NAME".
bool heldBySpreadsheet(const std::string& path) {
    auto slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    return fileExists(folder + ".~lock." + name + "#") || fileExists(folder + "~$" + name);
}

} // namespace

ExportWrite writeFrequencyExport(const std::string& path, const std::vector<std::string>& rows,
                                 std::string* error) {
    if (heldBySpreadsheet(path)) return ExportWrite::HeldOpen;
    if (writeFileAtomic(path, frequencyExportBytes(rows), error)) return ExportWrite::Written;
    return errno == EBUSY || errno == ETXTBSY ? ExportWrite::HeldOpen : ExportWrite::Failed;
}

} // namespace kl
