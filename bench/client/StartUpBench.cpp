// startup_bench: the main window made, shown and painted once at the default
// size (the median of eleven, after one for the fonts). Built alike from an
// older tree, it tells what the scaling table costs at start-up.
#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <vector>
#include "client/MainWindow.h"
#include "game/Lcg.h"
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::vector<double> t;
    for (int i = 0; i < 12; ++i) {
        QElapsedTimer timer; timer.start();
        tc::game::Lcg rng(1);
        tc::client::MainWindow w(rng);
        w.show();
        QCoreApplication::processEvents();
        w.centralWidget()->grab();
        if (i > 0) t.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(t.begin(), t.end());
    std::printf("start-up at the default size, median of %zu: %.2f ms\n", t.size(), t[t.size() / 2]);
}
