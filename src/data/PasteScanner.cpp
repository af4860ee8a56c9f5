#include "data/PasteScanner.h"

#include "text/Cp932.h"
#include "text/Text.h"
#include "text/Translate.h"

namespace kl {

namespace {

bool numericByte(char c) {
    return (c >= '0' && c <= '9') || c == '.' || c == '+' || c == '-';
}

Message badData(std::string text) {
    return {"BAD DATA", std::move(text), Buttons::Ok, Icon::Information};
}

// Checks a token as it ends; Ok when it may stay.
PasteStatus checkToken(const std::string& token) {
    if (leadingNumber(token) < -199) return PasteStatus::OutOfRange;
    if (token.size() > 9) return PasteStatus::TooLong;
    return PasteStatus::Ok;
}

PasteResult failed(PasteStatus status, int tokens) {
    PasteResult r;
    r.status = status;
    r.tokens = tokens;
    switch (status) {
    case PasteStatus::NoData:
        r.messages.push_back(pasteNoDataMessage());
        break;
    case PasteStatus::TooFew:
        r.messages.push_back(pasteTooFewMessage());
        break;
    case PasteStatus::OutOfRange:
        r.messages.push_back(pasteRangeMessage());
        break;
    case PasteStatus::TooLong:
        r.messages.push_back(pasteTooLongMessage());
        break;
    case PasteStatus::Cancelled:
        r.messages.push_back(pasteCancelledMessage());
        break;
    case PasteStatus::Ok:
        break;
    }
    return r;
}

// Removes ASCII and full-width blanks at both ends of CP932 bytes, walking whole characters so a
// trail byte 0x40 is never mistaken for half of a full-width blank.
std::string_view trimCp932(std::string_view s) {
    auto leadByte = [](unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); };
    std::size_t first = std::string_view::npos, end = 0;
    for (std::size_t i = 0; i < s.size();) {
        const std::size_t n = leadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size() ? 2 : 1;
        const bool blank = (n == 1 && s[i] == ' ') || (n == 2 && s[i] == '\x81' && s[i + 1] == '\x40');
        if (!blank) {
            if (first == std::string_view::npos) first = i;
            end = i + n;
        }
        i += n;
    }
    if (first == std::string_view::npos) return {};
    return s.substr(first, end - first);
}

} // namespace

int pasteProgressBlocks(long long i, long long length) {
    if (length <= 0) return 0;
    // 5 j < i / L * 100  <=>  j * L < 20 i, in integers.
    int blocks = 0;
    for (long long j = 0; j < 20; ++j)
        if (j * length < 20 * i) ++blocks;
    return blocks;
}

PasteResult scanPasteText(std::string_view utf8Text, const PasteHooks& hooks) {
    return scanPasteBytes(utf8ToCp932(utf8Text), hooks);
}

