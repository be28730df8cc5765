#pragma once
// The line over the chat while the connection is being restored: what is
// happening and the time left, with a Cancel button that gives up.
#include <QFrame>

class QLabel;
class QPushButton;

namespace tc::client {

class ReconnectBanner final : public QFrame {
    Q_OBJECT
public:
    explicit ReconnectBanner(QWidget* parent);
    void setText(const QString& text);
    QPushButton* cancelButton() const { return cancel_; }

signals:
    void cancelled();

private:
    QLabel* label_;
    QPushButton* cancel_;
};

} // namespace tc::client
