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
    return b"\x01" + bytes([k]) + chunk(data)


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


SEED = b"\x00\x00\x30\x39"
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
}

# --- session_bytes ----------------------------------------------------------
def c_bytes(data):
    return b"\x00" + chunk(data)


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


HOST, JOIN = b"\x01", b"\x00"
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
write("tally_text", tally)
