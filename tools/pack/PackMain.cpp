// tilecrest-pack: packs a file into the "WRZL" container, unpacks one, or
// shows a tally file as a table. Exit status 0 on success; on failure the
// reason on stderr, exit status 1, and no output file; a wrong command line
// is named with the usage on stderr, exit status 2.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "PackTexts.h"
#include "net/CommandLine.h"
#include "net/Text.h"
#include "net/Version.h"
#include "store/AtomicFile.h"
#include "store/ELzrw1Exception.h"
#include "store/TallyFile.h"
#include "store/TallyTable.h"
#include "store/Tlzrw1.h"

namespace {

using tc::net::fillText;
using tc::net::translate;

// In the desktop's language, as every text the tool prints for a person.
const char* const kUsage = TC_NOOP("PackMain",
    "Usage: tilecrest-pack pack IN OUT      pack IN into the compressed container OUT\n"
    "       tilecrest-pack unpack IN OUT    unpack the container IN into OUT\n"
    "       tilecrest-pack show TALLYFILE   print a tally file (Ridgeplaytally.tld) as a table\n"
    "       tilecrest-pack --help | --version\n"
    "\n"
    "Exit status 0 on success. On failure the reason goes to stderr, the exit\n"
    "status is 1 and no OUT file is left behind (an existing OUT is kept).\n"
    "A wrong command line is named on stderr with this text, exit status 2.\n");

std::string usage() { return translate("PackMain", kUsage); }

int failed(const std::string& reason) {
    std::fprintf(stderr, "tilecrest-pack: %s\n", reason.c_str());
    return 1;
}

// Display width of UTF-8 text: one column per character.
std::size_t width(const std::string& s) {
    return static_cast<std::size_t>(std::count_if(s.begin(), s.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

std::string padLeft(const std::string& s, std::size_t w) { return std::string(w > width(s) ? w - width(s) : 0, ' ') + s; }
std::string padRight(const std::string& s, std::size_t w) { return s + std::string(w > width(s) ? w - width(s) : 0, ' '); }

int show(const std::string& path) {
    std::string packed;
    const auto status = tc::store::readWholeFile(path, tc::store::TallyFile::kMaxFileBytes, packed);
    if (status == tc::store::ReadStatus::Missing) 
        return failed(fillText(translate("Tlzrw1", "Lzrw1 (de)compression : Failed to open input file : %1"), {path}));
    if (status != tc::store::ReadStatus::Ok) 
        return failed(fillText(translate("Tlzrw1", "Lzrw1 : Error reading from input file : %1"), {path}));
    tc::store::TallyTable t;
    std::string problem;
    if (!tc::store::TallyFile::decode(packed, path, t, problem)) return failed(problem);

    std::fputs(fillText(translate("PackMain", "Your Total Tally\n  Total Games: %1\n  Your Wins: %2\n"
                                              "  Total Times you've Tilecrest: %3\n\n"),
                        {t.cell(1, 0), t.cell(2, 0), t.cell(3, 0)})
                   .c_str(),
               stdout);
    const std::vector<std::string> heads = {
        translate("PackMain", "Player"),        translate("PackMain", "Games"),
        translate("PackMain", "His Wins"),      translate("PackMain", "Your Wins"),
        translate("PackMain", "Neither Won"),   translate("PackMain", "Session Games"),
        translate("PackMain", "His Wins"),      translate("PackMain", "Your Wins"),
        translate("PackMain", "Neither Won")};
    std::vector<std::size_t> w(heads.size());
    for (std::size_t c = 0; c < heads.size(); ++c) {
        w[c] = width(heads[c]);
        for (int r = 1; r < t.rowCount(); ++r) w[c] = std::max(w[c], width(t.cell(static_cast<int>(c), r)));
    }
    auto line = [&](auto cellAt) {
        std::string out;
        for (std::size_t c = 0; c < heads.size(); ++c) {
            if (c > 0) out += "  ";
            out += c == 0 ? padRight(cellAt(c), w[c]) : padLeft(cellAt(c), w[c]);
        }
        while (!out.empty() && out.back() == ' ') out.pop_back();
        std::printf("%s\n", out.c_str());
    };
    line([&](std::size_t c) { return heads[c]; });
    for (int r = 1; r < t.rowCount(); ++r) line([&](std::size_t c) { return t.cell(static_cast<int>(c), r); });
    if (t.rowCount() == 1) std::printf("%s\n", translate("PackMain", "(nobody is being tallied)").c_str());
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    tc::pack::speakDesktopLanguage();
    using Kind = tc::net::OptionRule::Kind;
    const tc::net::CommandLine cl = tc::net::parseCommandLine(std::vector<std::string>(argv + 1, argv + argc),
                                                              {{"--help", Kind::Flag}, {"--version", Kind::Flag}});
    if (!cl.error.empty()) return tc::net::refuseCommandLine("tilecrest-pack", cl.error, usage());
    const std::vector<std::string>& args = cl.words;
    if (cl.has("--help") || cl.has("--version")) {
        if (!args.empty()) return tc::net::refuseCommandLine("tilecrest-pack", translate("PackMain", "--help and --version stand alone"),
                                              usage());
        if (cl.has("--help"))
            std::fputs(usage().c_str(), stdout);
        else
            std::printf("tilecrest-pack %s\n", tc::net::kFullVersion);
        return 0;
    }
    const bool copy = !args.empty() && (args[0] == "pack" || args[0] == "unpack");
    const bool showing = !args.empty() && args[0] == "show";
    std::string wrong;
    if (args.empty())
        wrong = translate("PackMain", "no command given");
    else if (!copy && !showing)
        wrong = fillText(translate("PackMain", "unknown command \"%1\""), {args[0]});
    else if (copy && args.size() != 3)
        wrong = fillText(translate("PackMain", "%1 needs IN and OUT"), {args[0]});
    else if (showing && args.size() != 2)
        wrong = translate("PackMain", "show needs one TALLYFILE");
    if (!wrong.empty()) return tc::net::refuseCommandLine("tilecrest-pack", wrong, usage());
    try {
        if (showing) return show(args[1]);
        tc::store::Tlzrw1 doit;
        doit.InputFile = args[1];
        doit.OutputFile = args[2];
        if (args[0] == "pack")
            doit.Compress();
        else
            doit.Decompress();
        return 0;
    } catch (const tc::store::ELzrw1Exception& e) {
        return failed(e.what());
    }
}
