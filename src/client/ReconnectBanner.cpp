#include "client/ReconnectBanner.h"

#include <QHBoxLayout>
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
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(8, 3, 4, 3);
    label_ = new QLabel(this);
    label_->setObjectName(QStringLiteral("reconnectText"));
    cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
    cancel_->setObjectName(QStringLiteral("reconnectCancel"));
    cancel_->setAccessibleDescription(QStringLiteral("Stop reconnecting and leave the game"));
    row->addWidget(label_, 1);
    row->addWidget(cancel_);
    connect(cancel_, &QPushButton::clicked, this, &ReconnectBanner::cancelled);
    hide();
}

void ReconnectBanner::setText(const QString& text) {
    label_->setText(text);
    label_->setAccessibleName(text);
}

} // namespace tc::client
