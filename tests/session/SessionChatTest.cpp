// Relayed chat, the bot's chatter, typed text, phrases and chatter sounds.
#include <gtest/gtest.h>

#include "RecordingView.h"
#include "session/BotChatter.h"

using namespace tc::client;
using namespace tc::client::test;
using Events = std::vector<std::string>;

namespace {
// The remark the session's generator will pick next.
std::string nextRemark(const tc::game::Lcg& rng) {
    tc::game::Lcg probe(rng.seed());
    return "chat[" + kBlue + "] 0+Rudi the bot says: " + std::string(botRemark(probe.draw(kBotRemarkCount)));
}

// Ann alone against the computer player, in the solo set-up.
struct SoloTable : SessionRig {
    SoloTable() {
        host("Ann");
        handle("CMD_newplayerinfo+1+Ann+0");
        handle("CMD_startgame+Ann+5+");
    }
};
} // namespace

TEST(ChatRelay, LineIsCutAtTheFirstBarAndTheColourRead) {
    SessionRig rig;
    rig.join(3, "Ann");
    rig.handle("CMD_existingplayers+1+Bob+0+2+Cid+0");
    EXPECT_EQ(rig.handle("CMD_chat+1+Bob chats: 1+1=2|clGreen"), (Events{"chat[008000] 1+Bob chats: 1+1=2"}));
    EXPECT_EQ(rig.handle("CMD_action+2+Cid waves|$000080FF"), (Events{"chat[0080FF] 2+Cid waves"}));
    EXPECT_EQ(rig.handle("CMD_chat+1+Bob chats: no colour"), (Events{"chat[" + kRedHex + "] 1+Bob chats: no colour"}));
    EXPECT_EQ(rig.handle("CMD_chat+1+Bob chats: a|b|clGreen"), (Events{"chat[" + kRedHex + "] 1+Bob chats: a"}));
    EXPECT_EQ(rig.handle("CMD_chat+1+Bob chats: hi|clnavy"), (Events{"chat[" + kNavyHex + "] 1+Bob chats: hi"}));
    // Received Windows-1252 arrives as UTF-8.
    rig.view.take();
    rig.session.onBytes("CMD_chat+1+Bob chats: caf\xE9 \x80" "5|clBlack\xFF");
    rig.drain();
    EXPECT_EQ(rig.view.take(), (Events{"chat[000000] 1+Bob chats: caf\u00e9 \u20ac5"}));
}

TEST(ChatRelay, LineWithoutAConnectionSlotIsDropped) {
    SoloTable rig;
    // Slot 0 would pose as a system line; the others name no connection.
    for (const char* line : {"CMD_chat+0+Server: all lost|clBlue", "CMD_chat+x+Bob chats: hi|clBlack",
                             "CMD_chat+10+Bob chats: hi|clBlack", "CMD_action+no slot|clBlack", "CMD_chat+|clBlack"})
        EXPECT_TRUE(rig.handle(line).empty()) << line;
}

TEST(BotChatter, RemarksAreExact) {
    EXPECT_EQ(botRemark(0), "I need a Pepsi");
    EXPECT_EQ(botRemark(3), "Excerise is a good thing.");
    EXPECT_EQ(botRemark(7), "I have played this game alot");
    EXPECT_EQ(botRemark(11), "Have you seen Zephyrine today?");
    EXPECT_EQ(botRemark(17), "Who knows..");
    EXPECT_EQ(botRemark(24), "Have you ever seen a orange haired lizzard dude?");
    EXPECT_EQ(botRemark(25), "My leg is on fire.");
    EXPECT_EQ(botRemark(26), "");
    EXPECT_EQ(botRemark(-1), "");
}

TEST(BotChatter, RudiAnswersChatWhileAloneWithOnePerson) {
    SoloTable rig;
    ASSERT_EQ(rig.seat(2).caption, "Rudi");
    for (int i = 0; i < 5; ++i) {
        const std::string remark = nextRemark(rig.rng);
        EXPECT_EQ(rig.handle("CMD_chat+1+Ann chats: hello|clBlack"),
                  (Events{"chat[000000] 1+You chat: hello", remark}));
    }
    // Spectators are not looked at.
    rig.handle("CMD_newplayerinfo+8+Eve+0");
    const std::string remark = nextRemark(rig.rng);
    EXPECT_EQ(rig.handle("CMD_chat+8+Eve chats: hi|clBlack"), (Events{"chat[000000] 8+Eve chats: hi", remark}));
}

