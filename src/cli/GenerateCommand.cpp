// `klepsydra generate FILE`: routine laboratory data with a known truth (a healthy part mixed with
// pathological parts, rounded as a laboratory reports), written as a two-column export "No,NAME"
// for trying the indirect methods and for the tests; the truth is printed.

#include "cli/Batch.h"
#include "cli/BatchCommands.h"

#include "indirect/Generator.h"
#include "text/FileIO.h"
#include "text/Json.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace kl::cli {

namespace {

struct Options {
    indirect::MixtureParameters mixture;
    std::string column = "VALUE";
    double below = 0, above = 0; // values under / over them written as "<below" / ">above" (0: none)
};

std::optional<double> number(const std::optional<std::string>& s) {
    if (!s) return std::nullopt;
    double v = 0;
    auto [end, ec] = std::from_chars(s->data(), s->data() + s->size(), v);
    if (ec != std::errc() || end != s->data() + s->size() || !std::isfinite(v)) return std::nullopt;
    return v;
}

OptionRead ownOption(const std::string& a, const NextWord& next, Options& o) {
    if (a == "--column") return pathOption(next, o.column);
    struct Numeric {
        const char* name;
        double* into;
        double low, high;
    };
    double count = -1, seed = -1;
    const Numeric numerics[] = {{"--count", &count, 1, 10000000},
                                {"--seed", &seed, 0, 9007199254740992.0},
                                {"--lambda", &o.mixture.lambda, 0, 1},
                                {"--median", &o.mixture.median, 1e-6, 1e9},
                                {"--cv", &o.mixture.cv, 0.001, 1},
                                {"--pathological", &o.mixture.pathologicalShare, 0, 0.5},
                                {"--left-share", &o.mixture.leftShare, 0, 1},
                                {"--resolution", &o.mixture.resolution, 0, 1e6},
                                {"--below", &o.below, 0, 1e12},
                                {"--above", &o.above, 0, 1e12}};
    for (const Numeric& n : numerics) {
        if (a != n.name) continue;
        std::optional<double> v = number(next());
        if (!v || *v < n.low || *v > n.high) return OptionRead::Bad;
        if ((n.into == &count || n.into == &seed) && *v != std::floor(*v)) return OptionRead::Bad;
        *n.into = *v;
        if (count >= 0) o.mixture.count = static_cast<std::size_t>(count);
        if (seed >= 0) o.mixture.seed = static_cast<std::uint64_t>(seed);
        return OptionRead::Taken;
    }
    return OptionRead::Unknown;
}

// The export's text: a header row, then "row number,value" lines (censored ones as "<x", ">x").
std::string exportText(const indirect::GeneratedSet& set, const Options& o) {
    const double r = o.mixture.resolution;
    const int places = r > 0 ? std::max(0, static_cast<int>(std::ceil(-std::log10(r) - 1e-9))) : 6;
    std::string text = "No," + o.column + "\r\n";
    text.reserve(text.size() + set.values.size() * 16);
    char line[80];
    for (std::size_t i = 0; i < set.values.size(); ++i) {
        const double v = set.values[i];
        int n = 0;
        if (o.below > 0 && v < o.below)
            n = std::snprintf(line, sizeof line, "%zu,<%g\r\n", i + 1, o.below);
        else if (o.above > 0 && v > o.above)
            n = std::snprintf(line, sizeof line, "%zu,>%g\r\n", i + 1, o.above);
        else
            n = std::snprintf(line, sizeof line, "%zu,%.*f\r\n", i + 1, places, v);
        text.append(line, static_cast<std::size_t>(std::max(n, 0)));
    }
    return text;
}

std::string num(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.6g", v);
    return buf;
}

void truthOut(const std::string& file, const indirect::GeneratedSet& set, OutputFormat format,
              std::ostream& out) {
    if (format == OutputFormat::Text) {
        out << "wrote " << file << ": " << set.values.size() << " values, " << set.healthy << " healthy\n"
            << "truth: lower " << num(set.lower) << ", upper " << num(set.upper) << " (mu " << num(set.mu)
            << ", sigma " << num(set.sigma) << " on the transformed scale)\n";
    } else if (format == OutputFormat::Csv) {
        out << "file,values,healthy,lower,upper,mu,sigma\n"
            << csvField(file) << ',' << set.values.size() << ',' << set.healthy << ','
            << jsonNumber(set.lower) << ',' << jsonNumber(set.upper) << ',' << jsonNumber(set.mu) << ','
            << jsonNumber(set.sigma) << '\n';
    } else {
        JsonWriter json(out);
        json.beginObject()
            .member("file", file)
            .member("values", set.values.size())
            .member("healthy", set.healthy);
        json.member("lower", set.lower)
            .member("upper", set.upper)
            .member("mu", set.mu)
            .member("sigma", set.sigma);
        json.endObject();
        out << '\n';
    }
}

} // namespace

int generate(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    CommonOptions common;
    Options o;
    o.mixture.count = 100000;
    o.mixture.resolution = 0.1;
    const BatchCommand& command = *findBatchCommand("generate");
    auto extra = [&](const std::string& option, const NextWord& next) { return ownOption(option, next, o); };
    if (!parseCommandLine(args, command, common, extra, err)) return kExitUsage;
    if (common.inputs.size() != 1 || o.column.find_first_of(",\"\r\n") != std::string::npos) {
        err << "klepsydra generate: give one FILE to write, and a column name without a comma or quote\n"
            << command.usage;
        return kExitUsage;
    }
    const std::string& file = common.inputs[0];
    const indirect::GeneratedSet set = indirect::generateMixture(o.mixture);
    std::string error;
    if (!writeFileAtomic(file, exportText(set, o), &error)) {
        err << "klepsydra generate: cannot write " << file << ": " << error << '\n';
        return kExitFileError;
    }
    truthOut(file, set, common.format, out);
    return kExitDone;
}

} // namespace kl::cli
