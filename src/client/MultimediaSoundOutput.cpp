// The sound module (tilecrest-sound.so): the packaged sounds through Qt
// Multimedia's QSoundEffect, one channel. Only this file links Qt
// Multimedia.
#include <map>
#include <memory>

#include <QAudioDevice>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

#include "client/SoundOutput.h"

namespace tc::client {
namespace {

class MultimediaSoundOutput final : public SoundOutput {
public:
    explicit MultimediaSoundOutput(const QStringList& resources)
        : present_(!QMediaDevices::defaultAudioOutput().isNull()) {
        if (!present_) return;
        for (const QString& path : resources) {
            auto effect = std::make_unique<QSoundEffect>();
            effect->setSource(QUrl(QStringLiteral("qrc") + path));
            effects_.emplace(path, std::move(effect));
        }
    }

    bool present() const override { return present_; }

    bool play(const QString& resource) override {
        if (current_) current_->stop();
        current_ = nullptr;
        const auto found = effects_.find(resource);
        if (found == effects_.end()) return false;
        // A sound still loading starts as soon as it has loaded.
        current_ = found->second.get();
        current_->play();
        return true;
    }

private:
    const bool present_;
    std::map<QString, std::unique_ptr<QSoundEffect>> effects_;  // by resource
    QSoundEffect* current_ = nullptr;
};

} // namespace
} // namespace tc::client

extern "C" Q_DECL_EXPORT int tilecrestSoundInterface() { return tc::client::kSoundInterface; }

extern "C" Q_DECL_EXPORT tc::client::SoundOutput* tilecrestMakeSoundOutput(const QStringList& resources) {
    return new tc::client::MultimediaSoundOutput(resources);
}