TEST(BotChatter, NoRemarkForActionsOrWhenOthersSit) {
    SoloTable rig;
    const std::uint32_t seed = rig.rng.seed();
    EXPECT_EQ(rig.handle("CMD_action+1+Ann waves|clBlack"), (Events{"chat[000000] 1+Ann waves"}));
    for (int n = 3; n <= 6; ++n) {
        SoloTable table;
        table.handle("CMD_newplayerinfo+" + std::to_string(n) + "+Cid+0");
        EXPECT_EQ(table.handle("CMD_chat+1+Ann chats: hi|clBlack"), (Events{"chat[000000] 1+You chat: hi"})) << n;
    }
    EXPECT_EQ(rig.rng.seed(), seed);  // nothing was drawn
}

TEST(BotChatter, OnlySeatTwosCaptionCounts) {
    // A person called Rudi in seat 2 gets the remarks too.
    SessionRig person;
    person.join(1, "Ann");
    person.handle("CMD_existingplayers+2+Rudi+0");
    const std::string remark = nextRemark(person.rng);
    EXPECT_EQ(person.handle("CMD_chat+2+Rudi chats: hi|clBlack"), (Events{"chat[000000] 2+Rudi chats: hi", remark}));

    SessionRig lower;
    lower.join(1, "Ann");
    lower.handle("CMD_existingplayers+2+rudi+0");
    EXPECT_EQ(lower.handle("CMD_chat+1+Ann chats: hi|clBlack"), (Events{"chat[000000] 1+You chat: hi"}));
}

TEST(SendTyped, NothingLeavesBeforeTheLoginAndTheTextStays) {
    SessionRig rig;
    rig.session.processParams({"Ann", "10.0.0.5", "x"});
    rig.view.take();
    EXPECT_FALSE(rig.session.sendTyped("hello", tc::net::kBlack));
    EXPECT_TRUE(rig.view.take().empty());
}

TEST(SendTyped, ChatActionAndSlashLines) {
    SessionRig rig;
    rig.join(3, "Ann");
    const auto black = tc::net::kBlack;
    EXPECT_TRUE(rig.session.sendTyped("", black));
    EXPECT_TRUE(rig.view.take().empty());
    EXPECT_TRUE(rig.session.sendTyped("hello + all", black));
    EXPECT_TRUE(rig.session.sendTyped("/me waves", black));
    EXPECT_TRUE(rig.session.sendTyped("/mewaves", black));
    EXPECT_TRUE(rig.session.sendTyped("/me", black));
    EXPECT_TRUE(rig.session.sendTyped("hi", tc::net::rgb(255, 128, 0)));
    EXPECT_EQ(rig.view.take(), (Events{"send:CMD_chat+3+hello + all|clBlack\xFF", "send:CMD_action+3+waves|clBlack\xFF",
                                       "send:CMD_action+3+aves|clBlack\xFF", "send:CMD_action+3+|clBlack\xFF",
                                       "send:CMD_chat+3+hi|$000080FF\xFF"}));
    EXPECT_TRUE(rig.session.sendTyped("/who", black));
    EXPECT_TRUE(rig.session.sendTyped("/", black));
    EXPECT_TRUE(rig.view.take().empty());
}

TEST(SendTyped, TextTravelsAsWindows1252WithoutATerminatorInside) {
    SessionRig rig;
    rig.join(3, "Ann");
    const auto black = tc::net::kBlack;
    rig.session.sendTyped("caf\u00e9 \u20ac5 \u4e2d \u00ff!", black);
    // "/me" then a two-byte character: four characters go, not four bytes.
    rig.session.sendTyped("/me\u00e9x", black);
    EXPECT_EQ(rig.view.take(),
              (Events{"send:CMD_chat+3+caf\xE9 \x80" "5 ? ?!|clBlack\xFF", "send:CMD_action+3+x|clBlack\xFF"}));

    // A pasted flood would get the sender disconnected: it is cut, counted
    // in bytes as sent ("\u00e9" is one).
    const std::string flood = "\u00e9" + std::string(kMaxSentTextBytes, 'a');
    const std::string cut = "\xE9" + std::string(kMaxSentTextBytes - 1, 'a');
    rig.session.sendTyped(flood, black);
    rig.session.sendTyped("/me " + flood, black);
    rig.session.sendPhrase(flood, black);
    EXPECT_EQ(rig.view.take(), (Events{"send:CMD_chat+3+" + cut + "|clBlack\xFF", "send:CMD_action+3+" + cut + "|clBlack\xFF",
                                       "send:CMD_action+3+ says: " + cut + "|clBlack\xFF"}));
}

