// The desktop's real modal dialogs, shown and answered from the event loop without a person:
// message boxes of every button set and icon (caption, text, buttons, the answer of each button,
// of Enter, of Escape and of the window's close button), and the open and save dialogs (title,
// folder, filters, cancel, the question before replacing a file, and the save command's own
// question for the name it extends with ".CSV").

#include "AppTestMain.h"
#include "ModalScript.h"

#include "app/StartUp.h"
#include "app/main/FilePanel.h"
#include "app/main/MainForm.h"
#include "platform/qt/QtServices.h"
#include "text/FileIO.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <filesystem>
#include <fstream>

namespace kl {
namespace {

namespace fs = std::filesystem;
using SB = QMessageBox::StandardButton;

// The desktop start installs Qt's Japanese texts; the boxes here are the ones users see.
void japanese() {
    static const bool installed = installJapaneseTranslations(*QCoreApplication::instance());
    ASSERT_TRUE(installed) << "qtbase_ja is not installed";
}

// A key as the window system delivers it: to the box's window, then to its focus widget.
void typeKey(QWidget* dialog, Qt::Key key) {
    dialog->activateWindow();
    QTest::keyClick(dialog->windowHandle(), key);
}

std::string readAll(const std::string& path) {
    return readFileBytes(path).value_or("<missing>");
}

void writeText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

struct Kind {
    Buttons buttons;
    std::vector<SB> standard; // in the order the answers are listed
    std::vector<Answer> answers;
    const char* texts[3]; // the Japanese button texts, up to the accelerator
    Answer onEnter, onEscape;
};

const Kind kKinds[] = {
    {Buttons::Ok, {SB::Ok}, {Answer::Ok}, {"OK"}, Answer::Ok, Answer::Ok},
    {Buttons::YesNo,
     {SB::Yes, SB::No},
     {Answer::Yes, Answer::No},
     {"はい", "いいえ"},
     Answer::Yes,
     Answer::No},
    {Buttons::YesNoCancel,
     {SB::Yes, SB::No, SB::Cancel},
     {Answer::Yes, Answer::No, Answer::Cancel},
     {"はい", "いいえ", "キャンセル"},
     Answer::Yes,
     Answer::Cancel},
};

struct IconCase {
    Icon icon;
    QMessageBox::Icon qt;
};
const IconCase kIcons[] = {{Icon::Stop, QMessageBox::Critical},
                           {Icon::Question, QMessageBox::Question},
                           {Icon::Exclamation, QMessageBox::Warning},
                           {Icon::Information, QMessageBox::Information}};

TEST(QtMessageBox, EveryButtonSetAndIconShowsCaptionTextAndButtons) {
    japanese();
    QtServices services;
    // Trailing blanks and full-width blanks stay; CR LF becomes a line break.
    const std::string text = "データが少なすぎます。　　 \r\n\r\nまたは、データがありません。  ";
    const QString shown = QString::fromUtf8("データが少なすぎます。　　 \n\nまたは、データがありません。  ");
    for (const Kind& kind : kKinds)
        for (const IconCase& icon : kIcons) {
            SCOPED_TRACE(testing::Message() << "buttons " << int(kind.buttons) << " icon " << int(icon.icon));
            ModalScript script;
            script.then<QMessageBox>([&](QMessageBox* box) {
                EXPECT_EQ(box->windowTitle(), QString::fromUtf8("BAD DATA 保存"));
                EXPECT_EQ(box->text(), shown);
                EXPECT_EQ(box->textFormat(), Qt::PlainText);
                EXPECT_EQ(box->icon(), icon.qt);
                ASSERT_EQ(box->buttons().size(), qsizetype(kind.standard.size()));
                for (std::size_t i = 0; i < kind.standard.size(); ++i) {
                    QAbstractButton* b = box->button(kind.standard[i]);
                    ASSERT_NE(b, nullptr);
                    EXPECT_TRUE(b->isVisible());
                    EXPECT_TRUE(b->text().startsWith(QString::fromUtf8(kind.texts[i])))
                        << b->text().toStdString();
                }
                // The default button (the one Enter presses) is the first, and has the focus.
                auto* first = qobject_cast<QPushButton*>(box->button(kind.standard.front()));
                ASSERT_NE(first, nullptr);
                EXPECT_TRUE(first->isDefault());
                EXPECT_TRUE(QTest::qWaitForWindowActive(box, 20000));
                EXPECT_EQ(box->focusWidget(), first);
                box->button(kind.standard.back())->click();
            });
            EXPECT_EQ(services.message("BAD DATA 保存", text, kind.buttons, icon.icon), kind.answers.back());
            EXPECT_TRUE(script.done());
        }
}

TEST(QtMessageBox, EachButtonGivesItsAnswer) {
    QtServices services;
    for (const Kind& kind : kKinds)
        for (std::size_t i = 0; i < kind.standard.size(); ++i) {
            ModalScript script;
            script.then<QMessageBox>([&](QMessageBox* box) { box->button(kind.standard[i])->click(); });
            EXPECT_EQ(services.message("保存", "?", kind.buttons, Icon::Question), kind.answers[i])
                << "buttons " << int(kind.buttons) << ", button " << i;
            EXPECT_TRUE(script.done());
        }
}

// Enter takes the first button (OK, Yes), as the boxes of the program's home platform did;
// Escape and the close button of the window's frame take the cautious one (OK, No, Cancel).
TEST(QtMessageBox, EnterEscapeAndTheFrameCloseButton) {
    QtServices services;
    for (const Kind& kind : kKinds) {
        SCOPED_TRACE(testing::Message() << "buttons " << int(kind.buttons));
        const auto answerBy = [&](const std::function<void(QMessageBox*)>& act) {
            ModalScript script;
            script.then<QMessageBox>(act);
            const Answer a = services.message("終了", "よろしいですか？", kind.buttons, Icon::Question);
            EXPECT_TRUE(script.done());
            return a;
        };
        EXPECT_EQ(answerBy([](QMessageBox* box) { typeKey(box, Qt::Key_Return); }), kind.onEnter);
        EXPECT_EQ(answerBy([](QMessageBox* box) { typeKey(box, Qt::Key_Enter); }), kind.onEnter);
        EXPECT_EQ(answerBy([](QMessageBox* box) { typeKey(box, Qt::Key_Escape); }), kind.onEscape);
        EXPECT_EQ(answerBy([](QMessageBox* box) { box->close(); }), kind.onEscape);
    }
}

TEST(QtMessageBox, StaysInFrontOfTheActiveWindowOrStandsAloneWithout) {
    QtServices services;
    {
        ModalScript script;
        script.then<QMessageBox>([](QMessageBox* box) {
            EXPECT_EQ(box->parentWidget(), nullptr); // the start-up caution has no owner window
            box->button(SB::Ok)->click();
        });
        services.message("caution", "1024X768", Buttons::Ok, Icon::Information);
        EXPECT_TRUE(script.done());
    }
    QWidget window;
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window, 20000));
    ModalScript script;
    script.then<QMessageBox>([&](QMessageBox* box) {
        EXPECT_EQ(box->parentWidget(), &window);
        box->button(SB::No)->click();
    });
    EXPECT_EQ(services.message("delete", "?", Buttons::YesNo, Icon::Question), Answer::No);
    EXPECT_TRUE(script.done());
}

