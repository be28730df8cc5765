#include "client/ReconnectBanner.h"

#include <QLabel>
#include <QPushButton>

namespace tc::client {

ReconnectBanner::ReconnectBanner(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("reconnectBanner"));
    setFrameShape(QFrame::Box);
    setAutoFillBackground(true);
    // Dark text on pale yellow: a notice, readable in any theme.
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(255, 244, 196));
    p.setColor(QPalette::WindowText, Qt::black);
    setPalette(p);
    // Placed in the table's 1x units of a 670 x 30 strip, with pixel fonts,
    // so that the table's scaler grows them with the rest of the table.
    QFont font = this->font();
    font.setPixelSize(13);
    label_ = new QLabel(this);
    label_->setObjectName(QStringLiteral("reconnectText"));
    label_->setFont(font);
    label_->setGeometry(8, 0, 570, 30);
    cancel_ = new QPushButton(tr("Cancel"), this);
    cancel_->setObjectName(QStringLiteral("reconnectCancel"));
    cancel_->setFont(font);
    cancel_->setGeometry(584, 3, 80, 24);
    cancel_->setAccessibleDescription(tr("Stop reconnecting and leave the game"));
    connect(cancel_, &QPushButton::clicked, this, &ReconnectBanner::cancelled);
    hide();
}

void ReconnectBanner::setText(const QString& text) {
    label_->setText(text);
    label_->setAccessibleName(text);
}

} // namespace tc::client