TEST(Phrases, SayOrActThenRestForOneAndAHalfSeconds) {
    SessionRig rig;
    std::int64_t now = 1'000'000;
    rig.session.setClock([&] { return now; });
    EXPECT_FALSE(rig.session.sendPhrase("Thanks!", tc::net::kBlack));  // not logged in
    EXPECT_EQ(rig.session.phraseRestMs(), 0);  // a refused phrase starts no rest
    rig.join(3, "Ann");
    EXPECT_TRUE(rig.session.sendPhrase("Thanks!", tc::net::kBlack));
    // What the buttons are greyed for: the whole lock, counting down.
    EXPECT_EQ(rig.session.phraseRestMs(), kPhraseLockMs);
    now += 100;  // a second click a tenth of a second later
    EXPECT_EQ(rig.session.phraseRestMs(), kPhraseLockMs - 100);
    EXPECT_FALSE(rig.session.sendPhrase("Good One!", tc::net::kBlack));
    EXPECT_EQ(rig.view.take(), (Events{"send:CMD_action+3+ says: Thanks!|clBlack\xFF"}));
    // The lock is a time: ticks, however many, do not end it.
    EXPECT_FALSE(rig.session.needsTicks());
    for (int i = 0; i < 1000; ++i) rig.session.tick();
    EXPECT_FALSE(rig.session.phraseready());
    now = 1'000'000 + kPhraseLockMs - 1;
    EXPECT_FALSE(rig.session.sendPhrase("Good One!", tc::net::kBlack));
    EXPECT_EQ(rig.session.phraseRestMs(), 1);
    now += 1;
    EXPECT_TRUE(rig.session.phraseready());
    EXPECT_EQ(rig.session.phraseRestMs(), 0);
    EXPECT_TRUE(rig.session.sendPhrase("/me waves", tc::net::kBlack));
    EXPECT_EQ(rig.view.take(), (Events{"send:CMD_action+3+waves|clBlack\xFF"}));
}

TEST(Phrases, ABarInThePlayersTextNeitherChoosesTheColourNorCutsTheLine) {
    SessionRig rig;
    rig.join(3, "Ann");
    rig.session.sendPhrase("Hello+there|with pipes", tc::net::kBlack);
    rig.session.sendTyped("a|b|clRed", tc::net::kBlack);
    rig.session.sendTyped("/me waves|clRed", tc::net::kBlack);
    EXPECT_EQ(rig.view.take(), (Events{"send:CMD_action+3+ says: Hello+there\xA6with pipes|clBlack\xFF",
                                       "send:CMD_chat+3+a\xA6" "b\xA6" "clRed|clBlack\xFF",
                                       "send:CMD_action+3+waves\xA6" "clRed|clBlack\xFF"}));
    // What comes back is the whole text in the chosen colour.
    rig.handle("CMD_existingplayers+1+Bob+0");
    rig.view.take();
    rig.session.onBytes("CMD_action+1+Bob  says: Hello+there\xA6with pipes|clBlack\xFF");
    rig.drain();
    EXPECT_EQ(rig.view.take(), (Events{"chat[000000] 1+Bob  says: Hello+there\u00a6with pipes"}));
}

TEST(ChatRelay, TheOwnLinesReadInTheSecondPerson) {
    SessionRig rig;
    rig.join(3, "Ann");
    rig.handle("CMD_newplayerinfo+3+Ann+0");
    rig.handle("CMD_existingplayers+1+Bob+0");
    EXPECT_EQ(rig.handle("CMD_chat+3+Ann chats: hi|clBlack"), (Events{"chat[000000] 3+You chat: hi"}));
    // A phrase comes back with the relay's space in front of its own.
    EXPECT_EQ(rig.handle("CMD_action+3+Ann  says: Thanks!|clBlack"), (Events{"chat[000000] 3+You say: Thanks!"}));
    // Others' lines, and own actions, read as they came.
    EXPECT_EQ(rig.handle("CMD_chat+1+Bob chats: Ann chats: hi|clBlack"),
              (Events{"chat[000000] 1+Bob chats: Ann chats: hi"}));
    EXPECT_EQ(rig.handle("CMD_action+3+Ann waves|clBlack"), (Events{"chat[000000] 3+Ann waves"}));
}

TEST(ChatterSounds, RelayedSoundIsPlayedByName) {
    SessionRig rig;
    rig.join(3, "Ann");
    rig.session.setChatterSounds(true);
    EXPECT_EQ(rig.handle("CMD_playasound+1+wave12+"), (Events{"sound:wave12"}));
    EXPECT_TRUE(rig.handle("CMD_playasound+1+wave12").empty());
    EXPECT_TRUE(rig.handle("CMD_playasound+1++").empty());
    EXPECT_TRUE(rig.handle("CMD_playasound+x+wave12+").empty());
    EXPECT_TRUE(rig.handle("CMD_playasound+0+wave12+").empty());
    EXPECT_EQ(rig.handle("CMD_playasound+9+wave20+"), (Events{"sound:wave20"}));
    EXPECT_TRUE(rig.handle("CMD_playasound+10+wave20+").empty());  // no such slot
}

