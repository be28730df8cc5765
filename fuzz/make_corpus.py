#!/usr/bin/env python3
"""Writes the seed corpora of the fuzz targets into fuzz/corpus/<target>/.

Each seed is built from real protocol lines (docs/protocol.md) in the
operation encoding of its target (see the comment at the top of each
*Fuzz.cpp). Run it again after changing an encoding.
"""
import pathlib

HERE = pathlib.Path(__file__).resolve().parent
FF = b"\xff"


def line(text):
    return text.encode("cp1252") + FF


def chunk(data):
    assert len(data) < 256
    return bytes([len(data)]) + data


# --- server_bytes -----------------------------------------------------------
def s_connect():
    return b"\x00"


def s_bytes(k, data):
    # longer data as several reads; a length byte of 0xF0 and up would ask for a run
    return b"".join(b"\x01" + bytes([k]) + chunk(data[at:at + 0xEF]) for at in range(0, max(1, len(data)), 0xEF))


def s_close(k):
    return b"\x02" + bytes([k])


def s_ticks(n):
    return b"\x03" + bytes([n - 1])


def s_login(k, name, right_version=True):
    return b"\x04" + bytes([k, 1 if right_version else 0]) + chunk(name.encode("cp1252"))


def s_request(k, kind, *args):
    return b"\x05" + bytes([k, kind]) + b"".join(args)


def s_move(mask=0):
    return b"\x06" + bytes([mask])


def s_settle():
    return b"\x07"


def s_kept(kind, *args):
    """A kept-seat operation (operation byte 0xE0 and up)."""
    return b"\xe0" + bytes([kind]) + b"".join(args)


OWN = b"\x00"  # a slot choice naming the sender's own slot


def s_keyack(k, slot=OWN):
    return s_kept(0, bytes([k]), slot)


def s_leaving(k, slot=OWN):
    return s_kept(1, bytes([k]), slot)


def s_reclaim(k, key, slot=OWN):
    # key: a key choice byte (seat % 8, kind << 5), and a chunk for kind 7
    return s_kept(2, b"\x00", bytes([k]), slot, key)


def s_giveup(k, key, slot=OWN):
    return s_kept(3, b"\x01", bytes([k]), slot, key)


def s_letbackin(k, slot=OWN):
    return s_kept(4, bytes([k]), slot)


def s_output(k, level, taken):
    return s_kept(5, bytes([k, level, taken]))


def s_jump(seconds):
    return s_kept(6, bytes([seconds]))


def s_built(k, keyword, *fields, trailing=True):
    return s_kept(7, bytes([k, keyword, len(fields) | (0x80 if trailing else 0)]) + b"".join(fields))


def key_of(seat, spoil=0):
    """Key choice: 0 as sent, 3 a digit changed, 4 cut short, 5 one too long, 6 all zeros."""
    return bytes([(spoil << 5) | seat])


SEED = b"\x00\x00\x30\x39"
# Bob hosts, Ann sits at seat 2 and says she knows keys, a game runs, and
# Ann's connection drops: her seat is kept.
ann_drops = (SEED + s_connect() + s_login(0, "Bob") + s_connect() + s_login(1, "Ann") + s_keyack(1)
             + s_connect() + s_login(2, "Cid") + s_keyack(2)
             + s_bytes(0, line("CMD_startgame+Bob+3+")) + s_settle() + s_close(1))

# Every other slot held too: a newcomer is asked for a key.
full_table = ann_drops + b"".join(s_connect() + s_login(k, "P%d" % k) for k in range(3, 9))

