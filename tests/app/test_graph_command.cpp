// `klepsydra graph`: the picture written as PNG, the interval lines, refused input and bad usage.
//
// Golden picture: tests/data/golden/batch_graph.png is regenerated (from the program's own
// process) with
//     KLEPSYDRA_UPDATE_GOLDEN=1 build/tests/app_test_graph_command --gtest_filter='*Golden*'

#include "AppTestMain.h"
#include "GoldenPicture.h"

#include "cli/Batch.h"
#include "cli/BatchTable.h"
#include "cli/Language.h"
#include "graph/GraphPainter.h"
#include "platform/qt/QtCanvas.h"
#include "platform/raster/RasterCanvas.h"

#include <QApplication>
#include <QImage>
#include <QProcess>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace kl {
namespace {

struct Outcome {
    int status = 0;
    std::string out, err;
};

Outcome graph(std::vector<std::string> args) {
    std::ostringstream out, err;
    Outcome r;
    r.status = cli::graph(args, out, err);
    r.out = out.str();
    r.err = err.str();
    return r;
}

class GraphCommand : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ =
            std::filesystem::temp_directory_path() /
            ("kl_graphcmd_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    std::string png() const { return (dir_ / "g.png").string(); }
    std::string work() const { return (dir_ / "work").string(); }
    std::filesystem::path dir_;
};

TEST_F(GraphCommand, WritesThePictureAndTheIntervalLines) {
    Outcome r = graph({KLEPSYDRA_TEST_DATA "/main_200.csv", "--item", "TP", "--curves", "--reference",
                       "--interval95", "--scheme", "2", "--workdir", work(), "--png", png()});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "95％信頼区間の下限値：      6.14\n95％信頼区間の上限値：      8.04\n");
    const QImage image(QString::fromStdString(png()));
    ASSERT_EQ(image.size(), QSize(1024, 768));
    EXPECT_EQ(image.pixelColor(3, 740), QColor(0, 0, 255)); // the "Blue" background
}

TEST_F(GraphCommand, ALowerLimitWithTheOverflowMarkIsTheNumberAfterIt) {
    // Red-cell counts per µL (3.68 to 5.32 million): every lower limit above 999999 is too wide
    // for its field and is kept as "%" + the number; the graph counts from that number, as the
    // table did.
    const std::string file = (dir_ / "rbc.csv").string();
    {
        std::ofstream out(file, std::ios::binary);
        for (int k = 0; k < 80; ++k)
            out << 4500000 + 20000 * ((k * 37) % 41 - 20) + 20000 * ((k * 53) % 43 - 21) << "\r\n";
    }
    const std::vector<std::vector<std::string>> choices = {
        {"--other"}, {"--other", "--interval", "40000", "--lower", "3800000", "--classes", "40"}};
    for (const std::vector<std::string>& choice : choices) {
        std::vector<std::string> args = {file};
        args.insert(args.end(), choice.begin(), choice.end());
        args.insert(args.end(), {"--interval95", "--workdir", work(), "--png", png()});
        Outcome r = graph(args);
        ASSERT_EQ(r.status, 0) << choice.size() << ": " << r.err;
        // Both interval limits lie among the data (a lower limit read as 0 refused the graph).
        std::istringstream lines(r.out);
        for (std::string line; std::getline(lines, line);) {
            const std::string mark = "：";
            const double value = std::stod(line.substr(line.rfind(mark) + mark.size()));
            EXPECT_GT(value, 3.68e6) << line;
            EXPECT_LT(value, 5.32e6) << line;
        }
        EXPECT_NE(r.out.find("上限値"), std::string::npos) << r.out;
    }
}