// ---- open and save dialogs ------------------------------------------------------------------

struct Folder {
    QTemporaryDir dir;
    std::string path(const std::string& name = {}) const {
        return dir.path().toStdString() + (name.empty() ? "" : "/" + name);
    }
};

const std::vector<FileFilter> kOpenFilters = {
    {"CSVまたはTXTﾌｧｲﾙ(*.CSV,*.TXT,*.TEXT)", {"*.CSV", "*.TXT", "*.TEXT"}},
    {"すべてのファイル(*.*)", {"*"}},
};

QString nameField(QFileDialog* dialog) {
    auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    return edit ? edit->text() : QStringLiteral("<no name field>");
}

// The dialog's Open or Save button, clicked.
void pressAccept(QFileDialog* dialog) {
    auto* box = dialog->findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
    ASSERT_NE(box, nullptr);
    for (QAbstractButton* b : box->buttons())
        if (box->buttonRole(b) == QDialogButtonBox::AcceptRole) {
            ASSERT_TRUE(b->isEnabled())
                << "the dialog's " << b->text().toStdString() << " button is disabled";
            b->click();
            return;
        }
    ADD_FAILURE() << "the dialog has no Open or Save button";
}

// The files the dialog lists in its current folder, once its model has read at least `atLeast`
// of them (the folder is read in the background).
QStringList listedFiles(QFileDialog* dialog, int atLeast) {
    QStringList names;
    auto* list = dialog->findChild<QAbstractItemView*>(QStringLiteral("listView"));
    if (!list) return names;
    for (int attempt = 0; attempt < 400 && names.size() < atLeast; ++attempt) {
        QTest::qWait(50);
        names.clear();
        const QModelIndex root = list->rootIndex();
        for (int r = 0; r < list->model()->rowCount(root); ++r)
            names << list->model()->index(r, 0, root).data().toString();
    }
    names.sort();
    return names;
}

