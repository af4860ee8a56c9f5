#include "app/MainForm.h"

#include "app/Form16.h"
#include "app/Form6.h"
#include "app/StartUp.h"
#include "app/WindowParts.h"
#include "platform/qt/Fonts.h"
#include "text/Text.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <QPushButton>
#include <QRadioButton>

namespace kl {

namespace {

constexpr int kItemListHeight = 532; // COMBO1's drop-down list

QFont screenFont(const char* name, int pixels) { return qtFont(Font{name, double(pixels)}, pixels); }

template <class W> W* place(QWidget* parent, const char* name, int x, int y, int w, int h, int size,
                            const char* fontName = kMincho) {
    auto* widget = new W(parent);
    widget->setObjectName(QString::fromUtf8(name));
    widget->setGeometry(x, y, w, h);
    widget->setFont(screenFont(fontName, size));
    return widget;
}

QPushButton* button(QWidget* parent, const char* name, int x, int y, int w, int h, int size,
                    const char* caption) {
    return commandButton(parent, name, QRect(x, y, w, h), screenFont(kMincho, size), caption);
}

} // namespace

MainForm::MainForm(Services& services, std::string workdir, QWidget* parent)
    : SurfaceWidget("MainForm", QSize(kWidth, kHeight), parent), services_(services), workdir_(std::move(workdir)), options_(workdir_),
      errors_(services, [this] { endProgram(1); }) {
    setWindowTitle("THE KLEPSYDRA");
    setFont(screenFont(kMincho, 16));
    setAcceptDrops(true); // a data file dropped on the window is opened (MainFormDrop.cpp)
    connect(this, &SurfaceWidget::surfaceClicked, this, [this] { guarded([this] { MAINFORM_CLICK(); }); });
    buildControls();
    wireHandlers();
    buildIntervalButton();
    addIndirectButton(this, services_, workdir_ + "/data_f/",
                      [this](const std::function<void()>& h) { guarded(h); });
    errors_.setTableListReaction([this] {
        list2_->clear();
        button3_->setEnabled(false);
    });
}

MainForm::~MainForm() = default;

void MainForm::buildControls() {
    button1_ = button(this, "BUTTON1", 217, 7, 147, 21, 14, "");
    button38_ = button(this, "BUTTON38", 217, 28, 147, 21, 14, "");
    edit1_ = place<QLineEdit>(this, "EDIT1", 371, 7, 413, 42, 16);
    edit1_->setReadOnly(true);
    button18_ = button(this, "BUTTON18", 791, 7, 21, 21, 16, "");
    button10_ = button(this, "BUTTON10", 854, 7, 70, 21, 18, "");
    const int radioX[4] = {854, 889, 924, 959};
    for (int i = 0; i < 4; ++i) {
        std::string name = "RADIO" + std::to_string(i + 1);
        radio_[i] = place<QRadioButton>(this, name.c_str(), radioX[i], 35, i == 3 ? 56 : 35, 21, 13);
    }
    button13_ = button(this, "BUTTON13", 14, 56, 189, 25, 14, "");
    edit2_ = place<QLineEdit>(this, "EDIT2", 14, 84, 189, 25, 18);
    edit2_->setReadOnly(true);
    list1_ = place<QListWidget>(this, "LIST1", 14, 112, 189, 418, 18, kGothic);
    edit14_ = place<QLineEdit>(this, "EDIT14", 14, 539, 70, 24, 20);
    edit14_->setReadOnly(true);
    edit13_ = place<QLineEdit>(this, "EDIT13", 84, 539, 119, 24, 18, kGothic);
    button36_ = button(this, "BUTTON36", 14, 567, 189, 26, 18, "");
    edit15_ = place<QPlainTextEdit>(this, "EDIT15", 14, 602, 189, 54, 11);
    edit15_->document()->setDocumentMargin(1);
    edit15_->setReadOnly(true);
    edit15_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    edit15_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    edit15_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    button39_ = button(this, "BUTTON39", 14, 658, 91, 29, 16, "");
    button37_ = button(this, "BUTTON37", 112, 658, 91, 29, 16, "");
    button35_ = button(this, "BUTTON35", 14, 693, 189, 35, 20, "");
    combo1_ = place<QComboBox>(this, "COMBO1", 364, 518, 189, 28, 22);
    combo1_->setMaxVisibleItems(kItemListHeight / 28);
    for (int i = 0; i < 4; ++i) {
        std::string name = "EDIT" + std::to_string(i + 3);
        edit_[i] = place<QLineEdit>(this, name.c_str(), 364, 553 + 28 * i, 91, 28, 20);
        edit_[i]->installEventFilter(this);
    }
    combo1_->installEventFilter(this);
    button6_ = button(this, "BUTTON6", 217, 693, 49, 35, 18, "");
    button7_ = button(this, "BUTTON7", 266, 693, 126, 35, 18, "");
    button8_ = button(this, "BUTTON8", 392, 693, 161, 35, 18, "");
    button14_ = button(this, "BUTTON14", 525, 63, 21, 21, 16, "");
    button2_ = button(this, "BUTTON2", 560, 56, 252, 28, 18, "");
    check2_ = place<QCheckBox>(this, "CHECK2", 819, 63, 14, 17, 16);
    list2_ = place<QListWidget>(this, "LIST2", 560, 119, 448, 514, 18, kGothic);
    button34_ = button(this, "BUTTON34", 560, 637, 448, 25, 16, "");
    button3_ = button(this, "BUTTON3", 560, 693, 448, 35, 22, "");
    for (QListWidget* list : {list1_, list2_}) {
        list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        list->setUniformItemSizes(true);
        list->setTextElideMode(Qt::ElideNone); // rows end in blanks: clip them, never "..."
    }
    buildDesktopManners();
}

// What a desktop user expects of the controls beyond what the handlers do.
void MainForm::buildDesktopManners() {
    keepPlaceWhenHidden(this);
    fitDropDown(combo1_, kItemListHeight);
    for (QLineEdit* field : {edit_[0], edit_[1], edit_[2], edit13_})
        keepSelectionOnMouseFocus(field);
    // The path, the name, the row number and the instruction can be selected but not tabbed to.
    for (QWidget* shown : std::initializer_list<QWidget*>{edit1_, edit2_, edit14_, edit15_})
        shown->setFocusPolicy(Qt::ClickFocus);
    setToolTips(this, {{"BUTTON10", "基準範囲（Reference Intervals）マスタの編集"},
                       {"BUTTON18", "使い方の説明"},
                       {"BUTTON14", "歪度・尖度の説明"},
                       {"BUTTON2", "度数表を作り直す"},
                       {"BUTTON6", "データ一覧を印刷"},
                       {"BUTTON7", "基礎計算結果を印刷"},
                       {"BUTTON8", "度数表を印刷"}});
}

void MainForm::applyStartCaptions() {
    const std::pair<QAbstractButton*, const char*> captions[] = {
        {button1_, "ファイルを開く"},  {button38_, "名前を付けて保存"},
        {button18_, "？"},             {button10_, "R.I."},
        {button13_, "PASTE(貼り付け)"}, {button36_, "Data入力・新規"},
        {button39_, "選択解除"},       {button37_, "挿  入"},
        {button35_, "計   算"},         {button6_, "DATA"},
        {button7_, "基礎計算結果"},    {button8_, "Frequency table"},
        {button14_, "？"},             {button2_, "Frequency table"},
        {button34_, "度数表( Frequency table )のEXCELへのEXPORT"},
        {button3_, "GRAPH OF HISTOGRAM"},
    };
    for (const auto& [control, caption] : captions) control->setText(QString::fromUtf8(caption));
    edit14_->setText(" Data");
    edit15_->setPlainText(QString::fromUtf8(
        "上記のリストをクリックによって訂正、ダブルクリックで削除。　既存のデータがある場合は、"
        "データの追加も可能です。"));
}

void MainForm::wireHandlers() {
    connect(button1_, &QPushButton::clicked, this, [this] { guarded([this] { BUTTON1_ON(); }); });
    connect(button2_, &QPushButton::clicked, this, [this] { guarded([this] { BUTTON2_ON(); }); });
    connect(button10_, &QPushButton::clicked, this, [this] { guarded([this] { BUTTON10_ON(); }); });
    connect(check2_, &QCheckBox::clicked, this, [this] { guarded([this] { CHECK2_ON(); }); });
    connect(combo1_, &QComboBox::activated, this, [this] { guarded([this] { COMBO1_CHANGE(); }); });
    connect(list2_, &QListWidget::itemClicked, this, [this] { guarded([this] { LIST2_CLICK(); }); });
    wireGraphHandlers();
    wireEntryHandlers();
    for (int i = 0; i < 3; ++i) {
        const int field = i + 3;
        connect(edit_[i], &QLineEdit::textEdited, this,
                [this, field] { guarded([this, field] { EDIT_CHANGE(field); }); });
        // Enter in a parameter field is the line end the change handler waits for.
        connect(edit_[i], &QLineEdit::returnPressed, this, [this, i, field] {
            edit_[i]->setText(edit_[i]->text() + "\r\n");
            guarded([this, field] { EDIT_CHANGE(field); });
        });
    }
    wireReportHandlers();
}

void MainForm::guarded(const std::function<void()>& handler) {
    if (errors_.run(handler) || errors_.ended()) return;
    // The failed handler may have left a long loop half-way: the window must answer again.
    closeProgress();
    busy_ = false;
    setEnabled(true);
}

bool MainForm::MAINFORM_START() {
    state_.tooSmallCount = 0;
    const char* radioCaptions[4] = {"1", "2", "3", "4 桁"};
    for (int i = 0; i < 4; ++i) radio_[i]->setText(QString::fromUtf8(radioCaptions[i]));
    std::optional<std::string> places = options_.read(options::SWIT_SYOU);
    int d = places && !places->empty() ? static_cast<int>(leadingNumber(*places)) : 1;
    if (d < 1 || d > 4) d = 1; // an unreadable option falls back to the default
    state_.data.decimalPlaces = d;
    radio_[d - 1]->setChecked(true);
    state_.refLower.clear();
    state_.refUpper.clear();
    applyStartCaptions();
    list1_->resize(189, 418);
    list2_->resize(448, 514);
    applyState(Workflow::Empty);
    drawFixedElements();
    const bool fold = options_.readNumber(options::HAZURE) > 0;
    check2_->setChecked(fold);
    state_.foldFlag = fold ? "1" : "0";
    return checkInstallFolder(services_, services_.osVersion(), services_.currentFolder());
}

void MainForm::applyState(Workflow workflow) {
    const bool hasData = state_.count() > 0;
    auto enable = [](std::initializer_list<QWidget*> controls, bool on) {
        for (QWidget* c : controls) c->setEnabled(on);
    };
    switch (workflow) {
    case Workflow::Empty:
        enable({combo1_, edit_[0], edit_[1], edit_[2], edit_[3], button2_, button3_}, false);
        if (!hasData) enable({button6_, button7_, button8_}, false);
        break;
    case Workflow::DataAnalysed:
        enable({combo1_, button6_, button7_, button8_}, true);
        if (list2_->count() == 0) button3_->setEnabled(false);
        break;
    case Workflow::ItemChosen:
        enable({edit_[0], edit_[1], edit_[2], edit_[3], button2_}, true);
        break;
    case Workflow::TableBuilt:
        button3_->setEnabled(true);
        break;
    case Workflow::TableStale:
        button3_->setEnabled(false);
        break;
    case Workflow::Unsuitable:
        enable({combo1_, button2_, button3_, button6_, button7_, button8_, edit_[0], edit_[1], edit_[2]},
               false);
        break;
    }
}

void MainForm::FOC() {
    edit13_->clear();
    if (list1_->count() > 0) {
        list1_->clearSelection();
        list1_->setCurrentRow(-1);
    }
    edit14_->setText(" Data");
}

void MainForm::MAINFORM_CLICK() {
    if (list2_->count() > 0) {
        list2_->clearSelection();
        list2_->setCurrentRow(-1);
    }
}

void MainForm::LIST2_CLICK() { FOC(); }

bool MainForm::MAINFORM_QUERYCLOSE() {
    if (busy_) return false;
    Answer a = ask("終了",
                   "プログラムを終了します。\u3000よろしいですか？  \u3000\u3000\u3000     "
                   " ･･････ THE KLEPSYDRA",
                   Buttons::YesNo);
    if (a != Answer::Yes) return false;
    if (savePromptsDue(3) && savePromptsBeforeExit && !savePromptsBeforeExit()) return false;
    services_.pause(30);
    return true;
}

void MainForm::closeEvent(QCloseEvent* event) {
    if (quitting_) {
        event->accept();
        return;
    }
    bool allow = false;
    guarded([&] { allow = MAINFORM_QUERYCLOSE(); });
    if (!allow) {
        event->ignore();
        return;
    }
    quitting_ = true;
    event->accept();
    endProgram(0);
}

bool MainForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == combo1_ && event->type() == QEvent::FocusIn) {
        guarded([this] { COMBO1_SETFOCUS(); });
        return false;
    }
    for (int i = 0; i < 4; ++i) {
        if (watched != edit_[i]) continue;
        const int field = i + 3;
        if (event->type() == QEvent::FocusIn) guarded([this, field] { EDIT_SETFOCUS(field); });
        if (event->type() == QEvent::FocusOut) guarded([this, field] { EDIT_KILLFOCUS(field); });
    }
    return SurfaceWidget::eventFilter(watched, event);
}

void MainForm::BUTTON10_ON() {
    FOC();
    if (masterEditorOpener_) masterEditorOpener_();
}

void MainForm::writeOption(const OptionSpec& optionSpec, const std::string& text) {
    std::string error;
    if (options_.write(optionSpec, text, &error) || optionWriteReported_) return;
    optionWriteReported_ = true;
    say("CAUTION", "設定ファイルを保存できません。作業フォルダを確認して下さい。\r\n" + error);
}

void MainForm::endProgram(int status) {
    if (endProgram_) endProgram_(status);
    else services_.exitProgram(status);
}

void MainForm::say(const std::string& caption, const std::string& text, Buttons buttons, Icon icon) {
    services_.message(caption, text, buttons, icon);
}

Answer MainForm::ask(const std::string& caption, const std::string& text, Buttons buttons) {
    return services_.message(caption, text, buttons, Icon::Question);
}

} // namespace kl
