// Saving from the main window: the exact bytes of a typed data set, a rewrite that keeps the
// encoding of the opened file, a file cut at 40,000 values left whole, and failed writes that
// leave the previous files byte-identical and change no flag.

#include "AppTestMain.h"
#include "QuietServices.h"

#include "app/StartUp.h"
#include "app/main/DataPanel.h"
#include "app/main/FilePanel.h"
#include "app/main/MainForm.h"
#include "text/FileIO.h"

#include <QLineEdit>
#include <QListWidget>

#include <fcntl.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <deque>
#include <filesystem>

namespace kl {
namespace {

namespace fs = std::filesystem;

// Questions take the queued answers (OK when none is left), file dialogs the queued files.
class FakeServices : public QuietServices {
  public:
    std::deque<Answer> answers;
    std::deque<std::optional<std::string>> files;

    Answer message(const std::string& caption, const std::string& text, Buttons buttons, Icon icon) override {
        QuietServices::message(caption, text, buttons, icon);
        if (buttons == Buttons::Ok || answers.empty()) return Answer::Ok;
        Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    std::optional<std::string> nextFile() {
        if (files.empty()) return std::nullopt;
        auto f = files.front();
        files.pop_front();
        return f;
    }
    std::optional<std::string> openFile(const FileDialogRequest&) override { return nextFile(); }
    std::optional<std::string> saveFile(const FileDialogRequest&) override { return nextFile(); }
    std::string currentFolder() override { return "/home/user"; }
};

std::string freshDir(const std::string& tag) {
    fs::path dir = fs::temp_directory_path() / ("kl-persist-" + tag + "-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir.string();
}

std::string numbersText(int n) {
    std::string s;
    for (int i = 0; i < n; ++i)
        s += std::to_string(10 + (i * 37) % 200) + "\r\n";
    return s;
}

struct Fixture {
    FakeServices services;
    std::string work;
    std::unique_ptr<MainForm> form;

    explicit Fixture(const std::string& tag) : work(freshDir(tag)) {
        provisionReferenceMaster(work, std::string(KLEPSYDRA_TEST_DATA) + "/../../resources");
        form = std::make_unique<MainForm>(services, work);
        EXPECT_TRUE(form->MAINFORM_START());
    }
    void open(const std::string& path) {
        services.files.push_back(path);
        form->guarded([this] { form->files().BUTTON1_ON(); });
    }
    void typeValue(const std::string& v) {
        auto* edit = form->findChild<QLineEdit*>("EDIT13");
        edit->setText(QString::fromStdString(v + "\r\n"));
        form->guarded([this] { form->data().EDIT13_CHANGE(); });
    }
};

TEST(PersistSave, TypedRowsAreWrittenExactly) {
    Fixture f("typed");
    for (const char* v : {"1", "2.5", "0"})
        f.typeValue(v);
    const std::string target = f.work + "/three";
    f.services.files.push_back(target);
    EXPECT_TRUE(f.form->files().NAMAE());
    EXPECT_EQ(readFileBytes(target + ".CSV"), "1\r\n2.5\r\n0\r\n");
    EXPECT_EQ(f.form->appState().data.sourcePath, target + ".CSV");
    EXPECT_EQ(f.form->appState().data.sourceName, "three");
    // No graph yet: no settings file, and the flags stay as they were.
    EXPECT_FALSE(fileExists(f.work + "/three.VSC"));
    EXPECT_FALSE(f.form->appState().saved);
}

TEST(PersistSave, ExtendedNameIsReplacedOnlyAfterAsking) {
    Fixture f("replace");
    for (const char* v : {"4", "5"})
        f.typeValue(v);
    const std::string target = f.work + "/old";
    ASSERT_TRUE(writeFileAtomic(target + ".CSV", "keep\r\n"));
    f.services.files.push_back(target);
    f.services.answers.push_back(Answer::No);
    EXPECT_FALSE(f.form->files().NAMAE());
    EXPECT_EQ(readFileBytes(target + ".CSV"), "keep\r\n");
    f.services.files.push_back(target);
    f.services.answers.push_back(Answer::Yes);
    EXPECT_TRUE(f.form->files().NAMAE());
    EXPECT_EQ(readFileBytes(target + ".CSV"), "4\r\n5\r\n");
}

TEST(PersistSave, RewriteKeepsUtf8AndTheSettingsFollow) {
    Fixture f("utf8");
    const std::string path = f.work + "/肝機能.csv";
    const std::string bytes = "測定値\r\n" + numbersText(12);
    ASSERT_TRUE(writeFileAtomic(path, bytes));
    f.open(path);
    ASSERT_EQ(f.form->appState().count(), 13);
    EXPECT_TRUE(f.form->files().KIOKU());
    EXPECT_EQ(readFileBytes(path), bytes);
    // The default title fills an empty one, so the settings are complete and written.
    const std::optional<std::string> vsc = readFileBytes(f.work + "/肝機能.VSC");
    ASSERT_TRUE(vsc);
    EXPECT_NE(vsc->find("\"HISTOGRAM OF OTHER\",\"1\",\"2\""), std::string::npos) << *vsc;
    EXPECT_TRUE(f.form->appState().saved);
    EXPECT_EQ(f.form->appState().counter, 0);
}

TEST(PersistSave, FileCutAt40000KeepsItsRest) {
    Fixture f("cut");
    const std::string path = f.work + "/big.csv";
    const std::string bytes = numbersText(40005);
    ASSERT_TRUE(writeFileAtomic(path, bytes));
    f.open(path);
    ASSERT_EQ(f.form->appState().count(), 40000);
    EXPECT_TRUE(f.form->files().KIOKU());
    EXPECT_EQ(readFileBytes(path), bytes);
    EXPECT_TRUE(fileExists(f.work + "/big.VSC"));
}

TEST(PersistSave, FailedWriteOnAFullDiskLeavesTheOldFiles) {
    Fixture f("full");
    const std::string mountPoint = f.work + "/small";
    fs::create_directories(mountPoint);
    if (::mount("tmpfs", mountPoint.c_str(), "tmpfs", 0, "size=64k") != 0)
        GTEST_SKIP() << "a small tmpfs cannot be mounted here";
    struct Unmount {
        std::string at;
        ~Unmount() { ::umount(at.c_str()); }
    } unmount{mountPoint};

    const std::string path = mountPoint + "/data.csv";
    const std::string bytes = numbersText(20);
    ASSERT_TRUE(writeFileAtomic(path, bytes));
    f.open(path);
    ASSERT_EQ(f.form->appState().count(), 20);
    // Fill the disk so that no new copy of the file fits.
    std::string filler(60 * 1024, 'x');
    while (!filler.empty() && !writeFileAtomic(mountPoint + "/filler", filler))
        filler.resize(filler.size() - 1024);
    f.typeValue("99"); // the rewrite would now differ from the file on disk
    const int counterBefore = f.form->appState().counter;
    f.services.shown.clear();
    EXPECT_FALSE(f.form->files().KIOKU());
    EXPECT_EQ(readFileBytes(path), bytes);
    EXPECT_FALSE(fileExists(mountPoint + "/data.VSC"));
    EXPECT_EQ(f.services.captions(), std::vector<std::string>{"SAVE ERROR"});
    EXPECT_FALSE(f.form->appState().saved);
    EXPECT_EQ(f.form->appState().counter, counterBefore);
}

// The file's immutable attribute (what chattr +i sets): not even the superuser may replace it.
bool setImmutable(int fd, bool on) {
    const unsigned long getFlags = _IOR('f', 1, long), setFlags = _IOW('f', 2, long);
    const int immutableFlag = 0x10;
    int flags = 0;
    if (::ioctl(fd, getFlags, &flags) != 0) return false;
    flags = on ? flags | immutableFlag : flags & ~immutableFlag;
    return ::ioctl(fd, setFlags, &flags) == 0;
}

// A data file and its settings file are saved as a pair: when the settings file cannot be
// written (a size limit stops it halfway, as a full disk would) or cannot replace the old one (an
// immutable file), the data file is left, or put back, as it was, and no temporary file stays.
TEST(PersistSave, DataAndSettingsAreReplacedTogetherOrNotAtAll) {
    for (const char* failure : {"settings write", "settings rename"}) {
        SCOPED_TRACE(failure);
        Fixture f(std::string("pair-") + (failure[9] == 'w' ? "write" : "rename"));
        const std::string path = f.work + "/pair.csv", vsc = f.work + "/pair.VSC";
        std::string bytes;
        for (int i = 0; i < 10; ++i)
            bytes += std::to_string(1 + i % 9) + "\r\n";
        ASSERT_TRUE(writeFileAtomic(path, bytes));
        f.open(path);
        ASSERT_EQ(f.form->appState().count(), 10);
        ASSERT_TRUE(writeFileAtomic(vsc, "old settings\r\n"));
        f.typeValue("2"); // the data rewrite now differs from the file
        f.services.shown.clear();

        rlimit oldLimit{};
        ::getrlimit(RLIMIT_FSIZE, &oldLimit);
        auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        int immutable = -1;
        if (failure[9] == 'w') {
            rlimit small = oldLimit;
            small.rlim_cur = bytes.size() + 12; // the data fit, the settings (over 40 bytes of quotes) do not
            ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
        } else {
            immutable = ::open(vsc.c_str(), O_RDONLY);
            if (!setImmutable(immutable, true)) {
                ::close(immutable);
                GTEST_SKIP() << "files cannot be made immutable here";
            }
        }
        const bool saved = f.form->files().KIOKU();
        ::setrlimit(RLIMIT_FSIZE, &oldLimit);
        std::signal(SIGXFSZ, oldHandler);
        if (immutable >= 0) {
            setImmutable(immutable, false);
            ::close(immutable);
        }
        EXPECT_FALSE(saved);
        EXPECT_EQ(readFileBytes(path), bytes);
        EXPECT_EQ(readFileBytes(vsc), "old settings\r\n");
        ASSERT_EQ(f.services.captions(), std::vector<std::string>{"SAVE ERROR"});
        EXPECT_NE(f.services.shown[0].text.find(vsc), std::string::npos) << f.services.shown[0].text;
        EXPECT_FALSE(f.form->appState().saved);
        for (const auto& entry : fs::directory_iterator(f.work))
            EXPECT_EQ(entry.path().filename().string().find(".tmp-"), std::string::npos) << entry.path();
    }
}

} // namespace
} // namespace kl

KL_QT_TEST_MAIN()
