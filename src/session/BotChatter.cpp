#include "session/BotChatter.h"

#include <array>

namespace tc::client {
namespace {

// The texts are the bot's own voice, slips included; do not correct them.
constexpr std::array<std::string_view, kBotRemarkCount> kRemarks = {
    "I need a Pepsi",
    "I'm a bit confused",
    "Want to go to the Park?",
    "Excerise is a good thing.",
    "Tomorrow I'll be better.",
    "I don't think that is a good idea",
    "That is very wise of you",
    "I have played this game alot",
    "Now that's a strange picture!",
    "Where ya going with that hamburger?",
    "What are you going to do with that hairbrush?",
    "Have you seen Zephyrine today?",
    "If you like this game, you should play Quintel!",
    "Who is winning?",
    "Is your telephone ringing?",
    "A Star is born!",
    "That was a good movie.",
    "Who knows..",
    "I wish the kids would quiet down.",
    "I'm feeling lucky tonight.",
    "Will you come and play again sometime?",
    "I'm so happy you are here!",
    "Oh that is so nice of you!",
    "Hey, I found a penny!",
    "Have you ever seen a orange haired lizzard dude?",
    "My leg is on fire.",
};

} // namespace

std::string_view botRemark(int index) {
    if (index < 0 || index >= kBotRemarkCount) return {};
    return kRemarks[static_cast<std::size_t>(index)];
}

} // namespace tc::client
