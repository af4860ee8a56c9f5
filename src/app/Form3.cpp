#include "app/Form3.h"

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

const char* const kMissingCaption = "入力モレ";
const char* const kMissingText = "入力モレがあります。確認して下さい。        ";
const char* const kDeleteCaption = "マスタ項目の削除";
const char* const kDeleteText = "選択した項目を削除してよろしいですか ?       ";
const char* const kFileCaption = "CAUTION";
const char* const kUnreadableText = "基準範囲マスタ( data_f/KIJUN.DAT )を読み込めません。";
const char* const kUnwritableText =
    "基準範囲マスタ( data_f/KIJUN.DAT )を保存できません。変更されていません。";

template <class W> W* place(QWidget* parent, const char* name, QRect at, int size, const char* fontName) {
    return placeControl<W>(parent, name, at, qtFont(Font{fontName, double(size)}, size));
}

QPushButton* button(QWidget* parent, const char* name, QRect at, int size, const char* caption) {
    return commandButton(parent, name, at, qtFont(Font{kMincho, double(size)}, size), caption);
}

// LIST3, which says when a key (an arrow, Page Up/Down, Home, End, a letter) moved its current row.
class MasterList : public QListWidget {
  public:
    using QListWidget::QListWidget;
    std::function<void(int)> movedByKey;

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

void Form3::buildControls() {
    // The three fields sit under their column heads, LIST3 under them with its columns aligned.
    edit8_ = place<QLineEdit>(this, "EDIT8", QRect(22, 188, 250, 32), 20, kMincho);
    edit9_ = place<QLineEdit>(this, "EDIT9", QRect(274, 188, 152, 32), 20, kMincho);
    edit10_ = place<QLineEdit>(this, "EDIT10", QRect(428, 188, 173, 32), 20, kMincho);
    button12_ = button(this, "BUTTON12", QRect(616, 186, 170, 36), 20, "登録(新規・修正)");
    auto* list = place<MasterList>(this, "LIST3", QRect(22, 226, 581, 355), 17, kGothic);
    list3_ = list;
    list3_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list3_->setUniformItemSizes(true);
    list3_->setTextElideMode(Qt::ElideNone); // rows end in blanks; an ellipsis would hide nothing
    // Half-width cells of a whole 9 px at size 17, so the columns fall under the head boxes.
    QFont rowFont = list3_->font();
    rowFont.setLetterSpacing(QFont::AbsoluteSpacing, 9.0 - 17.0 / 2);
    list3_->setFont(rowFont);
    button11_ = button(this, "BUTTON11", QRect(616, 545, 170, 36), 22, "戻  る");

    connect(button12_, &QPushButton::clicked, this, [this] { run([this] { BUTTON12_ON(); }); });
    connect(button11_, &QPushButton::clicked, this, [this] { run([this] { BUTTON11_ON(); }); });
    connect(list3_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { run([this, item] { LIST3_CLICK(list3_->row(item)); }); });
    connect(list3_, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { run([this, item] { LIST3_DBLCLICK(list3_->row(item)); }); });
    // Moving the highlight by keyboard puts the editor on that record as a click does; the focus
    // stays in the list so that the keys go on moving it.
    list->movedByKey = [this](int row) {
        run([this, row] {
            LIST3_CLICK(row);
            list3_->setFocus();
        });
    };
}

std::string Form3::masterPath() const {
    return workdir_ + "/" + kReferenceMasterRelative;
}

void Form3::open() {
    placeOver(this, parentWidget());
    showAndStart([this] { FORM3_START(); });
}

void Form3::reliefText(double x, double y, const char* text, double size, int colour, bool bold) {
    kl::reliefText(canvas(), x, y, text, Font{kMincho, size, bold, false}, colour);
}

void Form3::headBox(int x1, int y1, int x2, int y2) {
    sunkenEdges(canvas(), x1, y1, x2, y2, kDarkEdge);
}

void Form3::drawTexts() {
    clearSurface();
    reliefText(10, 10, "( 基準範囲の入力 )", 16, Black, true);
    reliefText(10, 30, "  ヒストグラムの階級幅は、各検査項目の基準範囲幅の約1/10が目安となります。ここで設定",
               14, Black);
    reliefText(10, 50, "  した基準範囲をもとに階級幅を設定しますので必ず入力して下さい。", 14, Black);
    reliefText(10, 70, "  ( 下記のリストボックスをシングルクリックで修正、ダブルクリックで削除できます )", 14,
               Black);
    reliefText(
        10, 90,
        "  * 注 意： 但し、ここにあるデータはこのアプリケーションで既に使用されている可能性があります。", 12,
        Red);
    reliefText(10, 105,
               "            データの追加、修正は問題ありませんが｢削除｣については、十分注意して行って下さい。",
               12, Red);
    reliefText(
        10, 120,
        "            また、項目によっては｢上限値｣の無い場合があります。その際には便宜上、上限値は｢9999｣また",
        12, Red);
    reliefText(10, 135, "            は｢99999｣と入力して下さい。", 12, Red);
    headBox(22, 155, 271, 185);
    headBox(274, 155, 425, 185);
    headBox(428, 155, 600, 185);
    reliefText(111, 162, "項 目 名", 16, Black);
    reliefText(318, 162, "下 限 値", 16, Black);
    reliefText(482, 162, "上 限 値", 16, Black);
    reliefText(22, 615, "* 基準範囲はできうるかぎり一般的に用いられている値と近似したものを入力して下さい。",
               12, Blue);
    reliefText(22, 630,
               "　(一般的な基準範囲と極端にかけ離れている場合、正しいグラフを作成できない場合があります)", 12,
               Blue);
}

void Form3::listFile() {
    list3_->clear();
    listing_ = MasterListing{};
    if (!fileExists(masterPath())) return;
    MasterReadResult read = readMasterRecords(masterPath());
    if (!read.ok) {
        services_.message(kFileCaption, std::string(kUnreadableText) + "\r\n" + read.error, Buttons::Ok,
                          Icon::Information);
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
        services_.message(kMasterRefusalCaption, result.message, Buttons::Ok, Icon::Information);
        return true;
    case MasterEditStatus::ReadFailed:
        services_.message(kFileCaption, std::string(kUnreadableText) + "\r\n" + result.message, Buttons::Ok,
                          Icon::Information);
        return true;
    case MasterEditStatus::WriteFailed:
        services_.message(kFileCaption, std::string(kUnwritableText) + "\r\n" + result.message, Buttons::Ok,
                          Icon::Information);
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
            services_.message(kMissingCaption, kMissingText, Buttons::Ok, Icon::Information);
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
    if (services_.message(kDeleteCaption, kDeleteText, Buttons::YesNo, Icon::Information) != Answer::Yes)
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
