// The packaged pictures: every one is linked in through tc_assets, loads,
// has the size the table lays out, and keeps the light areas that dark
// text is written on.

#include "TilecrestAssets.h"

#include <QColor>
#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QRect>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

// Image plugins (JPEG) are found through the application object.
QCoreApplication& app()
{
    static int argc = 1;
    static char name[] = "assets_test";
    static char* argv[] = {name, nullptr};
    static QCoreApplication instance(argc, argv);
    return instance;
}

QImage load(const QString& path)
{
    app();
    return QImage(path);
}

double meanLightness(const QImage& image, const QRect& area)
{
    double sum = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            sum += QColor(image.pixel(x, y)).lightnessF();
    return sum / (area.width() * area.height());
}

bool sameFrames(const QImage& strip, int a, int b)
{
    const int w = tcassets::tileFrameSize.width();
    const int h = tcassets::tileFrameSize.height();
    return strip.copy(a * w, 0, w, h) == strip.copy(b * w, 0, w, h);
}

int opaquePixels(const QImage& image, const QRect& area)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += qAlpha(image.pixel(x, y)) == 255 ? 1 : 0;
    return n;
}

} // namespace

TEST(Assets, EveryPictureLoadsAtItsLayoutSize)
{
    std::vector<std::pair<QString, QSize>> expected = {
        {tcassets::board, {717, 555}},       {tcassets::dicePanel, {505, 121}},
        {tcassets::tileRow, {505, 110}},     {tcassets::markOlive, {11, 15}},
        {tcassets::markGreen, {11, 15}},     {tcassets::eyes, {29, 10}},
        {tcassets::turn, {16, 16}},          {tcassets::buttonRoll, {97, 19}},
        {tcassets::buttonStart, {97, 19}},   {tcassets::logo, {170, 40}},
        {tcassets::icon, {64, 64}},          {tcassets::winnerBanner, {473, 41}},
        {tcassets::soloPicture, {240, 150}}, {tcassets::downloadPicture, {180, 120}},
        {tcassets::soundButton, {24, 20}},   {tcassets::downloadBackground, {660, 340}},
    };
    for (int n = 1; n <= 9; ++n)
        expected.push_back({tcassets::phraseButton(n), {24, 20}});
    for (int t = 1; t <= 9; ++t)
        expected.push_back({tcassets::tileStrip(t), {240, 91}});
    for (int f = 1; f <= 6; ++f)
        expected.push_back({tcassets::dieFace(f), {32, 32}});
    for (int i = 0; i < tcassets::smileyCount; ++i)
        expected.push_back({tcassets::smiley(i), {17, 16}});
    for (const auto& [path, size] : expected) {
        ASSERT_TRUE(QFile::exists(path)) << path.toStdString();
        const QImage image = load(path);
        ASSERT_FALSE(image.isNull()) << path.toStdString();
        EXPECT_EQ(image.size(), size) << path.toStdString();
    }
}

TEST(Assets, PathHelpersRefuseNumbersOutOfRange)
{
    EXPECT_EQ(tcassets::tileStrip(1), QStringLiteral(":/images/tile1.png"));
    EXPECT_EQ(tcassets::tileStrip(9), QStringLiteral(":/images/tile9.png"));
    EXPECT_TRUE(tcassets::tileStrip(0).isEmpty());
    EXPECT_TRUE(tcassets::tileStrip(10).isEmpty());
    EXPECT_EQ(tcassets::dieFace(6), QStringLiteral(":/images/dice6.png"));
    EXPECT_TRUE(tcassets::dieFace(0).isEmpty());
    EXPECT_TRUE(tcassets::dieFace(7).isEmpty());
    EXPECT_EQ(tcassets::smiley(0), QStringLiteral(":/smilies/smiley0.png"));
    EXPECT_EQ(tcassets::smiley(17), QStringLiteral(":/smilies/smiley17.png"));
    EXPECT_TRUE(tcassets::smiley(-1).isEmpty());
    EXPECT_TRUE(tcassets::smiley(18).isEmpty());
    EXPECT_EQ(tcassets::phraseButton(9), QStringLiteral(":/images/phrase9.png"));
    EXPECT_TRUE(tcassets::phraseButton(0).isEmpty());
    EXPECT_TRUE(tcassets::phraseButton(10).isEmpty());
}