server = {
    "join_and_chat": SEED + s_connect() + s_bytes(0, line("CMD_logininfo+1+1.0.3+Bob"))
    + s_connect() + s_bytes(1, line("CMD_logininfo+2+1.0.3+Ann") + FF)
    + s_bytes(0, line("CMD_chat+1+hello :)#12 www.example.com|clRed"))
    + s_bytes(1, line("CMD_action+2+waves|$00FF00FF"))
    + s_bytes(1, line("CMD_playasound+2+wave3+")),
    "whole_game": SEED + s_connect() + s_login(0, "Bob") + s_connect() + s_login(1, "Cid")
    + s_bytes(0, line("CMD_startgame+Bob+3+"))
    + (s_move(0) + s_settle() + s_ticks(3)) * 40,
    "kick_and_watch": SEED + s_connect() + s_login(0, "Bob") + s_connect() + s_login(1, "Ann")
    + s_connect() + s_login(2, "Spy") + s_bytes(0, line("CMD_startgame+Bob+5+"))
    + s_bytes(0, line("CMD_justwatch+2+1")) + s_settle()
    + s_bytes(0, line("CMD_kickhim+1+2+")) + s_move(0) + s_close(2) + s_settle(),
    "slides_and_refusals": SEED + s_connect() + s_login(0, "Bob")
    + s_bytes(0, line("CMD_startgame+Bob+4+")) + s_settle()
    + s_bytes(0, line("CMD_slide+1+down+4+") + line("CMD_slide+1+up+4+"))
    + s_bytes(0, line("CMD_closethem+1+4+4") + line("CMD_closethem+1+x") + line("CMD_closethem+1+"))
    + s_move(0x18) + s_move(0),
    "full_house": SEED + (s_connect() * 10) + s_login(9, "Late") + s_close(3) + s_connect()
    + s_request(4, 2, b"\x05") + s_bytes(0, b"A" * 200) + s_bytes(0, line("CMD_kickhim+1+4+")),
    "wrong_version": SEED + s_connect() + s_login(0, "Bob") + s_connect() + s_login(1, "Old", False)
    + s_bytes(1, line("CMD_logininfo+2+1.0.3+Again")),
    "split_reads": SEED + s_connect() + s_bytes(0, b"CMD_logi") + s_bytes(0, b"ninfo+1+1.0.3+B")
    + s_bytes(0, b"ob" + FF + b"CMD_startgame+Bob+") + s_bytes(0, b"3+" + FF) + s_settle() + s_move(0),
    "kept_seat_taken_back": ann_drops + s_connect() + s_reclaim(3, key_of(2)) + s_settle()
    + (s_move(0) + s_settle() + s_ticks(3)) * 6,
    "kept_seat_wrong_keys": ann_drops + s_connect()
    + s_reclaim(3, key_of(2, 3)) + s_reclaim(3, key_of(2, 4)) + s_reclaim(3, key_of(2, 5))
    + s_reclaim(3, key_of(2, 6)) + s_reclaim(3, bytes([0xE2]) + chunk(b"not a key"))
    + s_reclaim(3, key_of(2), b"\x87") + s_reclaim(0, key_of(2)) + s_reclaim(2, key_of(3))
    + s_connect() + s_reclaim(4, key_of(2)),
    "kept_seat_given_up": ann_drops + s_connect() + s_giveup(3, key_of(2, 3)) + s_giveup(3, key_of(2), b"\x82")
    + s_giveup(0, key_of(2)) + s_giveup(3, key_of(2)) + s_settle() + s_move(0),
    "kept_seat_runs_out": ann_drops + s_ticks(8) + s_jump(60) + s_settle() + s_jump(70) + s_settle()
    + s_connect() + s_reclaim(3, key_of(2)),
    "kept_seat_on_turn": ann_drops + s_close(2) + s_move(0) + s_settle() + s_ticks(8) * 4
    + s_connect() + s_reclaim(4, key_of(3)) + s_connect() + s_reclaim(5, key_of(2)) + s_move(0),
    "leaving_on_purpose": ann_drops[:-2] + s_leaving(1, b"\x83") + s_leaving(1) + s_close(1)
    + s_leaving(2) + s_close(2) + s_connect() + s_reclaim(3, key_of(2)),
    "host_removes_kept": ann_drops + s_request(0, 2, b"\x02") + s_connect() + s_login(3, "ann")
    + s_letbackin(1) + s_letbackin(0, b"\x81") + s_letbackin(0) + s_connect() + s_login(4, "ANN"),
    "stalled_output": SEED + s_connect() + s_login(0, "Bob") + s_connect() + s_login(1, "Ann")
    + s_connect() + s_output(0, 1, 0) + s_jump(5) + s_output(0, 1, 1) + s_jump(5) + s_output(1, 1, 0)
    + s_jump(11) + s_output(0, 2, 0) + s_bytes(0, line("CMD_chat+1+hi|clRed")) + s_jump(16),
    "addresses_and_shutdown": SEED + s_kept(9) + s_kept(8, b"\x00") + s_login(0, "Bob") + s_kept(8, b"\x01")
    + s_login(1, "Ann") + s_keyack(1) + s_kept(8, b"\x02") + s_login(2, "Cid") + s_kept(11, b"\x01")
    + s_bytes(0, line("CMD_startgame+Bob+3+")) + (s_move(0) + s_settle()) * 12 + s_request(0, 2, b"\x02")
    + s_connect() + s_kept(12, b"\x00") + s_ticks(8) * 3 + s_kept(12, b"\x06") + s_ticks(2) + s_kept(11, b"\x00")
    + s_kept(10),
    # A kept seat at an otherwise full table: the newcomer is asked for a key.
    # Six more log in, so every slot is held by a logged-in player or a kept seat.
    "full_table_kept": ann_drops + b"".join(s_connect() + s_login(k, "P%d" % k) for k in range(3, 9))
    + s_connect() + s_reclaim(9, key_of(2, 3), b"\x84")
    + s_connect() + s_bytes(10, b"x" * 200) + s_jump(3)
    + s_connect() + s_bytes(11, line("CMD_chat+0+not a key|clRed"))
    + s_connect() + s_bytes(12, b"y" * 200) * 6
    + s_connect() + s_bytes(13, FF + line("CMD_giveup+1+x+")) + s_connect() + s_built(14, 2, b"\x00", b"\xc0")
    + s_kept(8, b"\x03") * 5 + s_kept(8, b"\x00") * 4 + s_kept(8, b"\x02") * 4 + s_kept(8, b"\x07") * 4
    + s_kept(8, b"\x04") * 2 + s_ticks(2)
    + s_connect() + s_reclaim(34, key_of(2), b"\x84") + s_bytes(34, line("CMD_chat+2+back|clRed"))
    + s_keyack(34) + s_close(34)
    + s_connect() + s_bytes(35, line("CMD_reclaim+0+" + "0" * 64 + "+") + line("CMD_chat+2+x|clRed"))
    + s_connect() + s_giveup(36, key_of(2), b"\x84")
    + s_connect() + s_reclaim(37, key_of(2), b"\x84") + s_connect() + s_jump(3) + s_connect()
    + s_bytes(39, b"x" * 200) + s_connect() + s_built(40, 2, b"\x00", b"\xc0") + s_login(37, "Q") + s_connect(),
    # The right key at a full table with the seat's first lines in the same
    # read: a line cut at the read's end, and a run past the waiting bound.
    "full_table_key_and_more": full_table + s_connect()
    + s_kept(13, b"\x09\x84", key_of(2), chunk(line("CMD_chat+2+back again|clRed") + line("CMD_action+2+waves|clRed")
                                                 + b"CMD_chat+2+cut"))
    + s_bytes(9, b" in two|clRed" + FF) + s_move(0) + s_close(9)
    + s_connect() + s_kept(13, b"\x0a\x84", key_of(2), b"\xf5\x80x") + s_bytes(10, FF + line("CMD_chat+2+still in|clRed")),
    "requests_from_the_wrong_slot": ann_drops + s_connect() * 5 + s_login(7, "Spy") + s_close(7)
    + s_bytes(2, line("CMD_chat+2+not mine|clRed") + line("CMD_action+1+nor this") + line("CMD_playasound+9+wave1+")
              + line("CMD_justwatch+3+3") + line("CMD_justwatch+3+1") + line("CMD_justwatch+3+2")
              + line("CMD_slide+3+up+0+") + line("CMD_slide+2+up+4+"))
    + s_bytes(0, line("CMD_kickhim+1+0+") + line("CMD_kickhim+1+12+") + line("CMD_kickhim+2+3+")
              + line("CMD_chat+1+" + "w" * 200 + "|clRed"))
    + s_bytes(0, line("CMD_chat+1+x|clRed") * 12) + s_ticks(8) * 2 + s_bytes(0, line("CMD_chat+1+y|clRed") * 12),
    "strangers_from_many_places": SEED + s_connect() + s_login(0, "Bob")
    + b"".join(s_kept(8, bytes([a])) for a in (4, 5, 4, 6, 6, 7, 0, 1, 4, 5, 6, 7, 4))
    + s_ticks(8) * 2 + b"".join(s_kept(8, bytes([a])) for a in (4, 6, 7, 0)),
    "built_requests": ann_drops + s_connect()
    + s_built(3, 0, b"\x01") + s_built(3, 2, b"\x07", b"\xc0") + s_built(3, 2, b"\x07", b"\x0a")
    + s_built(3, 3, b"\x07", b"\xe0" + chunk(b"zz")) + s_built(0, 4, b"\x01") + s_built(0, 1, b"\x09")
    + s_built(3, 5, b"\x07", b"\x0c", b"\xe0" + chunk(b"Eve")),
}

