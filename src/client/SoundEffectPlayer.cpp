#include "client/SoundEffectPlayer.h"

#include <array>

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>

#include "client/QuietMultimedia.h"
#include "client/SoundOutput.h"

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

SoundEffectPlayer::SoundEffectPlayer(QString modulePath) : modulePath_(std::move(modulePath)) {}

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

QStringList SoundEffectPlayer::modulePaths() {
    const QDir bin(QCoreApplication::applicationDirPath());
    const QString name = QLatin1String(kSoundModuleName);
    return {bin.filePath(name),
            QDir::cleanPath(bin.filePath(QStringLiteral(TILECREST_SOUND_MODULE_FROM_BIN "/") + name))};
}

bool SoundEffectPlayer::ready() {
    if (audio_ != Audio::Unknown) return audio_ == Audio::Present;
    // Before the module loads, so that its own complaints are caught too.
    installQuietMultimedia();
    audio_ = Audio::NoModule;
    const QStringList paths = modulePath_.isEmpty() ? modulePaths() : QStringList{modulePath_};
    for (const QString& path : paths) {
        if (!QFileInfo::exists(path)) continue;
        // Never unloaded: Qt Multimedia keeps threads of its own.
        QLibrary module(path);
        module.setLoadHints(QLibrary::PreventUnloadHint);
        const auto version = reinterpret_cast<SoundInterface>(module.resolve(kSoundInterfaceSymbol));
        const auto make = reinterpret_cast<MakeSoundOutput>(module.resolve(kMakeSoundOutputSymbol));
        if (!version || !make || version() != kSoundInterface) continue;
        QStringList resources;
        for (const char* sound : kSounds) resources << resourcePath(sound);
        output_.reset(make(resources));
        audio_ = output_ && output_->present() ? Audio::Present : Audio::Absent;
        break;
    }
    return audio_ == Audio::Present;
}

void SoundEffectPlayer::play(const std::string& name) {
    if (!ready()) return;
    if (!output_->play(resourceFor(QString::fromStdString(name)))) QApplication::beep();
}

} // namespace tc::client
