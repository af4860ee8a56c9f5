#include "app/Form3.h"

#include "app/ControlTable.h"
#include "app/WindowParts.h"
#include "platform/qt/Fonts.h"
#include "platform/qt/QtConvert.h"
#include "text/FileIO.h"
#include "text/Text.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace kl {

namespace {

constexpr Rgb kBackground{236, 233, 216};
constexpr Rgb kDarkEdge{128, 128, 128};

constexpr const char* kMissingCaption = KL_TRANSLATE_NOOP("Form3", "入力モレ");
constexpr const char* kMissingText =
    KL_TRANSLATE_NOOP("Form3", "入力モレがあります。確認して下さい。        ");
constexpr const char* kDeleteCaption = KL_TRANSLATE_NOOP("Form3", "マスタ項目の削除");
constexpr const char* kDeleteText =
    KL_TRANSLATE_NOOP("Form3", "選択した項目を削除してよろしいですか ?       ");
constexpr const char* kFileCaption = KL_TRANSLATE_NOOP("Form3", "CAUTION");
constexpr const char* kUnreadableText =
    KL_TRANSLATE_NOOP("Form3", "基準範囲マスタ( data_f/KIJUN.DAT )を読み込めません。");
constexpr const char* kUnwritableText =
    KL_TRANSLATE_NOOP("Form3", "基準範囲マスタ( data_f/KIJUN.DAT )を保存できません。変更されていません。");

std::string form3Text(const char* text) {
    return translate("Form3", text);
}

// LIST3, which says when a key (an arrow, Page Up/Down, Home, End, a letter) moved its current row,
// and keeps the row of the last item clicked for the click handler (connected after this one).
class MasterList : public QListWidget {
  public:
    explicit MasterList(QWidget* parent) : QListWidget(parent) {
        connect(this, &QListWidget::itemClicked, this,
                [this](QListWidgetItem* item) { clickedRow = row(item); });
    }
    std::function<void(int)> movedByKey;
    int clickedRow = -1;

  protected:
    void keyPressEvent(QKeyEvent* event) override {
        const int before = currentRow();
        QListWidget::keyPressEvent(event);
        if (currentRow() != before && currentRow() >= 0 && movedByKey) movedByKey(currentRow());
    }
};

} // namespace

Form3::Form3(Services& services, std::string workdir, QWidget* opener)
    : SecondaryWindow(services, QStringLiteral("form3"), QSize(kWidth, kHeight), opener, kBackground,
                      QStringLiteral("REFERENCE INTERVALS")),
      workdir_(std::move(workdir)) {
    buildControls();
}

Form3::~Form3() = default;

QWidget* Form3::makeList3(Form3& w) {
    auto* list = new MasterList(&w);
    QObject::connect(list, &QListWidget::itemDoubleClicked, &w, [&w, list](QListWidgetItem* item) {
        w.run([&w, list, item] { w.LIST3_DBLCLICK(list->row(item)); });
    });
    // Moving the highlight by keyboard puts the editor on that record as a click does; the focus
    // stays in the list so that the keys go on moving it.
    list->movedByKey = [&w, list](int row) {
        w.run([&w, list, row] {
            w.LIST3_CLICK(row);
            list->setFocus();
        });
    };
    return list;
}

void Form3::buildControls() {
    using K = ControlKind;
    using Row = ControlRow<Form3>;
    constexpr const char* M = kMincho;
    // The three fields sit under their column heads, LIST3 under them with its columns aligned.
    // clang-format off
    // name, role, kind, geometry, font, size, caption, handler[, tooltip, size in English, style, maker]
    static const Row rows[] = {
        {"EDIT8", "item name", K::Field, {22, 188, 250, 32}, M, 20, "", nullptr},
        {"EDIT9", "lower limit", K::Field, {274, 188, 152, 32}, M, 20, "", nullptr},
        {"EDIT10", "upper limit", K::Field, {428, 188, 173, 32}, M, 20, "", nullptr},
        {"BUTTON12", "register a new item or the corrected one", K::Button, {616, 186, 170, 36}, M, 20,
         KL_TRANSLATE_NOOP("Form3", "登録(新規・修正)"), [](Form3& w) { w.BUTTON12_ON(); }},
        {"LIST3", "the items: a click corrects one, a double click deletes it", K::List,
         {22, 226, 581, 355}, kGothic, 17, "",
         [](Form3& w) { w.LIST3_CLICK(static_cast<MasterList*>(w.list3_)->clickedRow); },
         nullptr, 0, FontStyle::Regular, &Form3::makeList3},
        {"BUTTON11", "close the editor", K::Button, {616, 545, 170, 36}, M, 22,
         KL_TRANSLATE_NOOP("Form3", "戻  る"), [](Form3& w) { w.BUTTON11_ON(); }},
    };
    // clang-format on
    kl::buildControls<Form3>(*this, "Form3", rows, [this](const std::function<void()>& h) { run(h); });
    edit8_ = findChild<QLineEdit*>(QStringLiteral("EDIT8"));
    edit9_ = findChild<QLineEdit*>(QStringLiteral("EDIT9"));
    edit10_ = findChild<QLineEdit*>(QStringLiteral("EDIT10"));
    list3_ = findChild<QListWidget*>(QStringLiteral("LIST3"));
    // Half-width cells of a whole 9 px at size 17, so the columns fall under the head boxes.
    QFont rowFont = list3_->font();
    rowFont.setLetterSpacing(QFont::AbsoluteSpacing, 9.0 - 17.0 / 2);
    list3_->setFont(rowFont);
}