# --- session_bytes ----------------------------------------------------------
def c_bytes(data):
    # longer data as several reads
    return b"".join(b"\x00" + chunk(data[at:at + 255]) for at in range(0, max(1, len(data)), 255))


def c_ticks():
    return b"\x01"


def c_tile(n):
    return b"\x02" + bytes([n])


def c_roll():
    return b"\x03"


def c_typed(text, colour=0x0000FF):
    return b"\x04" + colour.to_bytes(4, "big") + chunk(text.encode("utf-8"))


def c_other(kind, *args):
    return b"\x05" + bytes([kind]) + b"".join(args)


def c_trickle(data):
    return b"\x06" + chunk(data)


def c_stepped(data):
    return b"\x07" + chunk(data)


def c_message(keyword, *picks, trailing=False):
    # keyword: index into kKeywords; picks: indexes into kNumbers (< 0xC0)
    return b"\x08" + bytes([keyword, len(picks) | (0x80 if trailing else 0)]) + bytes(picks)


def c_ext(kind, *args):
    """An extension operation (operation byte 0xE0 and up)."""
    return b"\xe0" + bytes([kind]) + b"".join(args)


def c_join(name, *chunks):
    return c_ext(0, chunk(name.encode("utf-8")), bytes([len(chunks) - 1]), *[chunk(c) for c in chunks])


