#pragma once

#include <QSize>
#include <QString>

// Resource paths of the packaged pictures (link tc_assets to get them).
// Each function returns the ":/..." path of one picture, or an empty string
// for a number outside its range; the sizes are those the table relies on.
namespace tcassets {

inline constexpr int tileFrameCount = 5;
inline constexpr QSize tileFrameSize{48, 91};  // strip is 5 frames wide
inline constexpr QSize dieSize{32, 32};
inline constexpr QSize markSize{11, 15};
inline constexpr QSize smileySize{17, 16};
inline constexpr int smileyCount = 18;

QString tileStrip(int tile);   // tile 1..9: ":/images/tile<tile>.png"
QString dieFace(int face);     // face 1..6: ":/images/dice<face>.png"
QString smiley(int index);     // index 0..17: ":/smilies/smiley<index>.png"
QString phraseButton(int n);   // n 1..9: ":/images/phrase<n>.png", 24 x 20

// The fixed pictures.
inline const char* const board = ":/images/board.jpg";
inline const char* const dicePanel = ":/images/dicepanel.png";
inline const char* const tileRow = ":/images/tilerow.png";
inline const char* const markOlive = ":/images/mark_olive.png";
inline const char* const markGreen = ":/images/mark_green.png";
inline const char* const eyes = ":/images/eyes.png";
inline const char* const turn = ":/images/turn.png";
inline const char* const buttonRoll = ":/images/button_roll.png";
inline const char* const buttonStart = ":/images/button_start.png";
inline const char* const logo = ":/images/logo.png";
inline const char* const icon = ":/images/icon.png";
inline const char* const winnerBanner = ":/images/banner.png";  // 473 x 41
inline const char* const soloPicture = ":/images/solo.jpg";       // 240 x 150
inline const char* const downloadPicture = ":/images/download.jpg";  // 180 x 120
inline const char* const downloadBackground = ":/images/downloadback.jpg";  // 660 x 340
inline const char* const soundButton = ":/images/sounds.png";     // 24 x 20

} // namespace tcassets