PasteResult scanPasteBytes(std::string_view cp932Text, const PasteHooks& hooks) {
    const std::string_view text = trimCp932(cp932Text);
    const long long length = static_cast<long long>(text.size());
    auto cancelled = [&] { return hooks.cancelRequested && hooks.cancelRequested(); };

    std::vector<std::string> kept;
    kept.reserve(static_cast<std::size_t>(std::min<long long>(length / 2 + 1, kMaxPastedValues)));
    int tokens = 0;
    int run = 0;
    int blocks = 0;
    bool previousSeparator = true; // position 0 counts as a separator
    std::string token;

    auto endToken = [&]() -> PasteStatus {
        ++tokens;
        const PasteStatus verdict = checkToken(token);
        if (verdict == PasteStatus::Ok && kept.size() < static_cast<std::size_t>(kMaxPastedValues))
            kept.push_back(token);
        token.clear();
        return verdict;
    };

    // The cancel key is looked at whenever the bar gains a block, not at every byte: a look at
    // the keyboard costs far more than scanning a byte.
    long long nextBlockAt = 1;
    for (long long i = 1; i <= length; ++i) {
        if (i == nextBlockAt) {
            blocks = pasteProgressBlocks(i, length);
            if (hooks.showBlocks) hooks.showBlocks(blocks);
            if (cancelled()) return failed(PasteStatus::Cancelled, tokens);
            nextBlockAt = blocks < 20 ? blocks * length / 20 + 1 : length + 1;
        }
        const char c = text[static_cast<std::size_t>(i - 1)];
        if (numericByte(c)) {
            token.push_back(c);
            previousSeparator = false;
        } else {
            ++run;
            if (!previousSeparator) {
                run = 0;
                const PasteStatus verdict = endToken();
                if (verdict != PasteStatus::Ok) return failed(verdict, tokens);
            }
            previousSeparator = true;
        }
        if (run > kMaxSeparatorRun) break;
    }
    if (!token.empty()) {
        const PasteStatus verdict = endToken();
        if (verdict != PasteStatus::Ok) return failed(verdict, tokens);
    }
    if (cancelled()) return failed(PasteStatus::Cancelled, tokens);

    if (tokens < 1) return failed(PasteStatus::NoData, tokens);
    if (tokens < kMinPasteValues) return failed(PasteStatus::TooFew, tokens);
    PasteResult r;
    r.status = PasteStatus::Ok;
    r.tokens = tokens;
    if (tokens > kMaxPastedValues) {
        r.capped = true;
        r.messages.push_back(pasteCapMessage());
    }
    r.values = std::move(kept);
    return r;
}

Message pasteConfirmation() {
    return {translate("PasteScanner", "貼り付け"),
            translate("PasteScanner", "表計算ソフト、TEXT形式のデータなどをドラッグなどによってコ  \r\n"
                                      "ピーし、本アプリケーションに取り込むことができます。        \r\n"
                                      "但し、貼り付け可能なデータの数は１０,０００件までです。     \r\n"
                                      "（ 注：表計算ソフト、TEXT形式のデータの種類によっては貼り   \r\n"
                                      "          付け不可能の場合がありますので、ご注意下さい。)   \r\n"
                                      "コピーしたデータを本アプリケーションに取り込み（貼り付け）  \r\n"
                                      "ますか？      "),
            Buttons::YesNo, Icon::Question};
}

Message pasteNoClipboardMessage() {
    return {"DATA DOES NOT EXIST IN CB",
            translate("PasteScanner", "データがコピーされていません。          "), Buttons::Ok,
            Icon::Information};
}

Message pasteNoDataMessage() {
    return badData(
        translate("PasteScanner",
                  "デ－タが全く選択されていないか、または数値ではない異常デ－タが選択されています。       "
                  "\r\nもう一度デ－タを確認して下さい！ "));
}

Message pasteRangeMessage() {
    return badData(translate(
        "PasteScanner",
        "本ﾌﾟﾛｸﾞﾗﾑで扱える範囲を越えたデ－タが存在しています。もう一度デ－タを確認して下さい！    "));
}

Message pasteTooFewMessage() {
    return badData(
        translate("PasteScanner", "デ－タ数が１０件以下です。もう一度デ－タを確認して下さい！    "));
}

Message pasteTooLongMessage() {
    return badData(translate(
        "PasteScanner", "９桁を越えるデ－タが選択されています。もう一度デ－タを確認して下さい！        "));
}

Message pasteCapMessage() {
    return {"CAUTION",
            translate("PasteScanner",
                      "デ－タ数が10,000件以上です。上位10,000件のみここではデータとして取り込みます。　　　"),
            Buttons::Ok, Icon::Information};
}

Message pasteCancelledMessage() {
    return {
        "CAUTION",
        translate("PasteScanner",
                  "データの貼り付けがキャセルされました。     \r\n全ての処理を最初から行って下さい。    "),
        Buttons::Ok, Icon::Information};
}

} // namespace kl