def c_come_back(*chunks, give_up=False):
    return c_ext(1, bytes([1 if give_up else 0]), bytes([len(chunks) - 1]), *[chunk(c) for c in chunks])


def c_leave():
    return c_ext(2)


def c_built(keyword, *picks, trailing=True):
    # keyword: index into kHoldKeywords; picks: indexes into kHoldFields (< 0xC0)
    return c_ext(3, bytes([keyword, len(picks) | (0x80 if trailing else 0)]), bytes(picks))


HOST, JOIN = b"\x01", b"\x00"
KEY = "0123456789abcdef" * 4
seat3 = (JOIN + c_bytes(line("CMD_sendlogininfo+3") + line("CMD_newplayerinfo+3+Fuzzy+0")
                        + line("CMD_existingplayers+1+Bob+0+2+Ann+0") + line("CMD_seatkey+" + KEY + "+120+"))
         + c_ticks() + c_bytes(line("CMD_startgame+Bob+5+") + line("CMD_nextplayer+1") + line("CMD_placedice+1+4+2+5+"))
         + c_ticks())
back_lines = (line("CMD_yourseat+3+") + line("CMD_existingplayers+1+Bob+0+2+Ann+1")
              + line("CMD_gamestats+1+4+2+5+") + line("CMD_updatescores+1+3+1+2+0+0+3+7+2+4+0+0+5+0+0+6+0+0")
              + line("CMD_away+2+95+") + line("CMD_shuttiles+000110000+"))
