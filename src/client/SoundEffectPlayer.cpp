#include "client/SoundEffectPlayer.h"

#include <array>

#include <QApplication>
#include <QAudioDevice>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

#include "client/QuietMultimedia.h"

namespace tc::client {

namespace {

constexpr std::array<const char*, 26> kSounds = {
    "ENTERED", "SLIDE",  "DICE",   "WONPOINT", "NOPOINT", "GAMEOVER", "WAVE1",
    "WAVE2",   "WAVE3",  "WAVE4",  "WAVE5",    "WAVE6",   "WAVE7",    "WAVE8",
    "WAVE9",   "WAVE10", "WAVE11", "WAVE12",   "WAVE13",  "WAVE14",   "WAVE15",
    "WAVE16",  "WAVE17", "WAVE18", "WAVE19",   "WAVE20"};

QString resourcePath(const char* sound) {
    return QStringLiteral(":/sounds/%1.wav").arg(QLatin1String(sound));
}

} // namespace

SoundEffectPlayer::SoundEffectPlayer() = default;

SoundEffectPlayer::~SoundEffectPlayer() = default;

QString SoundEffectPlayer::resourceFor(const QString& name) {
    const QString upper = name.toUpper();
    // The win has no recording of its own; the fanfare that follows it at
    // once is the win's sound, so both names play it.
    if (upper == QLatin1String("WINNER")) return resourcePath("GAMEOVER");
    for (const char* sound : kSounds)
        if (upper == QLatin1String(sound)) return resourcePath(sound);
    return {};
}

bool SoundEffectPlayer::ready() {
    if (audio_ == Audio::Unknown) {
        installQuietMultimedia();
        audio_ = QMediaDevices::defaultAudioOutput().isNull() ? Audio::Absent : Audio::Present;
        if (audio_ == Audio::Present) {
            for (const char* sound : kSounds) {
                const QString path = resourcePath(sound);
                auto effect = std::make_unique<QSoundEffect>();
                effect->setSource(QUrl(QStringLiteral("qrc") + path));
                effects_.emplace(path, std::move(effect));
            }
        }
    }
    return audio_ == Audio::Present;
}

void SoundEffectPlayer::stopCurrent() {
    if (current_) current_->stop();
    current_ = nullptr;
}

void SoundEffectPlayer::play(const std::string& name) {
    if (!ready()) return;
    stopCurrent();
    const auto found = effects_.find(resourceFor(QString::fromStdString(name)));
    if (found == effects_.end()) {
        QApplication::beep();
        return;
    }
    // A sound still loading starts as soon as it has loaded.
    current_ = found->second.get();
    current_->play();
}

} // namespace tc::client