TEST_F(GraphCommand, RefusalsAndBadUsage) {
    struct Case {
        std::vector<std::string> args;
        int status;
        const char* inError;
    };
    const Case cases[] = {
        {{KLEPSYDRA_TEST_DATA "/main_200.csv"}, 64, "--png"},
        {{KLEPSYDRA_TEST_DATA "/main_200.csv", "--scheme", "4", "--png", "x.png"}, 64, "--scheme"},
        {{KLEPSYDRA_TEST_DATA "/nine_values.csv", "--png", "x.png"}, 1, "BAD DATA"},
        {{KLEPSYDRA_TEST_DATA "/main_200.csv", "--item", "NO SUCH ITEM", "--png", "x.png"},
         64,
         "NO SUCH ITEM"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = c.args;
        args.insert(args.end(), {"--workdir", work()});
        Outcome r = graph(args);
        EXPECT_EQ(r.status, c.status) << c.inError;
        EXPECT_NE(r.err.find(c.inError), std::string::npos) << r.err;
        EXPECT_TRUE(r.out.empty());
    }
    EXPECT_FALSE(std::filesystem::exists("x.png"));
}

// Several inputs (files or a folder) write OUT-DIR/NAME.png each; a bad one is reported and
// skipped and the exit status says so.
TEST_F(GraphCommand, SeveralInputsIntoAnOutputFolder) {
    const std::filesystem::path in = dir_ / "in";
    std::filesystem::create_directories(in);
    std::filesystem::copy_file(KLEPSYDRA_TEST_DATA "/main_200.csv", in / "a.csv");
    std::filesystem::copy_file(KLEPSYDRA_TEST_DATA "/nine_values.csv", in / "b.csv");
    const std::string out = (dir_ / "out").string(); // created when missing
    Outcome r = graph({in.string(), KLEPSYDRA_TEST_DATA "/graph_fmax7.csv", (dir_ / "none.csv").string(),
                       "--interval95", "--workdir", work(), "--out-dir", out});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(std::filesystem::exists(out + "/a.png"));
    EXPECT_FALSE(std::filesystem::exists(out + "/b.png")); // too few values
    EXPECT_TRUE(std::filesystem::exists(out + "/graph_fmax7.png"));
    EXPECT_EQ(QImage(QString::fromStdString(out + "/a.png")).size(), QSize(1024, 768));
    EXPECT_EQ(r.out.find("==> " + (in / "a.csv").string() + " <==\n95％信頼区間の下限値："), 0u) << r.out;
    EXPECT_NE(r.err.find("BAD DATA"), std::string::npos);
    EXPECT_NE(r.err.find("klepsydra graph: no such file: " + (dir_ / "none.csv").string()),
              std::string::npos);

    // Several inputs need --out-dir, which excludes --png; two inputs of one name are refused.
    EXPECT_EQ(graph({in.string(), "--png", png(), "--workdir", work()}).status, 64);
    EXPECT_EQ(graph({(in / "a.csv").string(), "--png", png(), "--out-dir", out}).status, 64);
    Outcome same =
        graph({(in / "a.csv").string(), (in / "a.csv").string(), "--out-dir", out, "--workdir", work()});
    EXPECT_EQ(same.status, 64);
    EXPECT_NE(same.err.find("overwrite"), std::string::npos);
}

TEST_F(GraphCommand, ItemsComeFromTheSeedWhenTheWorkingFolderCannotHoldTheMaster) {
    // A plain file where the data folder should be: the master cannot be provisioned.
    std::filesystem::create_directories(work());
    { std::ofstream(work() + "/data_f") << "not a folder"; }
    Outcome r = graph({KLEPSYDRA_TEST_DATA "/main_200.csv", "--item", "TP", "--interval95", "--workdir",
                       work(), "--png", png()});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "95％信頼区間の下限値：      6.14\n95％信頼区間の上限値：      8.04\n");
    EXPECT_TRUE(std::filesystem::exists(png()));
}

TEST_F(GraphCommand, AnUnnamedEntryDisablesTheParametersAsInTheWindow) {
    // Choosing a master record without a name empties the four fields and disables them: typed
    // parameters do not reach them, and no table (so no picture) is made.
    std::filesystem::create_directories(work() + "/data_f");
    {
        std::ofstream master(work() + "/data_f/KIJUN.DAT", std::ios::binary);
        master << "\"\",\"6.5\",\"8.0\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n";
    }
    Outcome r = graph({KLEPSYDRA_TEST_DATA "/main_200.csv", "--item", "", "--interval", "0.1", "--lower",
                       "5.7", "--classes", "30", "--workdir", work(), "--png", png()});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("パラメータが未設定です。"), std::string::npos) << r.err;
    EXPECT_TRUE(r.out.empty());
    EXPECT_FALSE(std::filesystem::exists(png()));
}

// Pixels that differ between two pictures, outside the rows from skipTop to skipBottom.
long differingPixels(const QImage& a, const QImage& b, int skipTop = -1, int skipBottom = -1) {
    if (a.size() != b.size()) return long(a.width()) * a.height() + 1;
    long differing = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width() && (y < skipTop || y > skipBottom); ++x)
            differing += a.pixel(x, y) != b.pixel(x, y);
    return differing;
}

