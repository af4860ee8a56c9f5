#include "cli/BatchTable.h"

#include "cli/Batch.h"

#include "data/DataSet.h"
#include "persist/WorkDir.h"
#include "text/FileIO.h"
#include "text/Text.h"

#include <filesystem>
#include <set>

namespace kl::cli {

std::string TableOptions::workdirOrDefault() const {
    return workdir ? *workdir : defaultWorkdir();
}

namespace {

OptionRead tableOption(const std::string& a, const NextWord& next, TableOptions& o) {
    if (a == "--item") return valueOption(next, o.item);
    if (a == "--interval") return valueOption(next, o.interval);
    if (a == "--lower") return valueOption(next, o.lower);
    if (a == "--classes") return valueOption(next, o.classes);
    if (a == "--workdir") return valueOption(next, o.workdir);
    if (a == "--other") return o.other = true, OptionRead::Taken;
    if (a == "--fold") return o.fold = true, OptionRead::Taken;
    if (a == "--decimals")
        return digitOption(next(), '1', '4', &o.decimals) ? OptionRead::Taken : OptionRead::Bad;
    return OptionRead::Unknown;
}

} // namespace

bool parseBatchOptions(const std::vector<std::string>& args, const char* command, TableOptions& o,
                       const ExtraOptions& extra, std::ostream& err) {
    const BatchCommand* syntax = findBatchCommand(command);
    auto options = [&](const std::string& a, const NextWord& next) {
        OptionRead read = tableOption(a, next, o);
        return read == OptionRead::Unknown && extra ? extra(a, next) : read;
    };
    if (!parseCommandLine(args, *syntax, o, options, err)) return false;
    if (o.item && o.other) {
        err << syntax->usage;
        return false;
    }
    return true;
}

bool loadBatchData(const std::string& file, BatchData& data, std::vector<Message>& refusal) {
    data.read = readDataFileAt(file);
    if (data.read.status != ReadStatus::Ok) {
        refusal = data.read.messages;
        return false;
    }
    data.values = leadingNumbers(data.read.values);
    data.stats = computeBasicStatistics(std::span<const double>(data.values));
    if (!data.stats.suitable) {
        refusal = data.stats.message ? std::vector<Message>{*data.stats.message} : std::vector<Message>{};
        return false;
    }
    return true;
}

ParameterContext parameterContext(const BatchData& data, int decimals) {
    return {decimals, keptNumberText(data.stats.statistics.minimum),
            keptNumberText(data.stats.statistics.maximum)};
}

void printMessageText(const Message& m, std::ostream& err) {
    for (std::size_t i = 0; i < m.text.size(); ++i)
        if (!(m.text[i] == '\r' && i + 1 < m.text.size() && m.text[i + 1] == '\n')) err << m.text[i];
    err << '\n';
}

void printCaptionedMessage(const Message& m, std::ostream& err) {
    err << m.caption << ": ";
    printMessageText(m, err);
}

ItemList provisionedItemList(const std::string& workdir) {
    const std::string seeds = seedFolder();
    provisionReferenceMaster(workdir, seeds);
    if (fileExists(resolveInWorkdir(workdir, kReferenceMasterRelative)) || seeds.empty())
        return loadItemList(workdir);
    // A working folder that cannot take the master (read-only): the seed's items, read in place.
    auto records = readReferenceMaster((std::filesystem::path(seeds) / kReferenceSeedName).string());
    return buildItemList(records.value_or(std::vector<ReferenceRange>{}));
}

std::optional<int> chosenItem(const TableOptions& o, const ItemList& items, const char* command,
                              const std::string& workdir, std::ostream& err) {
    if (!o.item) return ItemList::kOtherIndex;
    const int chosen = items.indexOfName(*o.item);
    if (chosen >= 0) return chosen;
    err << "klepsydra " << command << ": the item '" << *o.item << "' is not in " << kReferenceMasterRelative
        << " of " << workdir << '\n';
    return std::nullopt;
}

BatchTable::BatchTable(const ItemList& items, std::span<const double> values, ParameterContext ctx, bool fold)
    : items_(items), values_(values), ctx_(std::move(ctx)), fold_(fold) {}

void BatchTable::run(const TableOptions& o, int chosen) {
    // After a load the window proposes for "OTHER" and builds the table, then builds it again.
    chooseItem(ItemList::kOtherIndex);
    table();
    if (o.item || o.other) chooseItem(chosen);
    if (o.interval) type(ParameterField::Interval, *o.interval);
    if (o.lower) type(ParameterField::Lower, *o.lower);
    if (o.classes) type(ParameterField::Classes, *o.classes);
}

std::string BatchTable::itemName() const {
    const ReferenceRange* range = items_.rangeAt(index_);
    return range ? range->name : "OTHER";
}

void BatchTable::chooseItem(int index) {
    rows_.clear();
    built_ = false;
    ClassProposal p = proposeClassParameters(items_, index, ctx_);
    index_ = p.index;
    enabled_ = p.fieldsEnabled;
    fields_ = p.fields;
    referenceLower_ = p.referenceLower;
    referenceUpper_ = p.referenceUpper;
    if (index_ == ItemList::kOtherIndex) panelShown_ = false;
    table();
}

void BatchTable::type(ParameterField field, const std::string& text) {
    ParameterFields typed = fields_;
    (field == ParameterField::Interval ? typed.interval
     : field == ParameterField::Lower  ? typed.lower
                                       : typed.classes) = text + "\r\n";
    TypedParameterOutcome o = typedParameterChanged(field, typed, enabled_, ctx_);
    fields_ = o.fields;
    shown_.insert(shown_.end(), o.messages.begin(), o.messages.end());
    if (o.clearList) {
        rows_.clear();
        built_ = false;
    }
    if (o.runTable) table();
}

void BatchTable::table() {
    TableOutcome o = runTable(fields_, values_, ctx_, fold_, state_);
    fields_ = o.fields;
    shown_.insert(shown_.end(), o.messages.begin(), o.messages.end());
    if (o.clearList) {
        rows_.clear();
        built_ = false;
    }
    if (o.result == TableResult::Built) {
        rows_ = std::move(o.rows);
        built_ = true;
        if (index_ > ItemList::kOtherIndex) panelShown_ = true;
    }
    if (o.copies) copies_ = o.copies;
}

std::optional<BatchTable> pictureTable(const TableOptions& o, const char* command, BatchData& data,
                                       ItemList& items, int& status, std::ostream& err) {
    std::vector<Message> refusal;
    if (!loadBatchData(o.file, data, refusal)) {
        for (const Message& m : refusal)
            printCaptionedMessage(m, err);
        status = kExitRefused;
        return std::nullopt;
    }
    warnItemsWithoutNumber(itemsWithoutNumber(data.read.values), command, o.file, err);
    const std::string workdir = o.workdirOrDefault();
    items = provisionedItemList(workdir);
    const std::optional<int> chosen = chosenItem(o, items, command, workdir, err);
    if (!chosen) {
        status = kExitUsage;
        return std::nullopt;
    }
    std::optional<BatchTable> table(std::in_place, items, data.values, parameterContext(data, o.decimals),
                                    o.fold);
    table->run(o, *chosen);
    if (!table->built() || !table->copies()) {
        // What the window would have said, then why nothing is drawn.
        for (const Message& m : table->messages())
            printCaptionedMessage(m, err);
        err << "klepsydra " << command << ": these class parameters give no frequency table\n";
        status = kExitRefused;
        return std::nullopt;
    }
    return table;
}

GraphInput pictureGraphInput(const TableOptions& o, const BatchData& data, const BatchTable& table,
                             double lambda, int scheme) {
    const TableCopies& copies = *table.copies();
    GraphInput input;
    input.values = data.values;
    input.texts = data.read.values;
    input.classes = {copies.lower(), copies.upper(), copies.interval(), copies.classCount, o.fold};
    input.decimalPlaces = o.decimals;
    input.lambda = lambda;
    input.scheme = graphSchemeFromOption(scheme);
    input.reference = {table.referenceLower(), table.referenceUpper(), copies.lowerText, copies.upperText};
    return input;
}

bool singleOrOutDir(const TableOptions& o, const std::string& path, const char* command, std::ostream& err) {
    if (path.empty() != o.outDir.empty()) return true;
    err << findBatchCommand(command)->usage;
    return false;
}

int forEachOutput(const TableOptions& o, const char* command, std::ostream& out, std::ostream& err,
                  const InputRun& run) {
    int status = kExitDone;
    const std::vector<std::string> inputs = expandInputs(o.inputs, command, err, &status);
    if (o.outDir.empty() && inputs.size() != 1) {
        err << "klepsydra " << command << ": several inputs need --out-dir DIR\n";
        return std::max(status, int(kExitUsage));
    }
    if (!o.outDir.empty()) {
        std::set<std::string> names;
        for (const std::string& input : inputs)
            if (!names.insert(std::filesystem::path(input).stem().string()).second) {
                err << "klepsydra " << command << ": two inputs are named "
                    << std::filesystem::path(input).stem() << "; their outputs would overwrite each other\n";
                return kExitUsage;
            }
        if (!ensureFolder(o.outDir)) {
            err << "klepsydra " << command << ": cannot create the folder " << o.outDir << '\n';
            return kExitFileError;
        }
    }
    return std::max(status, forEachInput(inputs, {command, OutputFormat::Text, {}}, out, err, run));
}

} // namespace kl::cli