TEST(Assets, TileStripsAnimateFromOpenToShut)
{
    for (int t = 1; t <= 9; ++t) {
        const QImage strip = load(tcassets::tileStrip(t));
        ASSERT_FALSE(strip.isNull());
        // Each step of the slide shows a new picture.
        for (int f = 1; f < tcassets::tileFrameCount; ++f)
            EXPECT_FALSE(sameFrames(strip, f - 1, f)) << "tile " << t << " frame " << f;
        // Open shows light ivory in the middle of the face, shut shows the dark shutter.
        const QRect faceMiddle(14, 30, 20, 30);
        const double open = meanLightness(strip.copy(0, 0, 48, 91), faceMiddle);
        const double shut = meanLightness(strip.copy(4 * 48, 0, 48, 91), faceMiddle);
        EXPECT_GT(open, shut + 0.25) << "tile " << t;
    }
    // Different numbers give different open faces.
    EXPECT_NE(load(tcassets::tileStrip(1)).copy(0, 0, 48, 91),
              load(tcassets::tileStrip(7)).copy(0, 0, 48, 91));
}

TEST(Assets, TextAreasStayLightForDarkLettering)
{
    // Seat names are written in bold black over the board's seat column, the
    // board panel sitting at (3, 4) in the window.
    const QImage board = load(tcassets::board);
    ASSERT_FALSE(board.isNull());
    EXPECT_GT(meanLightness(board, QRect(10, 33, 170, 254)), 0.78);
    // "Marks needed to win" and "Rounds Played".
    EXPECT_GT(meanLightness(board, QRect(191, 252, 497, 14)), 0.78);
    // The status line in the dice tray.
    const QImage panel = load(tcassets::dicePanel);
    ASSERT_FALSE(panel.isNull());
    EXPECT_GT(meanLightness(panel, QRect(12, 90, 480, 14)), 0.78);
    // The table itself keeps the window's colour on average (145, 124, 87).
    const QRect table(0, 300, 717, 255);
    double r = 0, g = 0, b = 0;
    for (int y = table.top(); y <= table.bottom(); ++y)
        for (int x = table.left(); x <= table.right(); ++x) {
            const QRgb c = board.pixel(x, y);
            r += qRed(c);
            g += qGreen(c);
            b += qBlue(c);
        }
    const double n = table.width() * table.height();
    EXPECT_NEAR(r / n, 145, 6);
    EXPECT_NEAR(g / n, 124, 6);
    EXPECT_NEAR(b / n, 87, 6);
}

TEST(Assets, PiecesAreCutOutButTheBackgroundsAreSolid)
{
    // Pieces laid over other pictures have transparent corners...
    for (const QString& path : {tcassets::dieFace(1), tcassets::smiley(0)}) {
        const QImage image = load(path).convertToFormat(QImage::Format_ARGB32);
        EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0) << path.toStdString();
        EXPECT_GT(opaquePixels(image, image.rect()), image.width() * image.height() / 3)
            << path.toStdString();
    }
    for (const char* path : {tcassets::markOlive, tcassets::eyes, tcassets::turn}) {
        const QImage image = load(path).convertToFormat(QImage::Format_ARGB32);
        EXPECT_EQ(qAlpha(image.pixel(image.width() - 1, image.height() - 1)), 0) << path;
        EXPECT_GT(opaquePixels(image, image.rect()), 8) << path;
    }
    // ...while the tray and the rack fill their rectangles away from the rounded corners.
    for (const char* path : {tcassets::dicePanel, tcassets::tileRow}) {
        const QImage image = load(path).convertToFormat(QImage::Format_ARGB32);
        const QRect inner = image.rect().adjusted(6, 6, -6, -6);
        EXPECT_EQ(opaquePixels(image, inner), inner.width() * inner.height()) << path;
    }
    // Olive and green Marks must be told apart at a glance.
    const QImage olive = load(tcassets::markOlive);
    const QImage green = load(tcassets::markGreen);
    EXPECT_NE(olive, green);
    const QColor o(olive.pixel(6, 5));
    const QColor gr(green.pixel(6, 5));
    EXPECT_GT(std::abs(o.hslHue() - gr.hslHue()), 40);
}