// The program's own process draws with its batch application (Qt's "minimal" platform: no window
// system, no theme) exactly what this test's offscreen application draws, as the windows do: the
// same fonts, hinting and antialiasing, to the pixel. The data are read from the test's own folder,
// so the file-name line of the picture is the same wherever the checkout lives.
TEST_F(GraphCommand, TheProgramDrawsTheGoldenPictureAsTheWindowsDo) {
    const std::string data = (dir_ / "main_200.csv").string();
    std::filesystem::copy_file(KLEPSYDRA_TEST_DATA "/main_200.csv", data);
    const std::vector<std::string> args = {data,           "--item",    "TP",   "--curves", "--reference",
                                           "--interval95", "--workdir", work(), "--png"};
    std::vector<std::string> here = args;
    here.push_back((dir_ / "here.png").string());
    ASSERT_EQ(graph(here).status, 0);

    QStringList arguments = {"graph"};
    for (const std::string& a : args)
        arguments << QString::fromStdString(a);
    arguments << QString::fromStdString((dir_ / "process.png").string());
    QProcess program;
    program.start(QStringLiteral(KLEPSYDRA_PROGRAM), arguments); // QT_QPA_PLATFORM=offscreen is overridden
    ASSERT_TRUE(program.waitForFinished(60000));
    ASSERT_EQ(program.exitCode(), 0) << program.readAllStandardError().toStdString();
    EXPECT_EQ(program.readAllStandardOutput().toStdString(),
              "95％信頼区間の下限値：      6.14\n95％信頼区間の上限値：      8.04\n");

    const QImage process =
        QImage(QString::fromStdString((dir_ / "process.png").string())).convertToFormat(QImage::Format_RGB32);
    const QImage inTest =
        QImage(QString::fromStdString((dir_ / "here.png").string())).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(process.size(), QSize(1024, 768));
    EXPECT_EQ(differingPixels(process, inTest), 0);
    // Against the stored picture with the house tolerance: another compiler may round a curve's
    // coordinates differently by a pixel.
    golden::expectMatches(process, "batch_graph.png");
}

// The batch picture is drawn straight into memory, the window with Qt: the same drawing through
// both canvases gives the same picture within the golden tolerance (hinting and smoothing may
// move a few hundred pixels of text and curves, a layout change would move thousands).
TEST_F(GraphCommand, TheBatchPictureIsTheWindowsDrawing) {
    cli::TableOptions o;
    o.file = KLEPSYDRA_TEST_DATA "/main_200.csv";
    o.item = "TP";
    o.workdir = work();
    cli::BatchData data;
    ItemList items;
    int status = 0;
    std::ostringstream err;
    const std::optional<cli::BatchTable> table = cli::pictureTable(o, "graph", data, items, status, err);
    ASSERT_TRUE(table) << err.str();
    const GraphInput input = cli::pictureGraphInput(o, data, *table, 5000, 1);
    for (const bool english : {false, true}) {
        cli::useLanguage(english ? Language::English : Language::Japanese);
        const GraphView view{true, true, true, graphFileLine(o.file, long(data.values.size()))};
        QImage window(1024, 768, QImage::Format_RGB32);
        {
            QtCanvas canvas(&window);
            ASSERT_FALSE(paintGraphWindow(canvas, input, view).failure);
        }
        PixelImage pixels(1024, 768);
        RasterCanvas raster(pixels);
        ASSERT_FALSE(paintGraphWindow(raster, input, view).failure);
        const QImage batch(reinterpret_cast<const uchar*>(pixels.row(0)), 1024, 768, QImage::Format_RGB32);
        EXPECT_LT(golden::differingShare(batch, window), golden::kDifferingShare / 2) << english;
    }
    cli::useLanguage(Language::Japanese);
}

// --lang en anywhere on the program's line: the interval lines and the picture in English
// (tests/data/golden/batch_graph_en.png, regenerated as above).
TEST_F(GraphCommand, TheProgramDrawsInEnglishWithLangEn) {
    const std::string data = (dir_ / "main_200.csv").string();
    std::filesystem::copy_file(KLEPSYDRA_TEST_DATA "/main_200.csv", data);
    QProcess program;
    program.start(QStringLiteral(KLEPSYDRA_PROGRAM),
                  {"graph", "--lang", "en", QString::fromStdString(data), "--item", "TP", "--curves",
                   "--reference", "--interval95", "--workdir", QString::fromStdString(work()), "--png",
                   QString::fromStdString((dir_ / "english.png").string())});
    ASSERT_TRUE(program.waitForFinished(60000));
    ASSERT_EQ(program.exitCode(), 0) << program.readAllStandardError().toStdString();
    EXPECT_EQ(program.readAllStandardOutput().toStdString(),
              "Lower 95% limit:      6.14\nUpper 95% limit:      8.04\n");
    golden::expectMatches(QImage(QString::fromStdString((dir_ / "english.png").string())),
                          "batch_graph_en.png");
}

} // namespace
} // namespace kl

KL_QT_TEST_MAIN()
