// Takes screenshots of an X server's root window (a process of its own, not the program drawing
// itself) until the program's main window shows data, and saves the last one as PNG.
//
//   klepsydra_screen_check --out SHOT.png [--timeout SECONDS]
//
// The main window is found by its panel colour RGB(236,233,216), which fills its 1024 x 768
// client area around the controls; it shows data when the data list LIST1 (14,112 189 x 418)
// and the frequency table LIST2 (560,119 448 x 514) hold dark text pixels. Exit status 0 when
// found, 1 when not within the time (the saved picture shows what was there), 2 for bad use.

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QRect>
#include <QScreen>
#include <QThread>

#include <cstdio>
#include <string>

namespace {

constexpr QRgb kPanel = qRgb(236, 233, 216);

struct Look {
    long panelPixels = 0;
    QRect window; // bounds of the panel colour
    int list1Dark = 0, list2Dark = 0;
    bool mainWindow = false, data = false;
};

int darkPixels(const QImage& image, const QRect& area) {
    int n = 0;
    const QRect r = area.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            n += qGray(image.pixel(x, y)) < 96;
    return n;
}

Look look(const QImage& image) {
    Look l;
    int left = image.width(), top = image.height(), right = -1, bottom = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) == (kPanel & 0xFFFFFF)) {
                ++l.panelPixels;
                left = std::min(left, x), right = std::max(right, x);
                top = std::min(top, y), bottom = std::max(bottom, y);
            }
    if (right < 0) return l;
    l.window = QRect(QPoint(left, top), QPoint(right, bottom));
    // A 1024 x 768 area mostly in the panel colour.
    l.mainWindow = l.panelPixels > 1024L * 768 / 4 && std::abs(l.window.width() - 1024) <= 8 &&
                   std::abs(l.window.height() - 768) <= 8;
    const QPoint o = l.window.topLeft();
    l.list1Dark = darkPixels(image, QRect(o + QPoint(16, 114), QSize(185, 414)));
    l.list2Dark = darkPixels(image, QRect(o + QPoint(562, 121), QSize(444, 510)));
    l.data = l.mainWindow && l.list1Dark > 300 && l.list2Dark > 300;
    return l;
}

} // namespace

int main(int argc, char** argv) {
    std::string out;
    double timeout = 20;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string a = argv[i];
        if (a == "--out")
            out = argv[i + 1];
        else if (a == "--timeout")
            timeout = std::stod(argv[i + 1]);
    }
    if (out.empty()) {
        std::fprintf(stderr, "usage: klepsydra_screen_check --out SHOT.png [--timeout SECONDS]\n");
        return 2;
    }
    QGuiApplication app(argc, argv);
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) {
        std::fprintf(stderr, "screen_check: no screen\n");
        return 1;
    }
    QElapsedTimer clock;
    clock.start();
    QImage image;
    Look l;
    do {
        image = screen->grabWindow(0).toImage().convertToFormat(QImage::Format_RGB32); // the root window
        l = look(image);
        if (l.data) break;
        QThread::msleep(500);
    } while (clock.elapsed() < qint64(timeout * 1000));
    if (!image.save(QString::fromStdString(out), "PNG"))
        std::fprintf(stderr, "screen_check: cannot write %s\n", out.c_str());
    std::printf("screen %dx%d, panel colour %ld px in %d,%d %dx%d, dark text px: LIST1 %d, LIST2 %d -> %s\n",
                image.width(), image.height(), l.panelPixels, l.window.x(), l.window.y(), l.window.width(),
                l.window.height(), l.list1Dark, l.list2Dark,
                l.data ? "main window with data"
                       : (l.mainWindow ? "main window without data" : "no main window"));
    return l.data ? 0 : 1;
}
