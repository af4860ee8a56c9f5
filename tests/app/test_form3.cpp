// The master editor window driven as a user would: its texts and rows, click to modify, register,
// double-click to delete, the messages, and the file bytes after each step.
//
// Golden picture: tests/data/golden/form3.png is regenerated with
//     KLEPSYDRA_UPDATE_GOLDEN=1 build/tests/app_test_form3 --gtest_filter='*Golden*'

#include "AppTestMain.h"
#include "GoldenPicture.h"
#include "QuietServices.h"
#include "app/Form3.h"
#include "cli/Language.h"
#include "text/FileIO.h"

#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <filesystem>
#include <fstream>
#include <random>

namespace kl {
namespace {

// Questions take the queued answers; one nobody expected fails the test.
class FakeServices : public QuietServices {
  public:
    std::deque<Answer> answers;

    Answer message(const std::string& caption, const std::string& text, Buttons buttons, Icon icon) override {
        QuietServices::message(caption, text, buttons, icon);
        if (buttons == Buttons::Ok) return Answer::Ok;
        EXPECT_FALSE(answers.empty()) << "unexpected question " << caption;
        if (answers.empty()) return Answer::No;
        Answer a = answers.front();
        answers.pop_front();
        return a;
    }
};

std::string freshFolder() {
    namespace fs = std::filesystem;
    fs::path p = fs::temp_directory_path() / ("klepsydra-form3-" + std::to_string(std::random_device{}()));
    fs::remove_all(p);
    fs::create_directories(p / "data_f");
    return p.string();
}

const std::string kEmpty14 = ",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\"";
std::string line(const std::string& a, const std::string& b, const std::string& c) {
    return "\"" + a + "\",\"" + b + "\",\"" + c + "\"" + kEmpty14 + "\r\n";
}

class Form3Test : public ::testing::Test {
  protected:
    void SetUp() override {
        workdir_ = freshFolder();
        path_ = workdir_ + "/data_f/KIJUN.DAT";
    }
    void put(const std::string& bytes) { std::ofstream(path_, std::ios::binary) << bytes; }
    std::string bytes() const { return readFileBytes(path_).value_or("<missing>"); }

    Form3* openEditor() {
        form_ = new Form3(services_, workdir_, nullptr);
        QObject::connect(form_, &Form3::closed, [this] { ++closed_; });
        form_->open();
        list_ = form_->findChild<QListWidget*>("LIST3");
        edit_[0] = form_->findChild<QLineEdit*>("EDIT8");
        edit_[1] = form_->findChild<QLineEdit*>("EDIT9");
        edit_[2] = form_->findChild<QLineEdit*>("EDIT10");
        register_ = form_->findChild<QPushButton*>("BUTTON12");
        back_ = form_->findChild<QPushButton*>("BUTTON11");
        return form_;
    }
    void TearDown() override {
        if (form_ && closed_ == 0) form_->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        std::filesystem::remove_all(workdir_);
    }
    void typeAll(const char* name, const char* lower, const char* upper) {
        edit_[0]->setText(QString::fromUtf8(name));
        edit_[1]->setText(QString::fromUtf8(lower));
        edit_[2]->setText(QString::fromUtf8(upper));
    }
    std::vector<std::string> fields() const {
        return {edit_[0]->text().toStdString(), edit_[1]->text().toStdString(),
                edit_[2]->text().toStdString()};
    }
    void clickRow(int row) { emit list_->itemClicked(list_->item(row)); }
    void doubleClickRow(int row) {
        clickRow(row); // a double click is a click first
        emit list_->itemDoubleClicked(list_->item(row));
    }
    std::string row(int r) const { return list_->item(r)->text().toStdString(); }

