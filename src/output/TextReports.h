#pragma once
// The text reports on A4 paper: the shared print frame and the page layouts of the data list, the
// basic statistics, the frequency table, the two-column statistics of the graph statistics window,
// the help texts and the distribution-pattern page. Pages are in 0.1 mm from the top left of the
// printable area; font sizes are points ("ＭＳ 明朝", colour 0).

#include "data/Message.h"
#include "platform/PrintJob.h"
#include "stats/GraphStatistics.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace kl {

class Services;

struct DataSet;

// One point is 3.5278 units of 0.1 mm.
inline constexpr double kPaperUnitsPerPoint = 3.5278;

// The print frame: the print dialog (false when cancelled: nothing is printed), the busy pointer,
// a document named "PRINTER", the content, the end of the document. A failure inside the content
// is swallowed so that the document is still ended and what was drawn comes out.
// proposedFile is the PDF file the dialog proposes (printFileProposal).
bool printReport(Services& services, const std::function<void(PrintJob&)>& content,
                 const std::string& proposedFile = {});

// The PDF file proposed for a report of kind ("histogram", "datalist" ...) on the data of
// sourcePath: "data_histogram.pdf" beside "data.csv"; the bare "histogram.pdf" without a file.
std::string printFileProposal(const std::string& sourcePath, const std::string& kind);

// The file name a report prints: the trimmed source path, or nothing for pasted or typed data.
std::string reportFileName(const DataSet& data, bool pasted);

// Data list: four columns of 50 values, a new page with the header again after every 200 values.
// A value longer than its 9-character field is printed whole (it runs into the blanks beside it).
void printDataList(PrintJob& job, const DataSet& data, const std::string& fileName);

// The entry of value i in the data list, column 1..4.
std::string dataListEntry(int i, const std::string& value, int column);

struct ReferenceLimitTexts {
    std::string lower, upper;
};

// Basic statistics; the shape blocks only from 30 values, the out-of-range block only with an item.
void printBasicStatistics(PrintJob& job, const DataSet& data, const std::string& fileName,
                          const std::optional<ReferenceLimitTexts>& item);

// Frequency table: the rows exactly as the main window's list holds them.
void printFrequencyTable(PrintJob& job, const std::vector<std::string>& rows, const std::string& fileName,
                         int count);

// The two-column statistics of the graph statistics window. The footer is printed when fileName
// is not empty. Returns the message to show when the report stops early (the page is still ended).
std::optional<Message> printGraphStatistics(PrintJob& job, const GraphStatisticsOutcome& outcome,
                                            const std::string& fileName, int count);

// The help text of help mode 1 (usage) or 2 (skewness and kurtosis, with the formula block).
void printHelpText(PrintJob& job, int mode);

// The distribution-pattern picture with the 95 % interval explanation under it.
void printIntervalHelp(PrintJob& job);

} // namespace kl
