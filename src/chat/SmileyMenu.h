#pragma once
// The smiley menu `popup_smilies`: 18 items with the pictures, captions
// ":)#10" .. ":)#27" and tags 10..27 (QAction::data()).
#include <QMenu>

namespace tc::chat {

class SmileyMenu : public QMenu {
    Q_OBJECT
public:
    explicit SmileyMenu(QWidget* parent = nullptr);
    // Text, pictures and margins at the table's scale, the pictures drawn
    // at `pictureScale` pixels per 1x pixel.
    void setTableScale(double scale, double pictureScale);

signals:
    void smileyChosen(int tag);

private:
    class ScaledStyle* style_ = nullptr;
    double pictureScale_ = 1.0;
};

} // namespace tc::chat
