#!/usr/bin/env python3
"""Makes replay_summary.txt: per game of the shared collections and samples,
its ply count and final position, as the independent PGN tool pgn-extract
(Debian package pgn-extract) reads them. The tests never run this script;
run it by hand when the shared data changes:

    tests/pgn/golden/make_replay_summary.py ../shared/data/pgn > tests/pgn/golden/replay_summary.txt
"""
import re
import subprocess
import sys
from pathlib import Path

FILES = [
    "collections/Capablanca.pgn", "collections/Fischer.pgn", "collections/Kasparov.pgn",
    "collections/Carlsen.pgn", "collections/Nimzowitsch.pgn",
    "samples/anastasian-lewis.pgn", "samples/chessbase-empty-line.pgn",
    "samples/kasparov-deep-blue-1997.pgn", "samples/molinari-bordais-1979.pgn",
    "samples/nepomniachtchi-liren-game1.pgn", "samples/stockfish-learning.pgn",
    "samples/uci-moves.pgn", "samples/utf8-bom.pgn",
]
START = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w"
TOOL = "pgn-extract"


def game_starts(path):
    """1-based line numbers of each game's first tag line."""
    starts, in_tags = [], False
    text = path.read_bytes().decode("latin-1")
    for number, line in enumerate(re.split(r"\r\n|\r|\n", text), 1):
        tag = line.lstrip("\ufeff\xef\xbb\xbf").startswith("[")
        if tag and not in_tags:
            starts.append(number)
        in_tags = tag or (in_tags and line.strip() == "")
    return starts


def fnv1a32(text):
    h = 0x811C9DC5
    for byte in text.encode("ascii"):
        h = ((h ^ byte) * 0x01000193) & 0xFFFFFFFF
    return f"{h:08x}"


def main():
    root = Path(sys.argv[1])
    print("# Replay summary of the shared PGN data. A line \"file NAME\" starts each file; then one")
    print("# line per game: GAME PLIES POSITION, or GAME error for a game the independent tool refused.")
    print("# POSITION is the final position's FEN board and side (\"8/8/... b\") for the samples, and")
    print("# for the collections, to keep this file small, the FNV-1a 32-bit hash of that text in hex.")
    print("# Made by")
    print("# tests/pgn/golden/make_replay_summary.py with pgn-extract --plycount -F; a game without")
    print("# moves gets the standard start position (the tool writes no FEN comment for it).")
    print("# Known differences from the program, each checked by the test:")
    print("# - samples/anastasian-lewis.pgn game 1: the tool refuses the null move Z0 outright; the")
    print("#   program skips Z0 in Black's turn and then fails on the next word (42.: Illegal move!).")
    print("# - samples/uci-moves.pgn: the tool reads coordinate moves as moves; the program loads")
    print("#   them through its fallback text, with the same plies and the same final position.")
    for name in FILES:
        path = root / name
        starts = game_starts(path)
        run = subprocess.run([TOOL, "-s", "--plycount", "-F", "-C", "-N", "-V", "-w", "100000", str(path)],
                             capture_output=True, text=True, encoding="latin-1")
        failed = set()
        for line in re.findall(r"Line number: (\d+)", run.stderr):
            before = [i for i, s in enumerate(starts) if s <= int(line)]
            if before:
                failed.add(before[-1] + 1)
        games = re.split(r"\n(?=\[Event )", run.stdout.strip())
        games = [g for g in games if g.strip()]
        numbers = [n for n in range(1, len(starts) + 1) if n not in failed]
        if len(numbers) != len(games):
            sys.exit(f"{name}: {len(starts)} games, {len(failed)} refused, {len(games)} written")
        print(f"file {name}")
        for number in range(1, len(starts) + 1):
            if number in failed:
                print(f"{number} error")
                continue
            game = games[numbers.index(number)]
            plies = int(re.search(r'\[PlyCount "(\d+)"\]', game).group(1))
            fens = re.findall(r'\{ "([^"]+)" \}', game)
            position = " ".join(fens[-1].split()[:2]) if fens else START
            if name.startswith("collections/"):
                position = fnv1a32(position)
            print(f"{number} {plies} {position}")


if __name__ == "__main__":
    main()