TEST(QtFileDialog, OpenShowsTitleFolderAndFiltersAndReturnsTheChosenFile) {
    Folder f;
    fs::create_directory(f.path("data_f"));
    for (const char* name : {"A.CSV", "b.csv", "c.Txt", "d.text", "e.dat"})
        writeText(f.path("data_f/") + name, "1\r\n");
    QtServices services;
    FileDialogRequest request{"ファイルのオープン", f.path("data_f/"), kOpenFilters};
    ModalScript script;
    script.then<QFileDialog>([&](QFileDialog* d) {
        EXPECT_EQ(d->windowTitle(), QString::fromUtf8("ファイルのオープン"));
        EXPECT_EQ(d->acceptMode(), QFileDialog::AcceptOpen);
        EXPECT_EQ(d->fileMode(), QFileDialog::ExistingFile);
        EXPECT_EQ(QDir(d->directory()).canonicalPath(),
                  QDir(QString::fromStdString(f.path("data_f"))).canonicalPath());
        EXPECT_EQ(d->nameFilters(), qtFilters(kOpenFilters));
        // The list of filters shows the labels alone (they name their patterns already).
        auto* types = d->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        ASSERT_NE(types, nullptr);
        ASSERT_EQ(types->count(), 2);
        EXPECT_EQ(types->itemText(0), QString::fromUtf8(kOpenFilters[0].label.c_str()));
        EXPECT_EQ(types->itemText(1), QString::fromUtf8(kOpenFilters[1].label.c_str()));
        EXPECT_EQ(types->currentIndex(), 0);
        // The first filter lists the data files in any letter case, nothing else.
        EXPECT_EQ(listedFiles(d, 4), QStringList({"A.CSV", "b.csv", "c.Txt", "d.text"}));
        d->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(QStringLiteral("b.csv"));
        pressAccept(d);
    });
    const std::optional<std::string> chosen = services.openFile(request);
    EXPECT_TRUE(script.done());
    ASSERT_TRUE(chosen);
    EXPECT_EQ(fs::canonical(*chosen), fs::canonical(f.path("data_f/b.csv")));
}

TEST(QtFileDialog, OpenRefusesAFileThatDoesNotExistAndCancelChoosesNothing) {
    Folder f;
    QtServices services;
    FileDialogRequest request{"ファイルのオープン", f.path(), kOpenFilters};
    ModalScript script;
    script.then<QFileDialog>([](QFileDialog* d) {
        d->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(QStringLiteral("missing.csv"));
        typeKey(d, Qt::Key_Return);
        EXPECT_TRUE(d->isVisible()) << "a missing file was accepted";
        d->reject();
    });
    // The dialog says why it does not take the name.
    script.then<QMessageBox>([](QMessageBox* box) {
        EXPECT_TRUE(box->text().contains(QStringLiteral("missing.csv"))) << box->text().toStdString();
        box->button(SB::Ok)->click();
    });
    EXPECT_EQ(services.openFile(request), std::nullopt);
    EXPECT_TRUE(script.done());

    script.then<QFileDialog>([](QFileDialog* d) { typeKey(d, Qt::Key_Escape); });
    EXPECT_EQ(services.openFile(request), std::nullopt);
    EXPECT_TRUE(script.done());
}