login = c_bytes(line("CMD_sendlogininfo+1") + line("CMD_newplayerinfo+1+Fuzzy+0")) + c_ticks()
session = {
    "login_and_chat": HOST + login
    + c_bytes(line("CMD_chat+1+Fuzzy chats: hi :)#12|clRed") + line("CMD_action+1+Fuzzy waves|$00FF0000"))
    + c_ticks() + c_typed("hello") + c_typed("/me dances") + c_other(6, chunk(b"Nice roll!"), b"\0\0\0\0"),
    "my_turn": HOST + login
    + c_bytes(line("CMD_existingplayers+2+Ann+1+7+Spy+0") + line("CMD_startgame+Fuzzy+5+")
              + line("CMD_nextplayer+1") + line("CMD_placedice+1+4+2+5+"))
    + c_ticks() + c_tile(4) + c_tile(5) + c_roll()
    + c_stepped(line("CMD_closeit+4+5") + line("CMD_placedice+1+6+2+6+"))
    + c_tile(3) + c_tile(9) + c_roll()
    + c_bytes(line("CMD_notvalid+1+1+") + line("CMD_notvalid+1+2+") + line("CMD_scores+1+6+6+")) + c_ticks(),
    "round_and_winner": JOIN
    + c_bytes(line("CMD_sendlogininfo+3") + line("CMD_newplayerinfo+3+Fuzzy+0")
              + line("CMD_gamestats+1+4+6+3+")
              + line("CMD_updatescores+1+0+0+2+0+0+3+0+0+4+0+0+5+0+0+6+0+0"))
    + c_ticks()
    + c_bytes(line("CMD_roundwinner+1+3") + line("CMD_clearscores+") + line("CMD_roundwinner+3")
              + line("CMD_winner+3+"))
    + c_ticks(),
    "seats_coming_and_going": HOST + login
    + c_trickle(line("CMD_newplayerinfo+8+Eve+0") + line("CMD_justwatching+2+1"))
    + c_bytes(line("CMD_playerdisconnected+8+Eve") + line("CMD_havewrongversion+Old")
              + line("CMD_wrongversion+") + line("CMD_playasound+2+wave3+"))
    + c_ticks() + c_other(2, b"\x02") + c_other(3, b"\x03") + c_other(5, chunk(b"8: Eve")),
    "slides_from_others": JOIN + login
    + c_bytes(line("CMD_nextplayer+2") + line("CMD_placedice+1+1+2+1+") + line("CMD_slide+down+2+")
              + line("CMD_slide+up+2+") + line("CMD_closeit+2"))
    + c_ticks() + c_tile(2),
    "full": JOIN + c_bytes(line("CMD_full+")) + c_ticks(),
    # CMD_updatescores+1+0+3, CMD_roundwinner+1+2, CMD_gamestats+1+4+6+5+
    "built_messages": HOST + login + c_message(21, 1, 0, 3) + c_message(18, 1, 2)
    + c_message(20, 1, 4, 6, 5, trailing=True) + c_ticks(),
    "kept_seat_back": seat3 + c_come_back(line("CMD_sendlogininfo+7"), line("CMD_chat+1+Bob chats: hi|clRed")
                                          + back_lines[:40], back_lines[40:])
    + c_ticks() + c_bytes(line("CMD_back+2+") + line("CMD_nextplayer+3")) + c_ticks(),
    "kept_seat_refused": seat3 + c_come_back(line("CMD_sendlogininfo+7") + line("CMD_reclaimrefused+")) + c_ticks(),
    "kept_seat_full_then_back": seat3 + c_come_back(line("CMD_full+")) + c_come_back(b"CMD_sendlog", b"ininfo+9" + FF)
    + c_come_back(back_lines) + c_ticks(),
    "kept_seat_not_a_game": seat3 + c_come_back(b"HTTP/1.1 400" + FF) + c_come_back(line("CMD_sendlogininfo+0"))
    + c_come_back(line("CMD_sendlogininfo+7"), line("CMD_yourseat+9+")) + c_come_back(b"\xfa\x10\x41")
    + c_come_back(line("CMD_sendlogininfo+7") + back_lines) + c_ticks(),
    "kept_seat_given_up": seat3 + c_come_back(line("CMD_sendlogininfo+8"), line("CMD_givenup+3+"), give_up=True)
    + c_ticks(),
    "kept_seat_give_up_refused": seat3 + c_come_back(line("CMD_sendlogininfo+8") + line("CMD_givenup+x+"),
                                                     give_up=True) + c_ticks()
    + c_come_back(line("CMD_sendlogininfo+8") + line("CMD_yourseat+3+") + line("CMD_reclaimrefused+"),
                  give_up=True) + c_ticks(),
    "others_away_and_back": seat3 + c_bytes(line("CMD_away+2+120+") + line("CMD_away+1+45+") + line("CMD_away+3+60+")
                                            + line("CMD_back+2+") + line("CMD_back+2+") + line("CMD_back+1+")
                                            + line("CMD_shuttiles+100000001+") + line("CMD_shuttiles+000000000+")
                                            + line("CMD_yourseat+3+") + line("CMD_shuttiles+0101+"))
    + c_ticks() + c_bytes(line("CMD_serverclosing+")) + c_ticks() + c_come_back(line("CMD_sendlogininfo+7")),
    "leave_on_purpose": seat3 + c_leave() + c_come_back(line("CMD_sendlogininfo+7")) + c_leave(),
    "join_dialog": JOIN + c_join("Ann", line("CMD_sendlogininfo+4"), line("CMD_chat+1+Bob chats: hi|clRed")
                                 + line("CMD_newplayerinfo+4+Ann+0") + line("CMD_existingplayers+1+Bob+0")
                                 + line("CMD_seatkey+" + KEY + "+120+"))
    + c_ticks() + c_bytes(line("CMD_startgame+Bob+5+")) + c_ticks() + c_come_back(line("CMD_sendlogininfo+7"))
    + c_come_back(line("CMD_yourseat+4+") + line("CMD_shuttiles+000000000+")) + c_ticks(),
    "join_dialog_turned_away": JOIN + c_join("Zo\u00eb+1", line("CMD_full+")) + c_join("Ann", line("CMD_sendlogininfo+4")
                                                                                  + line("CMD_removed+"))
    + c_join("Ann", line("CMD_sendlogininfo+12")) + c_join("Ann", b"SSH-2.0" + FF)
    + c_join("Ann", line("CMD_sendlogininfo+4") + line("CMD_newplayerinfo+5+Bob+0") + line("CMD_full+"))
    + c_join("", line("CMD_sendlogininfo+x")),
    "options_and_escape": HOST + login + c_ext(4, b"\x03") + c_bytes(line("CMD_playasound+1+wave3+")) + c_ticks()
    + c_ext(4, b"\x00") + c_bytes(line("CMD_playasound+1+wave3+")) + c_ticks() + c_ext(5)
    + c_bytes(line("CMD_letbackin+2+") + line("CMD_startgame+Fuzzy+5+") + line("CMD_nextplayer+1")
              + line("CMD_placedice+1+4+2+5+")) + c_ticks() + c_tile(4) + c_tile(5) + c_ext(6) + c_tile(9)
    + c_ext(6) + c_other(6, chunk(b"Nice roll!"), b"\0\0\0\0") + c_ext(7, chunk(line("CMD_chat+1+Fuzzy chats: x|clRed"))),
    "hold_edges": JOIN + c_bytes(line("CMD_sendlogininfo+3") + line("CMD_newplayerinfo+3+Fuzzy+0")
                                 + line("CMD_seatkey+" + KEY + "+0+") + line("CMD_seatkey+a b+60+")
                                 + line("CMD_seatkey+" + "k" * 230 + "+60+") + line("CMD_seatkey+x+y+")
                                 + line("CMD_seatkey+" + KEY + "+60+"))
    + c_ticks() + c_bytes(line("CMD_away+2+60+") + line("CMD_away+4+1+") + line("CMD_away+5+45+")
                          + line("CMD_away+6+1+") + line("CMD_away+3+60+") + line("CMD_back+3+") + line("CMD_back+4+"))
    + c_ticks() + c_bytes(line("CMD_startgame+Bob+5+") + line("CMD_nextplayer+3") + line("CMD_placedice+1+4+2+5+"))
    + c_ticks() + c_tile(4) + c_tile(2)
    + c_bytes(line("CMD_shuttiles+000100000+") + line("CMD_shuttiles+100000000+") + line("CMD_shuttiles+000000000+")
              + line("CMD_shuttiles+01+") + line("CMD_shuttiles+0000000002+"))
    + c_ticks() + c_leave() + c_leave() + c_other(9) + c_other(9) + c_ticks() + c_come_back(line("CMD_sendlogininfo+7")),
    "key_without_a_game": JOIN + c_bytes(line("CMD_sendlogininfo+3") + line("CMD_newplayerinfo+3+Fuzzy+0")
                                         + line("CMD_seatkey+" + KEY + "+120+")) + c_ticks()
    + c_come_back(line("CMD_sendlogininfo+7")) + c_ticks(),
    "key_at_no_hold": JOIN + c_bytes(line("CMD_sendlogininfo+3") + line("CMD_newplayerinfo+3+Fuzzy+0")
                                     + line("CMD_seatkey+" + KEY + "+0+") + line("CMD_startgame+Bob+5+")) + c_ticks()
    + c_come_back(line("CMD_sendlogininfo+7")) + c_ticks(),
    "spectator_key": JOIN + c_bytes(line("CMD_sendlogininfo+8") + line("CMD_newplayerinfo+8+Fuzzy+0")
                                    + line("CMD_seatkey+" + KEY + "+120+") + line("CMD_startgame+Bob+5+")
                                    + line("CMD_justwatching+8+1") + line("CMD_letbackin+1+")) + c_ticks()
    + c_other(2, b"\x03") + c_other(2, b"\x07") + c_other(3, b"\x00") + c_come_back(line("CMD_sendlogininfo+7")),
    "closed_with_lines_queued": JOIN + login + c_bytes(line("CMD_chat+1+Fuzzy chats: a|clRed") + line("CMD_full+"))
    + c_other(9) + c_other(9) + c_ticks() + c_other(9),
    "table_lines": HOST + login
    + c_bytes(line("CMD_newplayerinfo+3+Ann+0") + line("CMD_newplayerinfo+8+Eve+0") + line("CMD_newplayerinfo+8+Eve+0")
              + line("CMD_newplayerinfo+1+Fuzzy+0") + line("CMD_startgame+Fuzzy+5+") + line("CMD_nextplayer+1")
              + line("CMD_placedice+1+4+2+5+"))
    + c_ticks() + c_tile(4) + c_tile(2)
    + c_bytes(line("CMD_justwatching+1+1") + line("CMD_justwatching+8+1") + line("CMD_justwatching+1+2")
              + line("CMD_justwatching+3+1") + line("CMD_justwatching+3+2") + line("CMD_playerdisconnected+3+Ann")
              + line("CMD_playerdisconnected+2+Rudi") + line("CMD_letbackin+1+") + line("CMD_letbackin+3+"))
    + c_ticks() + c_other(5, chunk(b"8: Eve")) + c_other(5, chunk(b"9: Nobody")) + c_other(2, b"\x07")
    + c_other(2, b"\x00") + c_other(4, b"\x03") + c_other(3, b"\x03") + c_ext(5),
    "join_handshake_edges": JOIN + c_join("Ann", b"CMD_sendlog", b"ininfo+4" + FF + FF,
                                          FF + line("CMD_newplayerinfo+x+Ann+0") + line("CMD_newplayerinfo+")
                                          + b"CMD_newplayer", b"info+4+Ann+0" + FF + line("CMD_existingplayers+1+Bob+0"))
    + c_ticks() + c_join("Cy", line("CMD_sendlogininfo+5"), b"\xfa\x81\x41")
    + c_join("Di", b"\xfa\x81\x41") + c_join("Ed", line("CMD_full+"), line("CMD_sendlogininfo+2")),
    "reclaim_handshake_edges": seat3 + c_come_back(FF + line("CMD_sendlogininfo+7+") + FF, line("CMD_yourseat+x+"),
                                                   b"\xfa\x81\x41")
    + c_come_back(FF + line("CMD_sendlogininfo+7"), b"CMD_your", b"seat+3" + FF + back_lines[16:], line("CMD_chat+1+x"))
    + c_ticks(),
    "full_table_back": seat3 + c_come_back(line("CMD_fullkept+"), line("CMD_reclaimrefused+")) + c_ticks()
    + c_come_back(line("CMD_fullkept+") + line("CMD_full+")) + c_come_back(line("CMD_fullkept+"), back_lines)
    + c_ticks() + c_bytes(line("CMD_rounds+3+") + line("CMD_rounds+x+") + line("CMD_rounds+-1+")) + c_ticks()
    + c_built(13) + c_built(14, 1) + c_built(14, 10) + c_built(14, 7) + c_ticks(),
    "built_extensions": JOIN + login + c_built(0, 13, 10) + c_built(0, 14, 11) + c_built(0, 15, 12) + c_built(0, 16, 10)
    + c_built(1, 3, 10) + c_built(1, 2, 13) + c_built(2, 3) + c_built(3, 2) + c_built(4, 17)
    + c_built(4, 20) + c_built(4, 21) + c_built(5) + c_built(6) + c_built(7, 0) + c_built(7, 7)
    + c_built(8) + c_built(9, 3) + c_ticks(),
}

