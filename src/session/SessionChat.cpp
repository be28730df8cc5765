// The talk: the own typed lines, phrases and chatter sounds, paced so that
// the server relays every one of them, and the quick instructions; the
// others' lines and chatter sounds as relayed, and Rudi's remarks.
#include "session/Session.h"

#include <utility>

#include "chat/ChatterSounds.h"
#include "session/BotChatter.h"
#include "session/SessionDetail.h"
#include "net/Cp1252.h"
#include "net/Fields.h"
#include "net/Message.h"

namespace tc::client {

using detail::kWaiting;
using detail::OutOfRange;
using detail::readInt;

namespace {

// The colour suffix of chat, action and phrase lines.
std::string colourSuffix(net::Colour colour) {
    std::string suffix(1, '|');
    suffix += net::colourToText(colour);
    return suffix;
}

// The player's text as it may travel: every "|" as its look-alike, so the
// text can neither choose the colour nor lose its end at the receivers.
std::string withoutPipes(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c == '|')
            out += kPipeLookAlike;
        else
            out += c;
    }
    return out;
}

// At most kMaxSentTextBytes of `text` as it will travel.
std::string fitText(const std::string& text) {
    std::string wire = net::utf8ToCp1252(withoutPipes(text));
    if (wire.size() <= kMaxSentTextBytes) return net::cp1252ToUtf8(wire);
    wire.resize(kMaxSentTextBytes);
    return net::cp1252ToUtf8(wire);
}

// `text` without its first `count` characters (UTF-8 sequences count as one).
std::string dropChars(const std::string& text, int count) {
    std::size_t pos = 0;
    for (int i = 0; i < count && pos < text.size(); ++i) {
        ++pos;
        while (pos < text.size() && (static_cast<unsigned char>(text[pos]) & 0xC0) == 0x80) ++pos;
    }
    return text.substr(pos);
}

} // namespace

void Session::sendTalk(const std::string& utf8Line) {
    if (!loggedin_) return;
    std::string wire = net::frame(net::utf8ToCp1252(utf8Line));
    // What the server counts: the relayed line, with our name in front.
    const std::size_t counted = wire.size() + net::utf8ToCp1252(myname_).size() + 16;
    if (!pacer_.push(std::move(wire), counted)) return;
    flushTalk();
}

void Session::flushTalk() {
    for (const std::string& bytes : pacer_.due(clock_())) view_.send(bytes);
    const int waiting = static_cast<int>(pacer_.waiting());
    if (waiting > 0 && !paceNoticed_) {
        paceNoticed_ = true;
        post("0+" + translate("Session", "Your lines are sent a few a second so that none is lost; the rest follow shortly."));
    }
    if (waiting == 0) paceNoticed_ = false;
    if (table_.chatWaiting != waiting) {
        table_.chatWaiting = waiting;
        changed();
        publish();
    }
}

bool Session::sendTyped(const std::string& text, net::Colour colour) {
    if (!loggedin_) return false;
    // Full: the text stays in the box, to be sent again in a moment.
    if (pacer_.waiting() >= kMaxWaitingLines) return false;
    if (text.empty()) return true;
    const std::string sender = std::to_string(myseat_);
    const std::string suffix = colourSuffix(colour);
    if (text.front() != '/')
        sendTalk("CMD_chat+" + sender + "+" + fitText(text) + suffix);
    else if (text.rfind("/me", 0) == 0)
        sendTalk("CMD_action+" + sender + "+" + fitText(dropChars(text, 4)) + suffix);
    return true;
}

bool Session::sendPhrase(const std::string& phrase, net::Colour colour) {
    // Unlike the original buttons, nothing is sent before the login: the
    // sender's slot would still be 0.
    if (!phraseready() || !loggedin_ || pacer_.waiting() >= kMaxWaitingLines) return false;
    const std::string sender = std::to_string(myseat_);
    const std::string suffix = colourSuffix(colour);
    // Phrases come from the settings file, which may hold any length.
    if (phrase.rfind("/me ", 0) == 0)
        sendTalk("CMD_action+" + sender + "+" + fitText(phrase.substr(4)) + suffix);
    else
        sendTalk("CMD_action+" + sender + "+ says: " + fitText(phrase) + suffix);
    phraseReadyAt_ = clock_() + kPhraseLockMs;
    return true;
}

void Session::sendChatterSound(int number) {
    if (number < 1 || number > 20 || !loggedin_) return;
    sendTalk("CMD_playasound+" + std::to_string(myseat_) + "+wave" + std::to_string(number) + "+");
}