TEST(QtFileDialog, SaveProposesTheNameInItsFolderOrTheCurrentFolder) {
    Folder f;
    QtServices services;
    const std::vector<FileFilter> filters = {{"CSVﾌｧｲﾙ(*.CSV)", {"*.CSV", "*.csv"}},
                                             {"すべてのファイル(*.*)", {"*"}}};
    struct Case {
        std::string initial;
        QString folder, name;
    } cases[] = {
        {f.path("VARDO_DATF.CSV"), f.dir.path(), "VARDO_DATF.CSV"},
        {f.path() + "/", f.dir.path(), ""},
        // No remembered folder: the bare proposal, in the current folder.
        {"kensa.CSV", QDir::currentPath(), "kensa.CSV"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.initial);
        ModalScript script;
        script.then<QFileDialog>([&](QFileDialog* d) {
            EXPECT_EQ(d->windowTitle(), QString::fromUtf8("ファイルの保存"));
            EXPECT_EQ(d->acceptMode(), QFileDialog::AcceptSave);
            EXPECT_EQ(QDir(d->directory()).canonicalPath(), QDir(c.folder).canonicalPath());
            EXPECT_EQ(nameField(d), c.name);
            EXPECT_EQ(d->nameFilters(), qtFilters(filters));
            d->reject();
        });
        EXPECT_EQ(services.saveFile({"ファイルの保存", c.initial, filters}), std::nullopt);
        EXPECT_TRUE(script.done());
    }
}

// The dialog asks once before an existing file is chosen; No goes back to the dialog, and the
// dialog itself never touches the file.
TEST(QtFileDialog, SavingOverAnExistingFileAsksFirst) {
    Folder f;
    writeText(f.path("kept.CSV"), "old");
    QtServices services;
    const FileDialogRequest request{
        "名前を付けて保存", f.path("kept.CSV"), {{"Excelﾌｧｲﾙ(*.CSV)", {"*.CSV"}}}};
    ModalScript script;
    QPointer<QFileDialog> dialog;
    script.then<QFileDialog>([&](QFileDialog* d) {
        dialog = d;
        pressAccept(d);
        EXPECT_TRUE(d->isVisible()) << "No must lead back to the dialog";
        pressAccept(d);
    });
    script.then<QMessageBox>([&](QMessageBox* box) {
        EXPECT_TRUE(box->text().contains(QStringLiteral("kept.CSV"))) << box->text().toStdString();
        EXPECT_EQ(box->parentWidget(), dialog.data());
        ASSERT_NE(box->button(SB::No), nullptr);
        box->button(SB::No)->click();
    });
    script.then<QMessageBox>([](QMessageBox* box) { box->button(SB::Yes)->click(); });
    const std::optional<std::string> chosen = services.saveFile(request);
    EXPECT_TRUE(script.done());
    ASSERT_TRUE(chosen);
    EXPECT_EQ(fs::canonical(*chosen), fs::canonical(f.path("kept.CSV")));
    EXPECT_EQ(readAll(f.path("kept.CSV")), "old");

    // A caller that asks itself turns the dialog's question off.
    FileDialogRequest quiet = request;
    quiet.confirmOverwrite = false;
    script.then<QFileDialog>([](QFileDialog* d) { pressAccept(d); });
    EXPECT_TRUE(services.saveFile(quiet));
    EXPECT_TRUE(script.done());
    EXPECT_EQ(script.unexpected(), 0);
}

