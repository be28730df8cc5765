#pragma once
// tilecrest-pack's texts in the desktop's language without Qt: the finished
// translations of its contexts in the catalogues (i18n/*.ts), turned into a
// table when the tool is built.
#include <cstddef>

namespace tc::i18n {

struct TableRow {
    const char* language;
    const char* context;
    const char* source;
    const char* translation;
};
extern const TableRow kTable[];
extern const std::size_t kTableSize;

} // namespace tc::i18n

namespace tc::pack {

// Installs the text hooks (net/Text.h) for the desktop's language.
void speakDesktopLanguage();

} // namespace tc::pack