void Session::quickInstructions() {
    static constexpr const char* kLines[] = {
        "",
        TC_NOOP("Session", "Roll the dice."),
        TC_NOOP("Session", "Select(cover) as many numbers as you want that when added up they equal the sum of the dice."),
        TC_NOOP("Session", "Your turn ends when you roll dice and there are no numbers that you can select to equal the sum."),
        TC_NOOP("Session", "You receive points equal to the sum of the numbers left uncovered."),
        TC_NOOP("Session", "The player with the lowest ROUND SCORE receives a mark."),
        TC_NOOP("Session", "The first player to reach the number of marks selected by the host wins."),
    };
    for (const char* line : kLines) post("0+" + (*line ? translate("Session", line) : std::string()));
}

// ------------------------------------------------------------ relayed

void Session::chat(const std::string& data) {
    chatrecieved(data);
    if (seat(2).caption == "Rudi") klottalk();
}

void Session::action(const std::string& data) { chatrecieved(data); }

void Session::chatrecieved(const std::string& data) {
    std::string line = data;
    net::Colour colour = net::kRed;
    if (const auto bar = data.find('|'); bar != std::string::npos) {
        line = data.substr(0, bar);
        if (!net::textToColour(std::string_view(data).substr(bar + 1), colour)) colour = net::kRed;
    }
    // The pane reads the slot in front of the first "+"; a relayed line
    // always names a connection's slot, never 0 (that would pose as a
    // system line).
    const auto plus = line.find('+');
    if (plus == std::string::npos) throw OutOfRange{};
    const int slot = readInt(std::string_view(line).substr(0, plus), 1, 9);
    if (slot == myseat_) line = line.substr(0, plus + 1) + inSecondPerson(line.substr(plus + 1));
    post(line, colour);
}

std::string Session::inSecondPerson(const std::string& text) const {
    // Only the relay's own heads: the wire is unchanged, the own screen
    // reads "You chat:" where the others read the name.
    // A phrase travels as " says: ..." and the relay puts the name and a
    // space in front, so spaces after the name are skipped.
    if (myname_.empty() || text.rfind(myname_, 0) != 0) return text;
    const std::size_t verb = text.find_first_not_of(' ', myname_.size());
    if (verb == myname_.size() || verb == std::string::npos) return text;
    for (const auto& [third, second] : {std::pair<const char*, const char*>{"chats: ", TC_NOOP("Session", "You chat: ")},
                                        std::pair<const char*, const char*>{"says: ", TC_NOOP("Session", "You say: ")}}) {
        if (text.compare(verb, std::char_traits<char>::length(third), third) == 0)
            return translate("Session", second) + text.substr(verb + std::char_traits<char>::length(third));
    }
    return text;
}

void Session::klottalk() {
    if (seat(2).caption != "Rudi") return;
    for (int n = 3; n <= 6; ++n)
        if (seat(n).caption != kWaiting) return;
    const int index = rng_.draw(kBotRemarkCount);
    post("0+" + fillText(translate("Session", "Rudi the bot says: %1"), {translate("BotChatter", std::string(botRemark(index)).c_str())}));
}

void Session::playasound(const std::string& data) {
    net::FieldReader r(data);
    // The sender's slot names the seat when sounds are shown as text; like
    // every relayed slot it must be a connection's.
    const int slot = readInt(r.positional(), 1, 9);
    const std::string name = r.positional();
    // Only the twenty chatter sounds may be asked for by another player;
    // the game's own sounds ("winner", ...) belong to the table's events.
    if (name.size() < 5 || detail::upperAscii(name.substr(0, 4)) != "WAVE") return;
    readInt(name.substr(4), 1, 20);
    if (chatterSounds_) {
        view_.playSound(name);
        return;
    }
    // A name like "wave012" has no menu item: then there is nothing to
    // show. A spectator is named as his spy-list entry names him, so his
    // sounds read like a seated player's.
    const auto text = chat::chatterSoundText(name);
    if (!text) return;
    std::string who;
    if (slot <= 6) {
        who = seat(slot).caption;
    } else {
        const std::string prefix = std::to_string(slot) + ": ";
        for (const std::string& entry : table_.spyList)
            if (entry.rfind(prefix, 0) == 0) who = entry.substr(prefix.size());
        if (who.empty()) return;
    }
    post("0+" + fillText(translate("Session", "%1: <Chatter Sound> %2"), {who, *text}));
}

} // namespace tc::client
