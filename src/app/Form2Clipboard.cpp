// The graph window's clipboard copies: the questions, and form5's composition of the single-graph
// pictures in memory (no intermediate bitmap file).

#include "app/Form2Print.h"

#include "output/ClipboardPictures.h"
#include "platform/qt/QtCanvas.h"
#include "platform/qt/QtConvert.h"
#include "text/Translate.h"

namespace kl {

bool askCopy(Services& services, CopyKind kind) {
    const std::string what =
        kind == CopyKind::WholeWindow ? translate("Form2", "全画面をクリップ・ボードにコピーします。      ")
        : kind == CopyKind::Histogram
            ? translate("Form2", "ヒストグラムのグラフをクリップ・ボードにコピーします。      ")
            : translate("Form2", "正規確率紙のグラフをクリップ・ボードにコピーします。      ");
    return services.message("COPY", what + translate("Form2", "\r\nよろしいですか？"), Buttons::YesNo,
                            Icon::Question) == Answer::Yes;
}

Bitmap histogramPicture(const Bitmap& window, GraphScheme scheme, const std::string& title) {
    QImage image(kHistogramPictureWidth, kHistogramPictureHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    QtCanvas canvas(&image);
    composeHistogramPicture(canvas, window, scheme, title);
    return toBitmap(image);
}

Bitmap plotPicture(const Bitmap& window, GraphScheme scheme, bool interval95) {
    QImage image(kPlotPictureWidth, kPlotPictureHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    QtCanvas canvas(&image);
    composePlotPicture(canvas, window, scheme, interval95);
    return toBitmap(image);
}

} // namespace kl