# --- chat_line --------------------------------------------------------------
def chat_seed(lines, forget=0, colour=0x0000FF):
    return bytes([forget]) + colour.to_bytes(4, "big") + "\n".join(lines).encode("utf-8")


chat = {
    "relayed": chat_seed(["1+Bob chats: hello :)#12 there", "0+Welcome to Tilecrest"]),
    "links": chat_seed(["2+Ann chats: see www.example.com and http://x.org/a b",
                        "3+Cid chats: HTTP://UPPER.case", "9+Spy www."], forget=2),
    "smileys": chat_seed(["4+Dee chats: :)#10:)#27:)#99:)#", "5+Eve chats: :)#1é end"]),
    "colours": chat_seed(["clRed", "$00FF00FF", "-1", "2147483647", "clBtnFace", "$", "x|clNavy"],
                         colour=0x80000005),
    "refused": chat_seed(["no plus here", "10+too high", "-1+negative", "+empty slot"]),
}

# --- net_fields -------------------------------------------------------------
net = {
    "login": b"\x80" + line("CMD_logininfo+3+1.0.3+Ann") + FF,
    "lists": b"\x80" + line("CMD_closethem+3+4+5") + line("CMD_existingplayers+1+Bob+0+2+Cid+1")
    + line("CMD_updatescores+1+0+0+2+0+0+3+0+0+4+0+0+5+0+0+6+0+0") + line("CMD_full+"),
    "numbers": b"\x80" + line("CMD_gamestats+1+4+6+5+") + line("CMD_x+-2147483648+2147483648+007+-+")
    + line("CMD_y+12a+ 1+"),
    "text": b"\x80" + line("CMD_chat+1+Ann chats: caf\xe9 \u20ac \u2122 :)#12|clRed") + b"\x81\x8d\x8f\x90\x9d",
    "small_cap": b"\x13" + line("CMD_chat+1+a line longer than the cap") + b"tail",
    "split": b"\x45" + line("CMD_nextplayer+3") + line("CMD_placedice+1+4+2+5+") + b"CMD_scores+3",
}


