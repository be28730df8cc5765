// art_bench: the processor time (of the drawing thread, so other programs'
// load does not count) that drawing the table's picture set and its table
// top takes at pixel scales 1.5, 2 and 3; the best of three. The same
// drawing calls as BoardPictures::draw and BoardPictures::background.
#include <QGuiApplication>

#include <algorithm>
#include <cstdio>
#include <ctime>

#include "art/BoardArt.h"
#include "art/DiceArt.h"
#include "art/Effects.h"
#include "art/SmallArt.h"
#include "art/TileArt.h"

namespace {

double threadCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

void pictureSet() {
    for (int i = 0; i < 9; ++i) art::tileStrip(i + 1);
    for (int i = 0; i < 6; ++i) art::dieFace(i + 1);
    art::markPennant(QColor(140, 134, 30));
    art::markPennant(QColor(36, 160, 56));
    art::watchingEyes();
    art::turnArrow();
    art::brassButton(QStringLiteral("Roll Dice"), art::ButtonIcon::Die);
    art::brassButton(QStringLiteral("Start Game"), art::ButtonIcon::Play);
    art::dicePanel();
    art::tileRow();
    art::winnerBanner();
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    {
        // Fonts and the first-use costs out of the way.
        const art::Resolution once(1.0);
        art::tileStrip(1);
    }
    for (const qreal s : {1.5, 2.0, 3.0}) {
        const art::Resolution resolution(s);
        double set = 1e9, top = 1e9;
        for (int k = 0; k < 3; ++k) {
            const double t0 = threadCpuMs();
            pictureSet();
            const double t1 = threadCpuMs();
            art::boardBackground(QSize(717, 555), QPoint(0, 0));
            const double t2 = threadCpuMs();
            set = std::min(set, t1 - t0);
            top = std::min(top, t2 - t1);
        }
        std::printf("%.1fx  picture set %7.0f ms CPU   table top (717 x 555) %7.0f ms CPU\n", s, set, top);
    }
    return 0;
}