TEST(ChatterSounds, OnlyTheTwentyChatterSoundsMayBeAskedFor) {
    SessionRig rig;
    rig.join(3, "Ann");
    rig.session.setChatterSounds(true);
    EXPECT_EQ(rig.handle("CMD_playasound+2+wave1+"), (Events{"sound:wave1"}));
    EXPECT_EQ(rig.handle("CMD_playasound+2+WAVE20+"), (Events{"sound:WAVE20"}));
    for (const char* bad : {"CMD_playasound+2+winner+", "CMD_playasound+2+gameover+", "CMD_playasound+2+wave0+",
                            "CMD_playasound+2+wave21+", "CMD_playasound+2+wave+", "CMD_playasound+2+wave-1+",
                            "CMD_playasound+2+wavex+"})
        EXPECT_TRUE(rig.handle(bad).empty()) << bad;
}

TEST(ChatterSounds, WithChatterSoundsOffTheSeatReadsThemAsALine) {
    SessionRig rig;
    EXPECT_FALSE(rig.session.chatterSounds());  // the window's built-in state
    rig.join(3, "Ann");
    rig.handle("CMD_existingplayers+1+Bob+0+8+Eve+0");
    rig.handle("CMD_newplayerinfo+3+Ann+0");
    EXPECT_EQ(rig.handle("CMD_playasound+3+wave1+"), (Events{"chat[" + kBlue + "] 0+Ann: <Chatter Sound> Doh"}));
    EXPECT_EQ(rig.handle("CMD_playasound+1+WAVE12+"), (Events{"chat[" + kBlue + "] 0+Bob: <Chatter Sound> Oh No"}));
    // A free seat still has its label.
    EXPECT_EQ(rig.handle("CMD_playasound+5+wave20+"),
              (Events{"chat[" + kBlue + "] 0+<Waiting>: <Chatter Sound> Crying"}));
    // A spectator is named as in the spy list, like a seated player; a
    // spectator slot nobody holds and "wave012" show nothing.
    EXPECT_EQ(rig.handle("CMD_playasound+8+wave1+"), (Events{"chat[" + kBlue + "] 0+Eve: <Chatter Sound> Doh"}));
    EXPECT_TRUE(rig.handle("CMD_playasound+9+wave1+").empty());
    EXPECT_TRUE(rig.handle("CMD_playasound+1+wave012+").empty());
    // Chatter sounds do not depend on Play Sounds.
    rig.session.setPlaySounds(false);
    rig.session.setChatterSounds(true);
    EXPECT_EQ(rig.handle("CMD_playasound+8+wave1+"), (Events{"sound:wave1"}));
}

TEST(ChatterSounds, SendingANumberedSound) {
    SessionRig rig;
    rig.session.sendChatterSound(12);  // not logged in
    rig.join(3, "Ann");
    for (int n : {0, -1, 21}) rig.session.sendChatterSound(n);
    EXPECT_TRUE(rig.view.take().empty());
    rig.session.sendChatterSound(12);
    rig.session.sendChatterSound(1);
    EXPECT_EQ(rig.view.take(), (Events{"send:CMD_playasound+3+wave12+\xFF", "send:CMD_playasound+3+wave1+\xFF"}));
}

TEST(GameSounds, PlaySoundsOffSilencesTheTable) {
    SessionRig rig;
    rig.host("Ann");
    rig.session.setPlaySounds(false);
    EXPECT_EQ(rig.handle("CMD_newplayerinfo+1+Ann+0"),
              (Events{"chat[" + kBlue + "] 0+You are Connected.",
                      "chat[" + kBlue + "] 0+Press Control-I to see Quick Instructions.", "loadSettings"}));
    EXPECT_EQ(rig.handle("CMD_slide+down+3+"), (Events{"tile:3 down 0"}));
    // The own entry again: the settings are not read a second time.
    EXPECT_EQ(rig.handle("CMD_newplayerinfo+1+Ann+0"),
              (Events{"chat[" + kBlue + "] 0+You are Connected.",
                      "chat[" + kBlue + "] 0+Press Control-I to see Quick Instructions."}));
    rig.session.setPlaySounds(true);
    EXPECT_EQ(rig.handle("CMD_slide+up+3+"), (Events{"tile:3 up 4", "sound:slide"}));
}

TEST(QuickInstructions, SevenSystemLinesInOrder) {
    SessionRig rig;
    rig.session.quickInstructions();
    const std::string b = "chat[" + kBlue + "] ";
    EXPECT_EQ(rig.view.take(),
              (Events{b + "0+", b + "0+Roll the dice.",
                      b + "0+Select(cover) as many numbers as you want that when added up they equal the sum of the dice.",
                      b + "0+Your turn ends when you roll dice and there are no numbers that you can select to equal the sum.",
                      b + "0+You receive points equal to the sum of the numbers left uncovered.",
                      b + "0+The player with the lowest ROUND SCORE receives a mark.",
                      b + "0+The first player to reach the number of marks selected by the host wins."}));
}
