#pragma once
// The 18 smiley pictures (17 x 16), indices 0..17, from the packaged
// resources ":/smilies/smiley<N>.png"; a picture that does not load is
// drawn in code instead so the pane never shows a hole.
#include <QImage>

namespace tc::chat {

class SmileyImages {
public:
    static constexpr int kCount = 18;
    static constexpr int kWidth = 17;
    static constexpr int kHeight = 16;

    // Picture `index`; an index outside 0..17 gives picture 0.
    static QImage image(int index);
    // The same picture drawn at `scale` pixels per 1x pixel, with that
    // device pixel ratio (scale 1: image()).
    static QImage image(int index, double scale);
    // Resource path of picture `index`.
    static QString resourcePath(int index);
};

} // namespace tc::chat
