// `klepsydra table FILE ...`: the main window's road from a data file to its frequency table,
// without a display. The file is loaded (item "OTHER" proposed, TABLE run twice as after a load),
// the item is chosen, each given parameter is typed and confirmed with Enter, and the fields,
// the messages, the rows of the list and the out-of-range rates are printed.

#include "cli/Batch.h"
#include "cli/BatchTable.h"

#include "persist/WorkDir.h"
#include "text/FileIO.h"
#include "text/Text.h"

#include <filesystem>

namespace kl::cli {

namespace {

constexpr const char* kUsage =
    "usage: klepsydra table FILE [--item NAME | --other] [--interval W] [--lower L] [--classes K] [--fold]\n"
    "                      [--decimals D] [--workdir DIR]\n";

void print(const BatchTable& window, const std::vector<double>& values, const std::vector<Message>& before,
           std::ostream& out) {
    const ParameterFields& fields = window.fields();
    out << "EDIT3=" << fields.interval << "\nEDIT4=" << fields.lower << "\nEDIT5=" << fields.classes
        << "\nEDIT6=" << fields.upper << '\n';
    for (const std::vector<Message>* list : {&before, &window.messages()})
        for (const Message& m : *list)
            out << "MSG caption=\"" << escapeForTranscript(m.caption) << "\" text=\"" << escapeForTranscript(m.text)
                << "\"\n";
    for (const std::string& row : window.rows())
        out << row << '\n';
    if (window.panelShown())
        for (const std::string& line : outOfRangeRates(values, window.referenceLower(), window.referenceUpper()).lines())
            out << line << '\n';
}

} // namespace

int table(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    TableOptions o;
    if (!parseBatchOptions(args, "table", kUsage, o, nullptr, err)) return 64;

    BatchData data;
    std::vector<Message> refusal;
    if (!loadBatchData(o.file, data, refusal)) {
        for (const Message& m : refusal)
            printMessageText(m, err);
        return 1;
    }

    const std::string workdir = o.workdirOrDefault();
    const ItemList items = provisionedItemList(workdir);
    const std::optional<int> chosen = chosenItem(o, items, "table", workdir, err);
    if (!chosen) return 64;

    BatchTable window(items, data.values, parameterContext(data, o.decimals), o.fold);
    window.run(o, *chosen);
    print(window, data.values, data.read.messages, out);
    return 0;
}

} // namespace kl::cli
