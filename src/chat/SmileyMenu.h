#pragma once
// The smiley menu `popup_smilies`: 18 items with the pictures, captions
// ":)#10" .. ":)#27" and tags 10..27 (QAction::data()).
#include <QMenu>

namespace tc::chat {

class SmileyMenu : public QMenu {
    Q_OBJECT
public:
    explicit SmileyMenu(QWidget* parent = nullptr);

signals:
    void smileyChosen(int tag);
};

} // namespace tc::chat