    FakeServices services_;
    std::string workdir_, path_;
    Form3* form_ = nullptr;
    int closed_ = 0;
    QListWidget* list_ = nullptr;
    QLineEdit* edit_[3] = {};
    QPushButton *register_ = nullptr, *back_ = nullptr;
};

TEST_F(Form3Test, OpensWithItsTextsAndControls) {
    put(line("TP", "6.6", "8.1"));
    openEditor();
    EXPECT_EQ(form_->windowTitle(), "REFERENCE INTERVALS");
    EXPECT_EQ(form_->objectName(), "form3");
    EXPECT_EQ(form_->size(), QSize(Form3::kWidth, Form3::kHeight));
    EXPECT_EQ(form_->windowModality(), Qt::ApplicationModal);
    EXPECT_EQ(list_->size(), QSize(581, 355));
    EXPECT_EQ(register_->text().toStdString(), "登録(新規・修正)");
    EXPECT_EQ(back_->text().toStdString(), "戻  る");
    EXPECT_EQ(list_->font().pixelSize(), 17);
    EXPECT_EQ(edit_[0]->font().pixelSize(), 20);
    EXPECT_EQ(back_->font().pixelSize(), 22);

    struct Expect {
        double x, y, size;
        int colour;
        const char* text;
    } expected[] = {
        {10, 10, 16, Black, "( 基準範囲の入力 )"},
        {10, 90, 12, Red,
         "  * 注 意： 但し、ここにあるデータはこのアプリケーションで既に使用されている可能性があります。"},
        {10, 135, 12, Red, "            は｢99999｣と入力して下さい。"},
        {318, 162, 16, Black, "下 限 値"},
        {22, 630, 12, Blue,
         "　(一般的な基準範囲と極端にかけ離れている場合、正しいグラフを作成できない場合があります)"},
    };
    const auto& log = form_->canvas().textLog();
    ASSERT_EQ(log.size(), 2u * 13); // every text twice: white shadow, then its colour
    for (const Expect& e : expected) {
        bool found = false;
        for (std::size_t i = 0; i + 1 < log.size(); i += 2) {
            if (log[i + 1].text != e.text) continue;
            found = true;
            EXPECT_EQ(log[i].text, e.text);
            EXPECT_EQ(log[i].colour, White);
            EXPECT_EQ(log[i].x, e.x + 1);
            EXPECT_EQ(log[i].y, e.y + 1);
            EXPECT_EQ(log[i + 1].x, e.x);
            EXPECT_EQ(log[i + 1].y, e.y);
            EXPECT_EQ(log[i + 1].size, e.size);
            EXPECT_EQ(log[i + 1].colour, e.colour);
        }
        EXPECT_TRUE(found) << e.text;
    }
    ASSERT_EQ(list_->count(), 1);
    EXPECT_EQ(row(0).substr(0, 8), "   1|TP ");
    EXPECT_TRUE(fields() == (std::vector<std::string>{"", "", ""}));
}

TEST_F(Form3Test, AddModifyAndDeleteThroughTheWindow) {
    openEditor(); // no master yet: an empty list
    EXPECT_EQ(list_->count(), 0);
    typeAll("TP", "6.5", "8.2");
    register_->click();
    EXPECT_EQ(bytes(), line("TP", "6.5", "8.2"));
    ASSERT_EQ(list_->count(), 1);
    EXPECT_EQ(list_->currentRow(), 0);
    EXPECT_TRUE(fields() == (std::vector<std::string>{"", "", ""}));

    typeAll(" ALB", "4.1", "5.1"); // stored as typed
    register_->click();
    EXPECT_EQ(bytes(), line("TP", "6.5", "8.2") + line(" ALB", "4.1", "5.1"));

    clickRow(1);
    EXPECT_EQ(form_->modifyMode(), 1);
    EXPECT_EQ(form_->selectedRecord(), 2);
    EXPECT_TRUE(fields() == (std::vector<std::string>{" ALB", "4.1", "5.1"}));
    edit_[2]->setText("5.2");
    register_->click();
    EXPECT_EQ(bytes(), line("TP", "6.5", "8.2") + line(" ALB", "4.1", "5.2"));
    EXPECT_EQ(form_->modifyMode(), 0);
    EXPECT_EQ(list_->currentRow(), 1);

    services_.answers = {Answer::No};
    doubleClickRow(0);
    EXPECT_EQ(list_->count(), 2);
    services_.answers = {Answer::Yes};
    doubleClickRow(0);
    EXPECT_EQ(services_.shown.back().caption, "マスタ項目の削除");
    EXPECT_EQ(services_.shown.back().text, "選択した項目を削除してよろしいですか ?       ");
    EXPECT_EQ(bytes(), line("ALB", "4.1", "5.2")); // the rewrite trims
    EXPECT_EQ(form_->modifyMode(), 0);

    services_.answers = {Answer::Yes};
    doubleClickRow(0);
    EXPECT_EQ(bytes(), line("", "", ""));
    EXPECT_EQ(list_->count(), 0);
    EXPECT_TRUE(fields() == (std::vector<std::string>{"", "", ""}));
}

TEST_F(Form3Test, RowsLeadToRecordNumbersPastUnnamedRecords) {
    put(line("A", "1", "2") + line("", "", "") + line("B", "3", "4"));
    openEditor();
    ASSERT_EQ(list_->count(), 2);
    EXPECT_EQ(row(1).substr(0, 6), "   2|B");
    clickRow(1);
    EXPECT_EQ(form_->selectedRecord(), 3);
    EXPECT_EQ(form_->recordCount(), 3);
    edit_[0]->setText("B2");
    register_->click();
    EXPECT_EQ(bytes(), line("A", "1", "2") + line("", "", "") + line("B2", "3", "4"));
    EXPECT_EQ(list_->currentRow(), 1);
}

TEST_F(Form3Test, MissingNameAndUnwritableTextsAreRefused) {
    put(line("A", "1", "2"));
    openEditor();
    typeAll("  ", "1", "2");
    register_->click();
    EXPECT_EQ(services_.beeps, 1);
    ASSERT_FALSE(services_.shown.empty());
    EXPECT_EQ(services_.shown.back().caption, "入力モレ");
    EXPECT_EQ(services_.shown.back().text, "入力モレがあります。確認して下さい。        ");
    EXPECT_EQ(bytes(), line("A", "1", "2"));

    typeAll("Hb \"A\"", "1", "2");
    register_->click();
    EXPECT_EQ(services_.shown.back().caption, kMasterRefusalCaption);
    EXPECT_EQ(services_.shown.back().text, kMasterQuoteOrBreakText);
    EXPECT_EQ(bytes(), line("A", "1", "2"));
    EXPECT_EQ(fields()[0], "Hb \"A\""); // kept for correction

    clickRow(0);
    edit_[1]->setText("1\n5");
    register_->click();
    EXPECT_EQ(services_.shown.back().text, kMasterQuoteOrBreakText);
    EXPECT_EQ(form_->modifyMode(), 1);
    EXPECT_EQ(bytes(), line("A", "1", "2"));
}

// English: the messages and captions in English, every drawn line inside the window and every
// column head inside its box (a translation that does not fit would be cut or overlap).
TEST_F(Form3Test, InEnglishTheTextsAreEnglishAndFitTheirPlaces) {
    struct English {
        English() { cli::useLanguage(Language::English); }
        ~English() { cli::useLanguage(Language::Japanese); }
    } english;
    put(line("A", "1", "2"));
    openEditor();
    EXPECT_EQ(register_->text().toStdString(), "Save (new/edit)");
    EXPECT_EQ(back_->text().toStdString(), "Back");
    typeAll("", "1", "2");
    register_->click();
    EXPECT_EQ(services_.shown.back().caption, "Missing entry");
    EXPECT_EQ(services_.shown.back().text, "An entry is missing. Please check.        ");
    typeAll("Hb\n", "1", "2");
    register_->click();
    EXPECT_EQ(services_.shown.back().caption, "Input error");
    EXPECT_EQ(services_.shown.back().text.substr(0, 58),
              "An item name, lower limit or upper limit cannot hold a dou");
    EXPECT_EQ(bytes(), line("A", "1", "2"));

    Canvas& c = form_->canvas();
    const struct {
        const char* text;
        int left, right; // the head box
    } heads[] = {{"Item name", 22, 271}, {"Lower limit", 274, 425}, {"Upper limit", 428, 600}};
    int headsSeen = 0;
    for (const TextDraw& t : c.textLog()) {
        EXPECT_TRUE(std::all_of(t.text.begin(), t.text.end(),
                                [](char ch) { return static_cast<unsigned char>(ch) < 0x80; }))
            << "not English: " << t.text;
        const double right = t.x + c.textWidth(t.text, Font{kMincho, t.size});
        EXPECT_LE(right, Form3::kWidth - 8) << t.text;
        for (const auto& h : heads)
            if (t.text == h.text && t.colour != White) {
                ++headsSeen;
                EXPECT_GT(t.x, h.left) << t.text;
                EXPECT_LT(right, h.right) << t.text;
            }
    }
    EXPECT_EQ(headsSeen, 3);
    services_.answers = {Answer::No};
    doubleClickRow(0);
    EXPECT_EQ(services_.shown.back().caption, "Delete a master item");
}

TEST_F(Form3Test, ReturnButtonClosesOnce) {
    openEditor();
    back_->click();
    EXPECT_EQ(closed_, 1);
    EXPECT_FALSE(form_->isVisible());
}

// Real keys and clicks: after a click, the arrow keys move the highlight and the editor with it, so
// 登録 writes the highlighted record and never the one clicked before; a new item ends highlighted.
TEST_F(Form3Test, TheEditorFollowsTheHighlightMovedByKeys) {
    put(line("ALB", "4.1", "5.1") + line("TP", "6.6", "8.1") + line("CRE", "0.6", "1.1"));
    openEditor();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form_));
    QTest::mouseClick(list_->viewport(), Qt::LeftButton, {}, list_->visualItemRect(list_->item(0)).center());
    EXPECT_TRUE(fields() == (std::vector<std::string>{"ALB", "4.1", "5.1"}));
    for (int i = 0; i < 4; ++i) // EDIT8 -> EDIT9 -> EDIT10 -> BUTTON12 -> LIST3
        QTest::keyClick(form_->windowHandle(), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), list_);
    struct Step {
        Qt::Key key;
        int row;
        const char* name;
    } steps[] = {{Qt::Key_Down, 1, "TP"}, {Qt::Key_Down, 2, "CRE"}, {Qt::Key_Up, 1, "TP"}};
    for (const Step& s : steps) {
        QTest::keyClick(form_->windowHandle(), s.key);
        EXPECT_EQ(list_->currentRow(), s.row);
        EXPECT_EQ(fields()[0], s.name);
        EXPECT_EQ(form_->selectedRecord(), s.row + 1);
        EXPECT_EQ(form_->modifyMode(), 1);
        EXPECT_EQ(QApplication::focusWidget(), list_); // the keys go on moving the highlight
    }
    QTest::mouseClick(edit_[2], Qt::LeftButton);
    QTest::keyClick(edit_[2], Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(edit_[2], "8.3");
    QTest::mouseClick(register_, Qt::LeftButton);
    EXPECT_EQ(bytes(), line("ALB", "4.1", "5.1") + line("TP", "6.6", "8.3") + line("CRE", "0.6", "1.1"));

    // A new item typed and registered with Enter on the focused button: shown and highlighted.
    QTest::mouseClick(edit_[0], Qt::LeftButton);
    QTest::keyClicks(edit_[0], "UA");
    QTest::keyClick(edit_[0], Qt::Key_Tab);
    QTest::keyClicks(edit_[1], "3.7");
    QTest::keyClick(edit_[1], Qt::Key_Tab);
    QTest::keyClicks(edit_[2], "7.0");
    QTest::keyClick(edit_[2], Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), register_);
    QTest::keyClick(register_, Qt::Key_Return);
    EXPECT_EQ(bytes(), line("ALB", "4.1", "5.1") + line("TP", "6.6", "8.3") + line("CRE", "0.6", "1.1") +
                           line("UA", "3.7", "7.0"));
    ASSERT_EQ(list_->count(), 4);
    EXPECT_EQ(list_->currentRow(), 3);
    EXPECT_TRUE(list_->currentItem()->isSelected());
    EXPECT_EQ(form_->modifyMode(), 0);

    // Escape closes the editor as its frame does.
    QTest::keyClick(form_->windowHandle(), Qt::Key_Escape);
    EXPECT_EQ(closed_, 1);
}

TEST_F(Form3Test, GoldenPicture) {
    std::string master;
    for (ReferenceRange r : std::vector<ReferenceRange>{{"WBC", "3.3", "8.6"},
                                                        {"γ-GT(M)", "13", "64"},
                                                        {"ＣＲＰ", "0.00", "0.14"},
                                                        {"TG(F)", "30", "117"},
                                                        {"UA(M)", "3.7", "99999"}})
        master += masterLine(r);
    put(master);
    openEditor();
    list_->setCurrentRow(1);
    clickRow(1);
    const QImage shot = form_->grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(shot.size(), QSize(Form3::kWidth, Form3::kHeight));
    golden::expectMatches(shot, "form3.png");
}

} // namespace
} // namespace kl

KL_QT_TEST_MAIN()
