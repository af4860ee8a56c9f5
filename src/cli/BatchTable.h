#pragma once
// The steps the batch commands share: their common options, loading the data file as the main
// window opens it, choosing the item, and the window's road from the load to the frequency table
// (item "OTHER" proposed and TABLE run twice, then the chosen item, then each given parameter
// typed and confirmed with Enter).

#include "cli/BatchCommands.h"
#include "data/DataFileReader.h"
#include "data/Message.h"
#include "graph/GraphComputation.h"
#include "refrange/ReferenceMaster.h"
#include "stats/BasicStatistics.h"
#include "stats/ClassParameters.h"
#include "stats/FrequencyTable.h"

#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <vector>

namespace kl::cli {

// The options of `table`, which `graph` and `report` take as well. file is the input being run.
struct TableOptions : CommonOptions {
    std::string file;
    std::optional<std::string> item, interval, lower, classes, workdir;
    bool other = false, fold = false;
    int decimals = 2;

    std::string workdirOrDefault() const;
};

// Reads the arguments into o (the common options, the table options, then the command's own
// through extra) as parseCommandLine does; both --item and --other print the usage. False on
// a bad command line.
bool parseBatchOptions(const std::vector<std::string>& args, const char* command, TableOptions& o,
                       const ExtraOptions& extra, std::ostream& err);

// The data file as the window opens it: its values and their statistics.
struct BatchData {
    DataReadResult read;
    std::vector<double> values;
    StatisticsOutcome stats;
};

// False when the file or its values are refused; refusal then holds the messages the window shows.
// A file that cannot be read gives no values, as in the window: the too-few refusal.
bool loadBatchData(const std::string& file, BatchData& data, std::vector<Message>& refusal);

// What the class parameter rules read for this data set.
ParameterContext parameterContext(const BatchData& data, int decimals);

// A message's text with the boxes' CR LF as plain line feeds, which read better on a terminal.
void printMessageText(const Message& m, std::ostream& err);
// "CAPTION: text", likewise.
void printCaptionedMessage(const Message& m, std::ostream& err);

// The item list of the working folder's master, provisioned from the seed first when missing;
// when the folder cannot take it (read-only), the seed's own items.
ItemList provisionedItemList(const std::string& workdir);

// The index of the --item in items (ItemList::kOtherIndex without one); an item not in the list
// prints "klepsydra COMMAND: the item '..' is not in .." and gives nothing.
std::optional<int> chosenItem(const TableOptions& o, const ItemList& items, const char* command,
                              const std::string& workdir, std::ostream& err);

// The part of the main window the table rules drive: the four fields, LIST2, the chosen item and
// the messages shown. The items and values are held by reference and must outlive it.
class BatchTable {
  public:
    // As in the window, typing does not reach the fields an unnamed master entry disabled.
    BatchTable(const ItemList& items, std::span<const double> values, ParameterContext ctx, bool fold);

    // The whole road for the given options, chosen being chosenItem's answer.
    void run(const TableOptions& o, int chosen);

    void chooseItem(int index);
    void type(ParameterField field, const std::string& text);
    void table();

    const ParameterFields& fields() const { return fields_; }
    const std::vector<std::string>& rows() const { return rows_; }
    const std::vector<Message>& messages() const { return shown_; }
    // Whether the last TABLE built the list and nothing emptied it since.
    bool built() const { return built_; }
    // The copies of the last table built, kept when a later TABLE is refused.
    const std::optional<TableCopies>& copies() const { return copies_; }
    int itemIndex() const { return index_; }
    // The chosen item's name, "OTHER" for the item OTHER.
    std::string itemName() const;
    // The out-of-range panel is shown (an item chosen and its table built).
    bool panelShown() const { return index_ > ItemList::kOtherIndex && panelShown_; }
    const std::string& referenceLower() const { return referenceLower_; }
    const std::string& referenceUpper() const { return referenceUpper_; }

  private:
    const ItemList& items_;
    std::span<const double> values_;
    ParameterContext ctx_;
    bool fold_;
    TableState state_;
    ParameterFields fields_;
    std::vector<std::string> rows_;
    std::vector<Message> shown_;
    std::optional<TableCopies> copies_;
    int index_ = ItemList::kOtherIndex;
    bool enabled_ = true;
    bool built_ = false;
    bool panelShown_ = false;
    std::string referenceLower_, referenceUpper_;
};

// ---- graph and report: a picture of the table -------------------------------------------------

// The file loaded, the working folder's items listed and the road run for the options; the
// table must be built. On a refusal the messages are printed as "CAPTION: text", status is set to
// the exit status and nothing is returned. data and items must outlive the table.
std::optional<BatchTable> pictureTable(const TableOptions& o, const char* command, BatchData& data,
                                       ItemList& items, int& status, std::ostream& err);

// The graph window's input for that table.
GraphInput pictureGraphInput(const TableOptions& o, const BatchData& data, const BatchTable& table,
                             double lambda, int scheme);

// The output of graph and report: either one PATH (--png, --pdf) or --out-dir, not both; false
// with the usage otherwise.
bool singleOrOutDir(const TableOptions& o, const std::string& path, const char* command, std::ostream& err);

// Runs a picture command over its inputs. Without --out-dir the inputs must be one file; with
// it, the folder is created when missing and two inputs of the same name are refused (status
// kExitUsage) before anything is written.
int forEachOutput(const TableOptions& o, const char* command, std::ostream& out, std::ostream& err,
                  const InputRun& run);

} // namespace kl::cli
