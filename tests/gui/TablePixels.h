#pragma once
// Pixel checks of the table as the X server shows it: the real window is
// grabbed from the screen (tests/with-xvfb.sh gives each test an X server of
// its own), and its pixels are measured against what the table must look
// like at its scale: no bare window background below the menu bar, the
// parchment and the felt where the scaled table has them, and the table,
// scaled back to 1x, like the 1x reference picture.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include <QGuiApplication>
#include <QImage>
#include <QMainWindow>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QTest>

#include "GuiTestSupport.h"
#include "client/TableScaler.h"

namespace tc::guitest::pixels {

// The bare window background (the palette's window colour): what shows
// where the table's pictures do not reach.
inline constexpr QRgb kBare = 0xFFEFEFEF;
// 1x places, in the client area (the board panel stands at (3, 4)): the
// parchment behind the seats (inside its burnt edge and pins), a stretch
// of felt on the dice tray that nothing stands on, and the rows of the
// table compared with the reference (seats, tray, rack and plaque).
inline const QRect kParchment(4 + 12, 22 + 12, 181 - 24, 271 - 24);
inline const QRect kFelt(3 + 186 + 110, 4 + 8 + 16, 200, 40);
inline const QRect kTableRows(0, 0, 717, 300);
// How far the table scaled back to 1x may be from the reference: the mean
// difference per colour channel (0..255). Text drawn at another size and
// pictures drawn at another resolution differ a little everywhere; a
// picture drawn at the wrong size differs a lot where it stands
// (TablePixels.APictureLeftAt1xFailsTheChecks shows both).
inline constexpr double kTableTolerance = 18.0;
inline constexpr double kMinParchment = 0.85;
inline constexpr double kMinFelt = 0.90;

struct Shot {
    QImage image;     // the window as the X server shows it, in device pixels
    QRect client;     // the client area (below the menu bar) in those pixels
    qreal dpr = 1;    // device pixels per logical pixel
    QPointF origin;   // the table's corner in the client area (logical)
    qreal scale = 1;  // the table's scale

    // A 1x place of the client area, in the image's pixels at the table's scale.
    QRect place(const QRect& r) const {
        const QPointF topLeft = QPointF(client.topLeft()) + (origin + QPointF(r.topLeft()) * scale) * dpr;
        return QRectF(topLeft, QSizeF(r.size()) * scale * dpr).toRect();
    }
};

// The window's pixels on the screen, once its table is settled (`settled`)
// or at once (a live resize).
inline Shot grab(QMainWindow& window, bool settled = true) {
    auto* scaler = client::TableScaler::of(window.centralWidget());
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    if (settled) {
        EXPECT_TRUE(waitUntil([&] { return scaler->settled(); }, 120000));
    }
    // What was painted reaches the X server.
    QCoreApplication::processEvents();
    QTest::qWait(settled ? 150 : 30);
    Shot s;
    s.dpr = window.devicePixelRatioF();
    s.image = window.screen()->grabWindow(window.winId()).toImage().convertToFormat(QImage::Format_RGB32);
    s.image.setDevicePixelRatio(1);
    const QRect c = window.centralWidget()->geometry();
    s.client = QRectF(QPointF(c.topLeft()) * s.dpr, QSizeF(c.size()) * s.dpr).toRect();
    s.origin = scaler->origin();
    s.scale = scaler->scale();
    return s;
}

// Pixels of the bare background from the menu bar's bottom down.
inline int bareBelowMenu(const Shot& s) {
    int bare = 0;
    for (int y = s.client.top(); y < s.image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(s.image.constScanLine(y));
        for (int x = 0; x < s.image.width(); ++x) bare += row[x] == kBare;
    }
    return bare;
}

template <typename Test>
double share(const Shot& s, const QRect& place1x, Test test) {
    const QRect r = s.place(place1x) & s.image.rect();
    if (r.isEmpty()) return 0;
    qint64 hits = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) hits += test(QColor(s.image.pixel(x, y)));
    return double(hits) / (qint64(r.width()) * r.height());
}

// Share of the parchment's place that is parchment (light, warm; the seat
// list's black text is allowed for by the threshold).
inline double parchmentShare(const Shot& s) {
    return share(s, kParchment, [](const QColor& c) {
        return c.red() >= 200 && c.green() >= 175 && c.blue() >= 120 && c.red() > c.blue() + 20;
    });
}

// Share of the felt's place that is green cloth.
inline double feltShare(const Shot& s) {
    return share(s, kFelt, [](const QColor& c) { return c.green() > c.red() + 25 && c.green() > c.blue() + 10; });
}

// The table's rows scaled back to 1x against the same rows of `reference`
// (a 1x client area), both seen at a third of 1x, so text and edges that
// land a pixel apart at another scale count little and a picture of the
// wrong size (a whole tray, a sheet, a row of tiles where another is) a
// lot: the mean difference per channel (0..255) in the block of the table
// (a 16th of it across, a 5th down) where the two differ most.
inline double tableDifference(const Shot& s, const QImage& reference) {
    const QSize small = kTableRows.size() / 3;
    const QImage table = s.image.copy(s.place(kTableRows))
                             .scaled(small, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                             .convertToFormat(QImage::Format_RGB32);
    const QImage ref = reference.copy(kTableRows)
                           .scaled(small, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                           .convertToFormat(QImage::Format_RGB32);
    if (qEnvironmentVariableIsSet("TILECREST_PIXELS_DUMP")) {
        static int n = 0;
        table.save(QStringLiteral("%1/table-%2.png").arg(qEnvironmentVariable("TILECREST_PIXELS_DUMP")).arg(n++));
    }
    constexpr int kAcross = 16, kDown = 5;
    double worst = 0;
    for (int by = 0; by < kDown; ++by)
        for (int bx = 0; bx < kAcross; ++bx) {
            const int x0 = small.width() * bx / kAcross, x1 = small.width() * (bx + 1) / kAcross;
            const int y0 = small.height() * by / kDown, y1 = small.height() * (by + 1) / kDown;
            qint64 sum = 0;
            for (int y = y0; y < y1; ++y)
                for (int x = x0; x < x1; ++x) {
                    const QRgb a = table.pixel(x, y);
                    const QRgb b = ref.pixel(x, y);
                    sum += std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
                           std::abs(qBlue(a) - qBlue(b));
                }
            worst = std::max(worst, double(sum) / (3.0 * (x1 - x0) * (y1 - y0)));
        }
    return worst;
}

// Every check on one shot; `what` names it in failures.
inline void expectAllTable(const Shot& s, const QImage& reference, const char* what) {
    std::printf("[ pixels   ] %s: scale %.3f, bare %d, parchment %.3f, felt %.3f, difference %.2f\n", what, s.scale,
                bareBelowMenu(s), parchmentShare(s), feltShare(s), tableDifference(s, reference));
    EXPECT_EQ(bareBelowMenu(s), 0) << what;
    EXPECT_GE(parchmentShare(s), kMinParchment) << what;
    EXPECT_GE(feltShare(s), kMinFelt) << what;
    EXPECT_LE(tableDifference(s, reference), kTableTolerance) << what;
}

} // namespace tc::guitest::pixels
