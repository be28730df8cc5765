// table_bench: what scaling the table costs. For the table at 1x, 1.5x, 2x
// and 3x of its 717 x 555 client area it reports
//  - a live-resize frame: the client area has just changed by a pixel, the
//    table is laid out again and painted with the pictures at hand;
//  - a settled frame: the pictures and the table top are drawn for the size;
//  - how long drawing the pictures and the table top for the size took;
// then the start-up (window made, shown and painted once) at the default
// size and at twice the size, and how much of a maximized 2560 x 1440
// window's height the table uses. Runs on the offscreen platform.
// `table_bench [FOLDER]`: the drawings are kept in FOLDER (run twice with the
// same one for the figures of a later start), else in a temporary folder.
#include <QApplication>
#include <QElapsedTimer>
#include <QMenuBar>
#include <QPixmap>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "client/MainWindow.h"
#include "client/TableScaler.h"
#include "game/Lcg.h"
#include "store/StoreLocation.h"

using tc::client::MainWindow;
using tc::client::TableScaler;

namespace {

void settle(TableScaler* scaler) {
    while (!scaler->settled()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    QCoreApplication::processEvents();
}

void setClientSize(MainWindow& w, QSize size) {
    w.resize(size + (w.size() - w.centralWidget()->size()));
    QCoreApplication::processEvents();
}

// Median of `runs` timings of `f`, in milliseconds.
template <typename F>
double medianMs(int runs, F&& f) {
    std::vector<double> t;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        f(i);
        t.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(t.begin(), t.end());
    return t[t.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir temporary;
    tc::store::setStoreFolderOverride(argc > 1 ? QString::fromLocal8Bit(argv[1]) : temporary.path());
    constexpr int kRuns = 15;

    // Start-up: the window made, shown and painted once; at twice the size
    // also until the pictures for it are drawn. Each once, in this order,
    // after one window made and dropped for the fonts and the packaged art.
    auto startUp = [](QSize size, bool waitForArt) {
        QElapsedTimer timer;
        timer.start();
        tc::game::Lcg rng(1);
        MainWindow w(rng);
        if (!size.isEmpty()) w.resize(size + QSize(0, w.menuBar()->sizeHint().height()));
        w.show();
        QCoreApplication::processEvents();
        w.centralWidget()->grab();
        const double first = static_cast<double>(timer.nsecsElapsed()) / 1e6;
        if (waitForArt) settle(TableScaler::of(w.centralWidget()));
        return std::make_pair(first, static_cast<double>(timer.nsecsElapsed()) / 1e6);
    };
    startUp({}, false);
    std::printf("start-up, default size (packaged art only):   %8.1f ms\n", startUp({}, false).first);
    const auto twice = startUp({1434, 1110}, true);
    std::printf("start-up at 2x, first frame (art on its way): %8.1f ms\n", twice.first);
    std::printf("start-up at 2x, until the 2x art is drawn:    %8.1f ms\n", twice.second);
    std::printf("start-up at 2x again, the art drawn before:   %8.1f ms\n", startUp({1434, 1110}, true).second);

    std::printf("\n");
    std::printf("%-6s %-11s %22s %18s %20s\n", "scale", "client", "live-resize frame ms", "settled frame ms",
                "pictures drawn in ms");
    {
        tc::game::Lcg rng(1);
        MainWindow w(rng);
        w.show();
        QCoreApplication::processEvents();
        QWidget* client = w.centralWidget();
        TableScaler* scaler = TableScaler::of(client);
        for (qreal s : {1.0, 1.5, 2.0, 3.0}) {
            const QSize size(static_cast<int>(717 * s), static_cast<int>(555 * s));
            QElapsedTimer drawing;
            drawing.start();
            setClientSize(w, size);
            settle(scaler);
            // The frame is painted into one image, as into a window's backing store.
            QImage frame(size, QImage::Format_ARGB32_Premultiplied);
            const double drawnMs = static_cast<double>(drawing.nsecsElapsed()) / 1e6;
            // A frame of a drag: one pixel wider or back, laid out and painted.
            const double live = medianMs(kRuns, [&](int i) {
                client->resize(size + QSize(i % 2, 0));
                scaler->relayout();
                client->render(&frame);
            });
            client->resize(size);
            scaler->relayout();
            settle(scaler);
            const double still = medianMs(kRuns, [&](int) {
                scaler->relayout();
                client->render(&frame);
            });
            std::printf("%-6.1f %4dx%-6d %22.2f %18.2f %20.0f\n", s, size.width(), size.height(), live, still,
                        drawnMs);
        }
    }

    {
        tc::game::Lcg rng(1);
        MainWindow w(rng);
        w.show();
        QCoreApplication::processEvents();
        // Maximized on 2560 x 1440: the whole screen less the menu bar.
        w.resize(2560, 1440);
        QCoreApplication::processEvents();
        TableScaler* scaler = TableScaler::of(w.centralWidget());
        const int client = w.centralWidget()->height();
        std::printf("\nmaximized 2560x1440: client %dx%d, scale %.3f, table height %d = %.1f%% of the window's height\n",
                    w.centralWidget()->width(), client, scaler->scale(), qRound(555 * scaler->scale()),
                    100.0 * std::min<double>(client, 555 * scaler->scale()) / 1440);
    }
    return 0;
}
