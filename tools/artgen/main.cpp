// tilecrest-artgen OUTDIR: draws every picture of the game into
// OUTDIR/images and OUTDIR/smilies, and the desktop icons into
// OUTDIR/icons/hicolor. The output is committed under assets/, so the
// normal build never runs this tool.

#include "art/BoardArt.h"
#include "art/DiceArt.h"
#include "art/ExtraArt.h"
#include "art/Materials.h"
#include "art/SmallArt.h"
#include "art/SmileyArt.h"
#include "art/TileArt.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QString>

#include <cstdio>
#include <functional>
#include <vector>

namespace {

struct Picture {
    QString path;   // relative to OUTDIR
    QSize size;     // the exact size the game relies on
    std::function<QImage()> draw;
};

std::vector<Picture> allPictures()
{
    std::vector<Picture> list;
    for (int n = 1; n <= 9; ++n)
        list.push_back({QStringLiteral("images/tile%1.png").arg(n),
                        QSize(art::tileFrameWidth * art::tileFrames, art::tileFrameHeight),
                        [n] { return art::tileStrip(n); }});
    for (int f = 1; f <= 6; ++f)
        list.push_back({QStringLiteral("images/dice%1.png").arg(f), QSize(32, 32),
                        [f] { return art::dieFace(f); }});
    list.push_back({QStringLiteral("images/mark_olive.png"), QSize(11, 15),
                    [] { return art::markPennant(QColor(140, 134, 30)); }});
    list.push_back({QStringLiteral("images/mark_green.png"), QSize(11, 15),
                    [] { return art::markPennant(QColor(36, 160, 56)); }});
    list.push_back({QStringLiteral("images/eyes.png"), QSize(29, 10), art::watchingEyes});
    list.push_back({QStringLiteral("images/turn.png"), QSize(16, 16), art::turnArrow});
    list.push_back({QStringLiteral("images/button_roll.png"), QSize(97, 19), [] {
                        return art::brassButton(QStringLiteral("Roll Dice"), art::ButtonIcon::Die);
                    }});
    list.push_back({QStringLiteral("images/button_start.png"), QSize(97, 19), [] {
                        return art::brassButton(QStringLiteral("Start Game"),
                                                art::ButtonIcon::Play);
                    }});
    list.push_back({QStringLiteral("images/dicepanel.png"), QSize(505, 121), art::dicePanel});
    list.push_back({QStringLiteral("images/tilerow.png"), QSize(505, 110), art::tileRow});
    list.push_back({QStringLiteral("images/board.jpg"), QSize(717, 555), [] { return art::boardBackground(); }});
    list.push_back({QStringLiteral("images/logo.png"), QSize(170, 40), art::logo});
    list.push_back({QStringLiteral("images/icon.png"), QSize(64, 64), [] { return art::appIcon(64); }});
    for (int size : {48, 128, 256})
        list.push_back({QStringLiteral("icons/hicolor/%1x%1/apps/org.tilecrest.Tilecrest.png").arg(size),
                        QSize(size, size), [size] { return art::appIcon(size); }});
    list.push_back({QStringLiteral("images/banner.png"), QSize(473, 41), art::winnerBanner});
    list.push_back({QStringLiteral("images/solo.jpg"), QSize(240, 150), art::soloPicture});
    list.push_back({QStringLiteral("images/download.jpg"), QSize(180, 120), art::downloadPicture});
    list.push_back({QStringLiteral("images/downloadback.jpg"), QSize(660, 340), art::downloadBackground});
    for (int n = 1; n <= 9; ++n)
        list.push_back({QStringLiteral("images/phrase%1.png").arg(n), QSize(24, 20),
                        [n] { return art::phraseButton(n); }});
    list.push_back({QStringLiteral("images/sounds.png"), QSize(24, 20), art::soundButton});
    for (int i = 0; i < art::smileyCount; ++i)
        list.push_back({QStringLiteral("smilies/smiley%1.png").arg(i), QSize(17, 16),
                        [i] { return art::smiley(i); }});
    return list;
}

bool writePicture(const QDir& out, const Picture& picture)
{
    QImage image = picture.draw();
    if (image.size() != picture.size) {
        std::fprintf(stderr, "%s: drawn %dx%d, expected %dx%d\n", qPrintable(picture.path),
                     image.width(), image.height(), picture.size.width(), picture.size.height());
        return false;
    }
    const QString file = out.filePath(picture.path);
    bool ok = false;
    if (picture.path.endsWith(QLatin1String(".jpg"))) {
        ok = image.convertToFormat(QImage::Format_RGB32).save(file, "JPEG", 92);
    } else {
        ok = image.convertToFormat(QImage::Format_ARGB32).save(file, "PNG", 9);
    }
    if (!ok)
        std::fprintf(stderr, "%s: cannot write\n", qPrintable(file));
    return ok;
}

} // namespace

int main(int argc, char* argv[])
{
    // Text is drawn through the platform's font database, which needs a
    // QGuiApplication; the offscreen platform keeps the tool headless.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: tilecrest-artgen OUTDIR\n");
        return 2;
    }
    QDir out(args.at(1));
    bool made = out.mkpath(QStringLiteral("images")) && out.mkpath(QStringLiteral("smilies"));
    for (int size : {48, 128, 256})
        made = made && out.mkpath(QStringLiteral("icons/hicolor/%1x%1/apps").arg(size));
    if (!made) {
        std::fprintf(stderr, "cannot create folders under %s\n", qPrintable(args.at(1)));
        return 1;
    }
    int failures = 0;
    for (const Picture& picture : allPictures())
        if (!writePicture(out, picture))
            ++failures;
    return failures == 0 ? 0 : 1;
}
