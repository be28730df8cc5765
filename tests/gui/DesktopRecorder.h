#pragma once
// Stands in for the desktop: records what the windows would have opened,
// started and said, and opens or starts nothing.
#include <QStringList>
#include <QUrl>

#include "windows/Desktop.h"

namespace tc::guitest {

class DesktopRecorder : public windows::Desktop {
public:
    bool openUrl(const QUrl& url) override {
        opened << url;
        return opens;
    }
    bool startProgram(const QString& path) override {
        started << path;
        return true;
    }
    void showMessage(QWidget*, const QString& text) override { messages << text; }

    bool opens = true;
    QList<QUrl> opened;
    QStringList started;
    QStringList messages;
};

} // namespace tc::guitest