std::string Form3::masterPath() const {
    return workdir_ + "/" + kReferenceMasterRelative;
}

void Form3::open() {
    placeOver(this, parentWidget());
    showAndStart([this] { FORM3_START(); });
}

void Form3::reliefText(double x, double y, const char* text, double size, int colour, bool bold) {
    kl::reliefText(canvas(), x, y, form3Text(text), Font{kMincho, size, bold, false}, colour);
}

void Form3::headBox(int x1, int y1, int x2, int y2) {
    sunkenEdges(canvas(), x1, y1, x2, y2, kDarkEdge);
}

void Form3::drawTexts() {
    clearSurface();
    reliefText(10, 10, KL_TRANSLATE_NOOP("Form3", "( 基準範囲の入力 )"), 16, Black, true);
    reliefText(
        10, 30,
        KL_TRANSLATE_NOOP(
            "Form3", "  ヒストグラムの階級幅は、各検査項目の基準範囲幅の約1/10が目安となります。ここで設定"),
        14, Black);
    reliefText(10, 50,
               KL_TRANSLATE_NOOP("Form3", "  した基準範囲をもとに階級幅を設定しますので必ず入力して下さい。"),
               14, Black);
    reliefText(
        10, 70,
        KL_TRANSLATE_NOOP("Form3",
                          "  ( 下記のリストボックスをシングルクリックで修正、ダブルクリックで削除できます )"),
        14, Black);
    reliefText(
        10, 90,
        KL_TRANSLATE_NOOP(
            "Form3",
            "  * 注 意： 但し、ここにあるデータはこのアプリケーションで既に使用されている可能性があります。"),
        12, Red);
    reliefText(
        10, 105,
        KL_TRANSLATE_NOOP(
            "Form3",
            "            データの追加、修正は問題ありませんが｢削除｣については、十分注意して行って下さい。"),
        12, Red);
    reliefText(10, 120,
               KL_TRANSLATE_NOOP(
                   "Form3",
                   "            "
                   "また、項目によっては｢上限値｣の無い場合があります。その際には便宜上、上限値は｢9999｣また"),
               12, Red);
    reliefText(10, 135, KL_TRANSLATE_NOOP("Form3", "            は｢99999｣と入力して下さい。"), 12, Red);
    headBox(22, 155, 271, 185);
    headBox(274, 155, 425, 185);
    headBox(428, 155, 600, 185);
    reliefText(111, 162, KL_TRANSLATE_NOOP("Form3", "項 目 名"), 16, Black);
    reliefText(318, 162, KL_TRANSLATE_NOOP("Form3", "下 限 値"), 16, Black);
    reliefText(482, 162, KL_TRANSLATE_NOOP("Form3", "上 限 値"), 16, Black);
    reliefText(
        22, 615,
        KL_TRANSLATE_NOOP(
            "Form3", "* 基準範囲はできうるかぎり一般的に用いられている値と近似したものを入力して下さい。"),
        12, Blue);
    reliefText(
        22, 630,
        KL_TRANSLATE_NOOP(
            "Form3",
            "　(一般的な基準範囲と極端にかけ離れている場合、正しいグラフを作成できない場合があります)"),
        12, Blue);
}

void Form3::listFile() {
    list3_->clear();
    listing_ = MasterListing{};
    if (!fileExists(masterPath())) return;
    MasterReadResult read = readMasterRecords(masterPath());
    if (!read.ok) {
        services_.message(form3Text(kFileCaption), form3Text(kUnreadableText) + "\r\n" + read.error,
                          Buttons::Ok, Icon::Information);
        return;
    }
    listing_ = listMaster(read.records);
    for (const std::string& row : listing_.rows)
        list3_->addItem(toQString(row));
}

void Form3::emptyFields() {
    edit8_->clear();
    edit9_->clear();
    edit10_->clear();
}

