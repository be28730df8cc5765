// The packaged sounds: all 26 are linked in through tc_assets as short mono
// PCM RIFF WAVs that a plain player can read, audible but not clipped, and
// small together.

#include <QByteArray>
#include <QFile>
#include <QString>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace {

struct Wave {
    int format = 0, channels = 0, rate = 0, byteRate = 0, blockAlign = 0, bits = 0;
    QByteArray data;
};

std::uint32_t le(const QByteArray& b, qsizetype at, int bytes) {
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = v << 8 | static_cast<std::uint8_t>(b[at + i]);
    return v;
}

// Walks the RIFF chunks as a strict reader would: the RIFF size must match
// the file, every chunk must lie inside it, "fmt " must come before "data".
std::optional<Wave> parseWave(const QByteArray& file, std::string& why) {
    if (file.size() < 12 || file.left(4) != "RIFF" || file.mid(8, 4) != "WAVE") {
        why = "not RIFF WAVE";
        return std::nullopt;
    }
    if (le(file, 4, 4) != static_cast<std::uint32_t>(file.size() - 8)) {
        why = "RIFF size does not match the file";
        return std::nullopt;
    }
    Wave w;
    bool haveFmt = false;
    for (qsizetype at = 12; at + 8 <= file.size();) {
        const QByteArray id = file.mid(at, 4);
        const qsizetype size = le(file, at + 4, 4);
        if (size > file.size() - at - 8) {
            why = "chunk " + id.toStdString() + " runs past the end";
            return std::nullopt;
        }
        if (id == "fmt " && size >= 16) {
            w.format = static_cast<int>(le(file, at + 8, 2));
            w.channels = static_cast<int>(le(file, at + 10, 2));
            w.rate = static_cast<int>(le(file, at + 12, 4));
            w.byteRate = static_cast<int>(le(file, at + 16, 4));
            w.blockAlign = static_cast<int>(le(file, at + 20, 2));
            w.bits = static_cast<int>(le(file, at + 22, 2));
            haveFmt = true;
        } else if (id == "data") {
            if (!haveFmt) {
                why = "data before fmt";
                return std::nullopt;
            }
            w.data = file.mid(at + 8, size);
            return w;
        }
        at += 8 + size + (size & 1);
    }
    why = "no data chunk";
    return std::nullopt;
}

std::vector<QString> soundNames() {
    std::vector<QString> names = {"ENTERED", "SLIDE", "DICE", "WONPOINT", "NOPOINT", "GAMEOVER"};
    for (int n = 1; n <= 20; ++n) names.push_back(QStringLiteral("WAVE%1").arg(n));
    return names;
}

} // namespace

TEST(SoundAssets, EverySoundIsAShortMonoPcmWave)
{
    qint64 total = 0;
    for (const QString& name : soundNames()) {
        const std::string label = name.toStdString();
        QFile file(QStringLiteral(":/sounds/%1.wav").arg(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << label;
        const QByteArray bytes = file.readAll();
        total += bytes.size();
        std::string why;
        const std::optional<Wave> w = parseWave(bytes, why);
        ASSERT_TRUE(w) << label << ": " << why;
        EXPECT_EQ(w->format, 1) << label << " is not PCM";
        EXPECT_EQ(w->channels, 1) << label;
        EXPECT_TRUE(w->bits == 8 || w->bits == 16) << label;
        EXPECT_GE(w->rate, 8000) << label;
        EXPECT_EQ(w->blockAlign, w->channels * w->bits / 8) << label;
        EXPECT_EQ(w->byteRate, w->rate * w->blockAlign) << label;
        ASSERT_GT(w->byteRate, 0) << label;
        EXPECT_EQ(w->data.size() % w->blockAlign, 0) << label;
        const double seconds = static_cast<double>(w->data.size()) / w->byteRate;
        EXPECT_GE(seconds, 0.25) << label;
        EXPECT_LE(seconds, 5.0) << label;

        // Audible, and not clipped: the loudest 16-bit sample lies between a
        // quarter of full scale and just below it.
        if (w->bits == 16) {
            int peak = 0;
            for (qsizetype i = 0; i + 1 < w->data.size(); i += 2)
                peak = std::max(peak, std::abs(static_cast<int>(static_cast<std::int16_t>(le(w->data, i, 2)))));
            EXPECT_GE(peak, 32768 / 4) << label;
            EXPECT_LT(peak, 32767) << label;
        }
    }
    EXPECT_LT(total, 1500000);
}