def write(target, seeds):
    folder = HERE / "corpus" / target
    folder.mkdir(parents=True, exist_ok=True)
    for name, data in seeds.items():
        (folder / name).write_bytes(data)


write("server_bytes", server)
write("session_bytes", session)
write("chat_line", chat)
write("net_fields", net)


# --- lzrw1_decode and tally_text ---------------------------------------------
# Containers built by hand from the layout (header, 16-bit block length,
# block); the first byte of each seed picks the operation.
def le(value, width):
    return value.to_bytes(width, "little")


def container(size, *blocks):
    return b"WRZL" + le(size, 4) + b"".join(le(len(b), 2) + b for b in blocks)


def tally_text(*rows):
    cells = [str(len(rows[0])), str(len(rows))]
    for c in range(9):
        cells += [row[c] for row in rows]
    return "".join(cell + "\r\n" for cell in cells).encode("cp1252")


own = ["0", "3", "1", "2", "0", "0", "0", "0", "0"]
ann = ["Ann", "2", "1", "1", "0", "1", "0", "1", "0"]
zoe = ["Zo\u00eb", "1", "0", "0", "1", "0", "0", "0", "0"]
copied = tally_text(own, ann, zoe)
lzrw1 = {
    "empty": b"\x00" + container(0, b"\x80"),
    "literals_and_reference": b"\x00" + container(10, bytes([0x40, 0x10, 0x00]) + b"abc\x00\x33X"),
    "run": b"\x00" + container(21, bytes([0x40, 0x80, 0x00, 0x00, 0x00, 0x04]) + b"z!"),
    "copied_tally": b"\x00" + container(len(copied), b"\x80" + copied),
    "two_groups_block": b"\x01" + bytes([0x40, 0, 0]) + b"ABCDEFGHIJKLMNOP" + bytes([0, 0]) + b"Q",
    "raw_text": b"\x02" + copied,
    # a block of exactly 32768 bytes (8 runs of 4096), then a second block
    "full_block_of_runs": b"\x01" + bytes([0x40, 0xFF, 0x00]) + bytes([0x00, 0x0F, 0xF0, 0x72]) * 8,
    "two_blocks": b"\x00" + container(32768 + 5, bytes([0x40, 0xFF, 0x00]) + bytes([0x00, 0x0F, 0xF0, 0x72]) * 8,
                                      b"\x80tail!"),
}
tally = {
    "three_rows_text": b"\x00" + copied,
    "own_row_only_text": b"\x00" + tally_text(own),
    "three_rows_file": b"\x01" + container(len(copied), b"\x80" + copied),
}
write("lzrw1_decode", lzrw1)