// The save command through the real dialogs: a name typed without ".CSV" is saved with it, and
// when that file exists the command asks (the dialog could not know); a name typed with ".CSV"
// is asked about by the dialog alone. Either way the user is asked exactly once.
TEST(QtFileDialog, TheSaveCommandAsksOnceAboutTheFileItReplaces) {
    Folder f;
    const std::string work = f.path("work");
    fs::create_directory(work);
    provisionMaster(work, std::string(KLEPSYDRA_TEST_DATA) + "/../../resources");
    std::string values;
    for (int i = 0; i < 12; ++i)
        values += std::to_string(10 + i) + "\r\n";
    writeText(f.path("source.csv"), values);
    writeText(f.path("typed.CSV"), "old");

    QtServices services;
    MainForm form(services, work);
    ASSERT_TRUE(form.MAINFORM_START());
    form.files().openDataFile(f.path("source.csv"));
    ASSERT_EQ(form.findChild<QListWidget*>(QStringLiteral("LIST1"))->count(), 12);

    const auto typeName = [](QFileDialog* d, const char* name) {
        d->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(QString::fromUtf8(name));
        pressAccept(d);
    };
    // "typed": the dialog has nothing to ask, the command asks about typed.CSV. No keeps it.
    ModalScript script;
    script.then<QFileDialog>([&](QFileDialog* d) {
        d->setDirectory(QString::fromStdString(f.path()));
        typeName(d, "typed");
    });
    script.then<QMessageBox>([](QMessageBox* box) {
        EXPECT_TRUE(box->text().contains(QStringLiteral("typed.CSV"))) << box->text().toStdString();
        box->button(SB::No)->click();
    });
    form.guarded([&] { form.files().BUTTON38_ON(); });
    EXPECT_TRUE(script.done());
    EXPECT_EQ(readAll(f.path("typed.CSV")), "old");

    // "typed.CSV": the dialog asks, Yes replaces it without a second question.
    script.then<QFileDialog>([&](QFileDialog* d) {
        d->setDirectory(QString::fromStdString(f.path()));
        typeName(d, "typed.CSV");
    });
    script.then<QMessageBox>([](QMessageBox* box) {
        EXPECT_TRUE(box->text().contains(QStringLiteral("typed.CSV"))) << box->text().toStdString();
        box->button(SB::Yes)->click();
    });
    form.guarded([&] { form.files().BUTTON38_ON(); });
    EXPECT_TRUE(script.done());
    const std::string saved = readAll(f.path("typed.CSV"));
    EXPECT_NE(saved.find("21"), std::string::npos) << saved; // the last of the 12 values
    EXPECT_EQ(script.unexpected(), 0);
}

// The print dialog proposes the report's PDF after the data file, in its folder, until a PDF went
// elsewhere: then in that folder.
TEST(QtPrintDialog, ProposesAPdfAfterTheDataFileAndRemembersTheFolder) {
    Folder data, other;
    QtServices services;
    struct Step {
        std::string proposal;
        std::string expected;
        std::string chosen; // typed into the dialog's file field; empty: cancel
    } steps[] = {
        {data.path("main_200_histogram.pdf"), data.path("main_200_histogram.pdf"), other.path("mine.pdf")},
        {data.path("main_200_datalist.pdf"), other.path("main_200_datalist.pdf"), ""},
        {"histogram.pdf", other.path("histogram.pdf"), ""},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.proposal);
        ModalScript script;
        script.then<QPrintDialog>([&](QPrintDialog* d) {
            EXPECT_EQ(d->printer()->outputFileName().toStdString(), s.expected);
            auto* field = d->findChild<QLineEdit*>(QStringLiteral("filename"));
            ASSERT_NE(field, nullptr);
            EXPECT_EQ(field->text().toStdString(), s.expected);
            if (s.chosen.empty()) {
                d->reject();
                return;
            }
            field->setText(QString::fromStdString(s.chosen));
            d->accept();
        });
        services.proposePrintFile(s.proposal);
        EXPECT_EQ(services.printDialog(), !s.chosen.empty());
        EXPECT_TRUE(script.done());
    }
}

} // namespace
} // namespace kl

KL_QT_TEST_MAIN()