ReferenceRange Form3::typedTexts() const {
    return {toStdString(edit8_->text()), toStdString(edit9_->text()), toStdString(edit10_->text())};
}

bool Form3::reportFailure(const MasterEditResult& result) {
    switch (result.status) {
    case MasterEditStatus::Done:
    case MasterEditStatus::NoFile:
    case MasterEditStatus::NoRecord:
        return false;
    case MasterEditStatus::Refused:
        services_.message(translate("MasterEditor", kMasterRefusalCaption), result.message, Buttons::Ok,
                          Icon::Information);
        return true;
    case MasterEditStatus::ReadFailed:
        services_.message(form3Text(kFileCaption), form3Text(kUnreadableText) + "\r\n" + result.message,
                          Buttons::Ok, Icon::Information);
        return true;
    case MasterEditStatus::WriteFailed:
        services_.message(form3Text(kFileCaption), form3Text(kUnwritableText) + "\r\n" + result.message,
                          Buttons::Ok, Icon::Information);
        return true;
    }
    return true;
}

void Form3::FORM3_START() {
    drawTexts();
    listFile();
    recordCount_ = listing_.recordCount;
    edit8_->setFocus();
    edit9_->clear();
    edit10_->clear();
}

void Form3::LIST3_CLICK(int row) {
    if (row < 0 || row >= static_cast<int>(listing_.recordOfRow.size())) return;
    selectedRecord_ = listing_.recordOfRow[static_cast<std::size_t>(row)];
    if (!fileExists(masterPath())) return;
    MasterReadResult read = readMasterRecords(masterPath());
    if (!read.ok) {
        reportFailure({MasterEditStatus::ReadFailed, read.error});
        return;
    }
    recordCount_ = static_cast<int>(read.records.size());
    if (selectedRecord_ > recordCount_) return; // the file shrank behind the editor's back
    const ReferenceRange& r = read.records[static_cast<std::size_t>(selectedRecord_) - 1];
    edit8_->setText(toQString(r.name));
    edit9_->setText(toQString(r.lower));
    edit10_->setText(toQString(r.upper));
    edit8_->setFocus();
    modifyMode_ = 1;
}

void Form3::BUTTON12_ON() {
    list3_->clearSelection();
    list3_->setCurrentRow(-1);
    const ReferenceRange typed = typedTexts();
    bool appended = false;
    if (modifyMode_ == 0) {
        if (trimBlanks(typed.name).empty()) {
            services_.beep();
            services_.message(form3Text(kMissingCaption), form3Text(kMissingText), Buttons::Ok,
                              Icon::Information);
        } else {
            // A refused or failed write keeps the typed texts and the mode, so nothing is lost.
            if (reportFailure(appendMasterRecord(masterPath(), typed))) return;
            emptyFields();
            listFile();
            appended = true;
        }
    } else {
        if (reportFailure(modifyMasterRecord(masterPath(), selectedRecord_, typed))) return;
        listFile();
    }
    const int remembered = selectedRecord_;
    selectedRecord_ = 0;
    modifyMode_ = 0;
    emptyFields();
    edit8_->setFocus();
    // A new item is the last row: it is shown and highlighted.
    const int row = appended ? list3_->count() - 1 : remembered == 0 ? 0 : listing_.rowOfRecord(remembered);
    if (row >= 0 && row < list3_->count()) {
        list3_->setCurrentRow(row);
        list3_->scrollToItem(list3_->item(row));
    }
}

void Form3::LIST3_DBLCLICK(int row) {
    if (row < 0 || row >= static_cast<int>(listing_.recordOfRow.size())) return;
    if (services_.message(form3Text(kDeleteCaption), form3Text(kDeleteText), Buttons::YesNo,
                          Icon::Information) != Answer::Yes)
        return;
    const int record = listing_.recordOfRow[static_cast<std::size_t>(row)];
    {
        BusyPointer busy(services_);
        if (reportFailure(deleteMasterRecord(masterPath(), record))) return;
        listFile();
        recordCount_ = static_cast<int>(listing_.rows.size());
        selectedRecord_ = 0;
        modifyMode_ = 0;
    }
    emptyFields();
    edit8_->setFocus();
}

void Form3::BUTTON11_ON() {
    close();
}

Form3* openMasterEditor(Services& services, const std::string& workdir, QWidget* opener,
                        std::function<void()> onClosed, Form3::Guard guard) {
    auto* editor = new Form3(services, workdir, opener);
    if (guard) editor->setGuard(std::move(guard));
    if (onClosed) QObject::connect(editor, &Form3::closed, editor, std::move(onClosed));
    editor->open();
    return editor;
}

} // namespace kl