# --- table_game ----------------------------------------------------------------
def t(op, *args):
    return bytes([op]) + b"".join(bytes([a]) if isinstance(a, int) else a for a in args)


def t_ext(kind, *args):
    return b"\xe0" + t(kind, *args)


T_SETTLE, T_UNTIL_REST = t(8), t(11)
T_MOVE = T_SETTLE + t(10)  # the mover's table has seen the roll
# The host (who 0) and two guests; the host starts a game of 3 marks.
table_start = b"\x00\x00\x30\x39" + t(6) + t(6) + T_SETTLE + t(2, 0, 0) + T_SETTLE


def t_stranger(login, keyword, *fields, trailing=True):
    return t_ext(0, login, keyword, len(fields) | (0x80 if trailing else 0), *fields)


table = {
    "dropped_and_back": table_start + (T_MOVE + T_UNTIL_REST) * 3 + t_ext(1, 1) + T_UNTIL_REST + T_MOVE
    + t_ext(2, 0, 3) + T_SETTLE + (T_MOVE + T_UNTIL_REST) * 6,
    "dropped_and_given_up": table_start + t_ext(1, 2) + T_UNTIL_REST + t_ext(3, 0) + T_SETTLE
    + (T_MOVE + T_UNTIL_REST) * 4,
    "dropped_too_long": table_start + t_ext(1, 1) + t(7, 7) * 16 + T_UNTIL_REST + t_ext(2, 0, 15) + T_SETTLE,
    "stranger_requests": table_start + t_stranger(0, 0, 0xF0, 4) + t_stranger(0, 1, 0xF0, 12, 3)
    + t_stranger(1, 0, 0xF0, 4, 5) + t_stranger(1, 0, 1, 4) + t_stranger(1, 1, 0xF0, 13, 14)
    + t_stranger(1, 1, 0xF0, 11, 10) + t_stranger(1, 2, 14, 11) + t_stranger(1, 3, 0xF0, 1)
    + t_stranger(1, 3, 0xF0, 2, trailing=False) + t_stranger(1, 0, 0xF0, 14) + t_stranger(1, 0, 0xF0, 15)
    + t_stranger(1, 4, 0xF0, 2) + t_stranger(1, 7, 0xF0) + T_SETTLE + (T_MOVE + T_UNTIL_REST) * 4
    + t_stranger(1, 0, 0xF0, 4, 5) + t_stranger(1, 0, 0xF0, 9) + T_UNTIL_REST,
    "best_move_and_escape": table_start + t_ext(4, 0, 1) + t_ext(4, 1, 1) + t_ext(4, 2, 1) + T_SETTLE
    + (t_ext(5, 0, 0) + t_ext(5, 1, 4) + t_ext(5, 2, 1) + t_ext(5, 0, 2) + t_ext(5, 1, 13) + t_ext(5, 0, 8) + t_ext(5, 1, 0x0B) + T_MOVE
       + T_UNTIL_REST) * 5 + t_ext(4, 0, 0),
    "expert_and_headless": table_start + t_ext(6, 1) + (T_MOVE + T_UNTIL_REST) * 4 + t_ext(7, 0) + T_UNTIL_REST
    + (T_MOVE + T_UNTIL_REST) * 8 + t_ext(6, 0),
}
write("table_game", table)
write("tally_text", tally)
