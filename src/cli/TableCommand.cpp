// `klepsydra table FILE ...`: the main window's road from a data file to its frequency table,
// without a display. The file is loaded (item "OTHER" proposed, TABLE run twice as after a load),
// the item is chosen, each given parameter is typed and confirmed with Enter, and the fields,
// the messages, the rows of the list and the out-of-range rates are printed.

#include "cli/Batch.h"

#include "data/DataFileReader.h"
#include "data/DataSet.h"
#include "persist/WorkDir.h"
#include "refrange/ReferenceMaster.h"
#include "stats/BasicStatistics.h"
#include "stats/ClassParameters.h"
#include "stats/FrequencyTable.h"
#include "text/FileIO.h"
#include "text/Text.h"

#include <filesystem>
#include <optional>

namespace kl::cli {

namespace {

struct TableOptions {
    std::string file;
    std::optional<std::string> item;
    bool other = false;
    std::optional<std::string> interval, lower, classes;
    bool fold = false;
    int decimals = 2;
    std::optional<std::string> workdir;
};

constexpr const char* kUsage =
    "usage: klepsydra table FILE [--item NAME | --other] [--interval W] [--lower L] [--classes K] [--fold]\n"
    "                      [--decimals D] [--workdir DIR]\n";

bool parseOptions(const std::vector<std::string>& args, TableOptions& o, std::ostream& err) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](std::optional<std::string>& into) {
            if (i + 1 >= args.size()) return false;
            into = args[++i];
            return true;
        };
        bool ok = true;
        if (a == "--item")
            ok = value(o.item);
        else if (a == "--other")
            o.other = true;
        else if (a == "--interval")
            ok = value(o.interval);
        else if (a == "--lower")
            ok = value(o.lower);
        else if (a == "--classes")
            ok = value(o.classes);
        else if (a == "--fold")
            o.fold = true;
        else if (a == "--workdir")
            ok = value(o.workdir);
        else if (a == "--decimals") {
            std::optional<std::string> d;
            ok = value(d) && d->size() == 1 && (*d)[0] >= '1' && (*d)[0] <= '4';
            if (ok) o.decimals = (*d)[0] - '0';
        } else if (!a.empty() && a[0] != '-' && o.file.empty())
            o.file = a;
        else
            ok = false;
        if (!ok) {
            err << "klepsydra table: bad argument '" << a << "'\n" << kUsage;
            return false;
        }
    }
    if (o.file.empty() || (o.item && o.other)) {
        err << kUsage;
        return false;
    }
    return true;
}

// The folder holding the seed master: beside the program, else the source tree's resources.
std::string seedFolder() {
    std::error_code ec;
    auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (!ec && fileExists((exe.parent_path() / kReferenceSeedName).string()))
        return exe.parent_path().string();
#ifdef KLEPSYDRA_RESOURCE_DIR
    return KLEPSYDRA_RESOURCE_DIR;
#else
    return {};
#endif
}

// The item list as the window builds it; a master that cannot be provisioned (a read-only
// working folder) is read straight from the seed.
ItemList itemList(const std::string& workdir) {
    const std::string seeds = seedFolder();
    provisionReferenceMaster(workdir, seeds);
    if (fileExists(resolveInWorkdir(workdir, kReferenceMasterRelative)) || seeds.empty())
        return loadItemList(workdir);
    auto records = readReferenceMaster((std::filesystem::path(seeds) / kReferenceSeedName).string());
    return buildItemList(records.value_or(std::vector<ReferenceRange>{}));
}

// The part of the main window these rules drive: the four fields, LIST2, the chosen item.
class TableWindow {
  public:
    TableWindow(ItemList items, std::vector<double> values, ParameterContext ctx, bool fold)
        : items_(std::move(items)), values_(std::move(values)), ctx_(std::move(ctx)), fold_(fold) {}

    void chooseItem(int index) {
        rows_.clear();
        ClassProposal p = proposeClassParameters(items_, index, ctx_);
        index_ = p.index;
        enabled_ = p.fieldsEnabled;
        fields_ = p.fields;
        referenceLower_ = p.referenceLower;
        referenceUpper_ = p.referenceUpper;
        if (index_ == ItemList::kOtherIndex) panelShown_ = false;
        table();
    }

