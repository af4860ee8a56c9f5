#include "cli/BatchCommands.h"

#include "cli/Batch.h"

#include <algorithm>
#include <filesystem>
#include <sstream>

namespace kl::cli {

namespace {

#define KL_TABLE_OPTIONS                                                                                     \
    "  --item NAME      choose the item NAME of the reference range master (as the drop-down list)\n"        \
    "  --other          choose the item OTHER\n"                                                             \
    "  --interval W     type W into the class interval field and press Enter\n"                              \
    "  --lower L        type L into the lower limit field and press Enter\n"                                 \
    "  --classes K      type K into the class count field and press Enter\n"                                 \
    "  --fold           count values outside the classes into the first and last class\n"                    \
    "  --decimals D     decimal places 1..4 (default 2)\n"                                                   \
    "  --workdir DIR    working folder holding data_f/KIJUN.DAT (default ~/.local/share/klepsydra)\n"

#define KL_GRAPH_OPTIONS                                                                                     \
    "  --scheme 1|2|3   colour scheme of the graph\n"                                                        \
    "  --interval95     find the central 95 % interval on the probability plot\n"                            \
    "  --lambda X       smoothing factor of the spline (0.1..10000, default 5000)\n"

#define KL_INPUTS                                                                                            \
    "FILE may be repeated or be a folder (its .csv, .txt and .text files); a file that cannot be\n"          \
    "read is reported and skipped, and the exit status is the worst met.\n"

#define KL_FORMAT "  --format F       text (default, as the window shows it), csv or json\n"

const BatchCommand kCommands[] = {
    {"stats", "the statistics block of the main window",
     "usage: klepsydra stats FILE... [--format text|csv|json]\n",
     KL_FORMAT KL_INPUTS "With csv, one row per file.\n", &stats, true, false},
    {"table", "the frequency table with its class parameters",
     "usage: klepsydra table FILE... [--item NAME | --other] [--interval W] [--lower L] [--classes K] "
     "[--fold]\n"
     "                      [--decimals D] [--workdir DIR] [--format text|csv|json]\n",
     KL_TABLE_OPTIONS KL_FORMAT KL_INPUTS "With csv, one row per class of each file.\n", &table, true, false},
    {"graph", "the graph window's picture as PNG",
     "usage: klepsydra graph FILE [--item NAME | --other] [--interval W] [--lower L] [--classes K] [--fold]\n"
     "                      [--decimals D] [--workdir DIR] [--scheme 1|2|3] [--curves] [--reference]\n"
     "                      [--interval95] [--lambda X] --png PATH\n"
     "       klepsydra graph FILE... [options] --out-dir DIR\n",
     KL_TABLE_OPTIONS KL_GRAPH_OPTIONS
     "  --curves         draw the normal and the smoothed curve\n"
     "  --reference      mark the reference range\n"
     "  --png PATH       write the picture to PATH (one FILE)\n"
     "  --out-dir DIR    write DIR/NAME.png for each input NAME.csv\n" KL_INPUTS,
     &graph, false, true},
    {"report", "the printed histogram page as PDF",
     "usage: klepsydra report FILE [--item NAME | --other] [--interval W] [--lower L] [--classes K] "
     "[--fold]\n"
     "                      [--decimals D] [--workdir DIR] [--scheme 1|2|3] [--interval95] [--lambda X]\n"
     "                      [--title TEXT] [--print-theory] [--print-reference] [--print-interval]\n"
     "                      [--print-plot] [--print-statistics] --pdf PATH\n"
     "       klepsydra report FILE... [options] --out-dir DIR\n",
     KL_TABLE_OPTIONS KL_GRAPH_OPTIONS
     "  --title TEXT     the graph title (default HISTOGRAM OF ITEM)\n"
     "  --print-theory, --print-reference, --print-interval, --print-plot, --print-statistics\n"
     "                   tick the print options of the graph window\n"
     "  --pdf PATH       write the page(s) to PATH (one FILE)\n"
     "  --out-dir DIR    write DIR/NAME.pdf for each input NAME.csv\n" KL_INPUTS,
     &report, false, true},
    {"interval", "reference limits by every direct method, outlier screens, verification, partitioning",
     "usage: klepsydra interval FILE... [--format text|csv|json] [--target L U] "
     "[--exclude-outliers dixon|tukey]\n"
     "                         [--bootstrap B] [--seed S] [--group-file FILE2] [--column NAME [--group "
     "COLUMN]]\n",
     KL_FORMAT
     "  --target L U     verify the interval L..U on the values, with the permissible-uncertainty bands\n"
     "  --exclude-outliers dixon|tukey\n"
     "                   leave that screen's suspects out of the computation\n"
     "  --bootstrap B    resamples of the percentile bootstrap (default 1000; 0: none)\n"
     "  --seed S         its seed (default 1), shown in the output\n"
     "  --group-file F2  a second group: its limits and the partitioning criteria\n"
     "  --column NAME    the column NAME of a file with a header row (delimiter from the first line)\n"
     "  --group COLUMN   split that column's values by the labels of COLUMN; criteria for every "
     "pair\n" KL_INPUTS "With csv, one row per group and method.\n",
     &interval, true, false},
    {"indirect", "reference limits estimated from routine (mixed) laboratory data",
     "usage: klepsydra indirect FILE... [--column NAME] [--method tqq|inverse|bhattacharya|all]\n"
     "                      [--format text|csv|json]\n",
     "  --column NAME    the column NAME of a file with a header row (names match exactly)\n"
     "  --method M       tqq (truncated probability plot), inverse (Box-Cox inverse modelling),\n"
     "                   bhattacharya, or all (default)\n" KL_FORMAT KL_INPUTS
     "Values that are empty, not numbers, <= 0 or censored (<x, >x) are counted, not used.\n"
     "With csv, one row per method of each file.\n",
     &indirect, true, false},
    {"generate", "routine data with a known truth, for trying the indirect methods",
     "usage: klepsydra generate FILE [--count N] [--lambda L] [--median M] [--cv C] [--pathological S]\n"
     "                      [--left-share F] [--resolution R] [--seed S] [--column NAME] [--below B]\n"
     "                      [--above A] [--format text|csv|json]\n",
     "  FILE             the export to write: a header row \"No,NAME\", then one row per value\n"
     "  --count N        values (default 100000, at most 10000000)\n"
     "  --lambda L       Box-Cox lambda of the healthy part, 0..1 (default 0: log-normal)\n"
     "  --median M       median of the healthy part (default 50)\n"
     "  --cv C           its relative spread (default 0.2)\n"
     "  --pathological S share of pathological values, 0..0.5 (default 0)\n"
     "  --left-share F   part of them below the healthy part (default 0.3)\n"
     "  --resolution R   values rounded to multiples of R (default 0.1; 0: unrounded)\n"
     "  --seed S         the seed (default 1): the same options give the same file\n"
     "  --column NAME    the value column's name (default VALUE)\n"
     "  --below B, --above A\n"
     "                   write values under B as \"<B\" and over A as \">A\" (censored)\n" KL_FORMAT
     "The truth printed is the healthy part's 2.5 % and 97.5 % points.\n",
     &generate, true, false},
};

const char* kExitStatuses = "Exit status: 0 done, 1 data refused (the window's message on standard error),\n"
                            "2 a file could not be read or written, 64 bad command line.\n";

} // namespace

std::span<const BatchCommand> batchCommands() {
    return kCommands;
}

const BatchCommand* findBatchCommand(std::string_view name) {
    for (const BatchCommand& c : kCommands)
        if (name == c.name) return &c;
    return nullptr;
}

std::string programUsage() {
    std::ostringstream s;
    s << "usage: klepsydra [--workdir DIR] [FILE]          the desktop program, reading FILE at the start\n"
         "       klepsydra --script FILE [--workdir DIR]   drive the windows from a script, transcript on "
         "stdout\n"
         "       klepsydra COMMAND [--help] ...            a batch command, without a display\n"
         "       klepsydra --version | --help\n\n"
         "Commands:\n";
    for (const BatchCommand& c : kCommands) {
        std::string name = c.name;
        name.resize(std::max<std::size_t>(name.size(), 10), ' ');
        s << "  " << name << c.summary << '\n';
    }
    s << "\n'klepsydra COMMAND --help' shows a command's options.\n"
         "--lang ja|en, anywhere on the line, chooses the language of the windows and of the text\n"
         "output (default: Japanese for a ja_* or C locale, else English; JSON and CSV names are English).\n"
      << kExitStatuses;
    return s.str();
}

int runBatchCommand(const BatchCommand& command, const std::vector<std::string>& args, std::ostream& out,
                    std::ostream& err) {
    if (std::any_of(args.begin(), args.end(),
                    [](const std::string& a) { return a == "--help" || a == "-h"; })) {
        out << command.usage << '\n' << command.options << kExitStatuses;
        return kExitDone;
    }
    return command.run(args, out, err);
}

bool parseCommandLine(const std::vector<std::string>& args, const BatchCommand& command, CommonOptions& o,
                      const ExtraOptions& extra, std::ostream& err) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const NextWord next = [&]() -> std::optional<std::string> {
            if (i + 1 >= args.size()) return std::nullopt;
            return args[++i];
        };
        OptionRead read = OptionRead::Unknown;
        if (a == "--format" && command.format) {
            const std::optional<std::string> word = next();
            const std::optional<OutputFormat> format = word ? outputFormatNamed(*word) : std::nullopt;
            read = format ? (o.format = *format, OptionRead::Taken) : OptionRead::Bad;
        } else if (a == "--out-dir" && command.outDir) {
            read = pathOption(next, o.outDir);
        } else if (extra) {
            read = extra(a, next);
        }
        if (read == OptionRead::Unknown && !a.empty() && a[0] != '-') {
            o.inputs.push_back(a);
            read = OptionRead::Taken;
        }
        if (read != OptionRead::Taken) {
            err << "klepsydra " << command.name << ": bad argument '" << a << "'\n" << command.usage;
            return false;
        }
    }
    if (o.inputs.empty()) {
        err << command.usage;
        return false;
    }
    return true;
}

bool digitOption(const std::optional<std::string>& word, char low, char high, int* into) {
    if (!word || word->size() != 1 || (*word)[0] < low || (*word)[0] > high) return false;
    *into = (*word)[0] - '0';
    return true;
}

OptionRead valueOption(const NextWord& next, std::optional<std::string>& into) {
    std::optional<std::string> word = next();
    if (!word) return OptionRead::Bad;
    into = std::move(word);
    return OptionRead::Taken;
}

OptionRead pathOption(const NextWord& next, std::string& into) {
    const std::optional<std::string> word = next();
    if (!word || word->empty()) return OptionRead::Bad;
    into = *word;
    return OptionRead::Taken;
}

std::string outputPathFor(const std::string& input, const std::string& outDir, const char* suffix) {
    return (std::filesystem::path(outDir) / std::filesystem::path(input).stem()).string() + suffix;
}

} // namespace kl::cli
