#include "PackTexts.h"

#include <cstring>
#include <string>

#include "net/DesktopLanguage.h"
#include "net/Text.h"

namespace tc::pack {

namespace {

std::string language = "en";

std::string lookUp(const char* context, const char* source) {
    for (std::size_t i = 0; i < i18n::kTableSize; ++i) {
        const i18n::TableRow& row = i18n::kTable[i];
        if (language == row.language && std::strcmp(context, row.context) == 0 &&
            std::strcmp(source, row.source) == 0)
            return row.translation;
    }
    return source;
}

} // namespace

void speakDesktopLanguage() {
    // The languages the table holds.
    std::vector<std::string> spoken;
    for (std::size_t i = 0; i < i18n::kTableSize; ++i)
        if (spoken.empty() || spoken.back() != i18n::kTable[i].language) spoken.push_back(i18n::kTable[i].language);
    language = net::pickLanguage(net::desktopLanguages(), spoken);
    net::setTextHooks({&lookUp, nullptr});
}

} // namespace tc::pack