    void type(ParameterField field, const std::string& text) {
        ParameterFields typed = fields_;
        (field == ParameterField::Interval ? typed.interval
         : field == ParameterField::Lower  ? typed.lower
                                           : typed.classes) = text + "\r\n";
        TypedParameterOutcome o = typedParameterChanged(field, typed, enabled_, ctx_);
        fields_ = o.fields;
        shown_.insert(shown_.end(), o.messages.begin(), o.messages.end());
        if (o.clearList) rows_.clear();
        if (o.runTable) table();
    }

    void table() {
        TableOutcome o = runTable(fields_, values_, ctx_, fold_, state_);
        fields_ = o.fields;
        shown_.insert(shown_.end(), o.messages.begin(), o.messages.end());
        if (o.clearList) rows_.clear();
        if (o.result == TableResult::Built) {
            rows_ = std::move(o.rows);
            if (index_ > ItemList::kOtherIndex) panelShown_ = true;
        }
    }

    void print(std::ostream& out, const std::vector<Message>& before) const {
        out << "EDIT3=" << fields_.interval << "\nEDIT4=" << fields_.lower << "\nEDIT5=" << fields_.classes
            << "\nEDIT6=" << fields_.upper << '\n';
        for (const std::vector<Message>* list : {&before, &shown_})
            for (const Message& m : *list)
                out << "MSG caption=\"" << escapeForTranscript(m.caption) << "\" text=\""
                    << escapeForTranscript(m.text) << "\"\n";
        for (const std::string& row : rows_)
            out << row << '\n';
        if (index_ > ItemList::kOtherIndex && panelShown_)
            for (const std::string& line : outOfRangeRates(values_, referenceLower_, referenceUpper_).lines())
                out << line << '\n';
    }

    const ItemList& items() const { return items_; }

  private:
    ItemList items_;
    std::vector<double> values_;
    ParameterContext ctx_;
    bool fold_;
    TableState state_;
    ParameterFields fields_;
    std::vector<std::string> rows_;
    std::vector<Message> shown_;
    int index_ = ItemList::kOtherIndex;
    bool enabled_ = true;
    bool panelShown_ = false;
    std::string referenceLower_, referenceUpper_;
};

void printRefusal(const std::vector<Message>& messages, std::ostream& err) {
    // On a terminal a plain line feed reads better than the boxes' CR LF.
    for (const Message& m : messages) {
        for (std::size_t i = 0; i < m.text.size(); ++i)
            if (!(m.text[i] == '\r' && i + 1 < m.text.size() && m.text[i + 1] == '\n')) err << m.text[i];
        err << '\n';
    }
}

} // namespace

int table(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    TableOptions o;
    if (!parseOptions(args, o, err)) return 64;

    // A file that cannot be read gives no values, as in the window: the too-few refusal.
    DataReadResult read = readDataFile(readFileBytes(o.file).value_or(std::string{}));
    if (read.status != ReadStatus::Ok) {
        printRefusal(read.messages, err);
        return 1;
    }
    std::vector<double> values = leadingNumbers(read.values);
    StatisticsOutcome stats = computeBasicStatistics(std::span<const double>(values));
    if (!stats.suitable) {
        printRefusal(stats.message ? std::vector<Message>{*stats.message} : std::vector<Message>{}, err);
        return 1;
    }

    const std::string workdir = o.workdir ? *o.workdir : defaultWorkdir();
    ParameterContext ctx{o.decimals, keptNumberText(stats.statistics.minimum),
                         keptNumberText(stats.statistics.maximum)};
    TableWindow window(itemList(workdir), std::move(values), std::move(ctx), o.fold);

    int chosen = ItemList::kOtherIndex;
    if (o.item) {
        chosen = window.items().indexOfName(*o.item);
        if (chosen < 0) {
            err << "klepsydra table: the item '" << *o.item << "' is not in " << kReferenceMasterRelative
                << " of " << workdir << '\n';
            return 64;
        }
    }

    // After a load the window proposes for "OTHER" and builds the table, then builds it again.
    window.chooseItem(ItemList::kOtherIndex);
    window.table();
    if (o.item || o.other) window.chooseItem(chosen);
    if (o.interval) window.type(ParameterField::Interval, *o.interval);
    if (o.lower) window.type(ParameterField::Lower, *o.lower);
    if (o.classes) window.type(ParameterField::Classes, *o.classes);

    window.print(out, read.messages);
    return 0;
}

} // namespace kl::cli
