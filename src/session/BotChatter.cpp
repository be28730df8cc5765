#include "session/BotChatter.h"

#include <array>

#include "net/Text.h"

namespace tc::client {
namespace {

// The texts are the bot's own voice, slips included; do not correct them.
// They are shown in the player's language (translated where shown).
constexpr std::array<std::string_view, kBotRemarkCount> kRemarks = {
    TC_NOOP("BotChatter", "I need a Pepsi"),
    TC_NOOP("BotChatter", "I'm a bit confused"),
    TC_NOOP("BotChatter", "Want to go to the Park?"),
    TC_NOOP("BotChatter", "Excerise is a good thing."),
    TC_NOOP("BotChatter", "Tomorrow I'll be better."),
    TC_NOOP("BotChatter", "I don't think that is a good idea"),
    TC_NOOP("BotChatter", "That is very wise of you"),
    TC_NOOP("BotChatter", "I have played this game alot"),
    TC_NOOP("BotChatter", "Now that's a strange picture!"),
    TC_NOOP("BotChatter", "Where ya going with that hamburger?"),
    TC_NOOP("BotChatter", "What are you going to do with that hairbrush?"),
    TC_NOOP("BotChatter", "Have you seen Zephyrine today?"),
    TC_NOOP("BotChatter", "If you like this game, you should play Quintel!"),
    TC_NOOP("BotChatter", "Who is winning?"),
    TC_NOOP("BotChatter", "Is your telephone ringing?"),
    TC_NOOP("BotChatter", "A Star is born!"),
    TC_NOOP("BotChatter", "That was a good movie."),
    TC_NOOP("BotChatter", "Who knows.."),
    TC_NOOP("BotChatter", "I wish the kids would quiet down."),
    TC_NOOP("BotChatter", "I'm feeling lucky tonight."),
    TC_NOOP("BotChatter", "Will you come and play again sometime?"),
    TC_NOOP("BotChatter", "I'm so happy you are here!"),
    TC_NOOP("BotChatter", "Oh that is so nice of you!"),
    TC_NOOP("BotChatter", "Hey, I found a penny!"),
    TC_NOOP("BotChatter", "Have you ever seen a orange haired lizzard dude?"),
    TC_NOOP("BotChatter", "My leg is on fire."),
};

} // namespace

std::string_view botRemark(int index) {
    if (index < 0 || index >= kBotRemarkCount) return {};
    return kRemarks[static_cast<std::size_t>(index)];
}

} // namespace tc::client
