# Writes the seed corpora of the harnesses into OUT/<harness>/ from the
# project's own files and, where present, from ../shared/data:
#   cmake -DSOURCE_DIR=<project root> -DOUT=<folder> -P fuzz/make_seeds.cmake
# The seeds are small on purpose (the fuzzers grow their own corpora).
cmake_minimum_required(VERSION 3.22)
if(NOT SOURCE_DIR OR NOT OUT)
  message(FATAL_ERROR "usage: cmake -DSOURCE_DIR=... -DOUT=... -P make_seeds.cmake")
endif()
get_filename_component(shared "${SOURCE_DIR}/../shared/data" ABSOLUTE)
set(crlf "\r\n")

foreach(harness fuzz_fen fuzz_book fuzz_settings fuzz_session fuzz_pgn fuzz_gamefile)
  file(REMOVE_RECURSE "${OUT}/${harness}")
  file(MAKE_DIRECTORY "${OUT}/${harness}")
endforeach()

# FEN: the perft positions (all the tricky ones, every 25th random one), with
# and without the move counters, and a few of the reader's corner cases.
set(fens
  "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1"
  "rnbqkbnr/pppp1ppp/8/4pP2/8/8/PPPPP1PP/RNBQKBNR w KQkq e6 0 3"
  "4k3/1P6/8/8/8/8/6p1/4K3 b - - 0 40"
  "8/8/8/8/8/8/8/8 w - -"
  "4r3/8/8/8/8/8/8/4R3 w - - 0 1"
  "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3")
set(n 0)
foreach(file tricky random)
  if(EXISTS "${shared}/perft/${file}.perft")
    file(STRINGS "${shared}/perft/${file}.perft" lines REGEX "^epd ")
    set(i 0)
    foreach(line IN LISTS lines)
      math(EXPR keep "${i} % 25")
      if(file STREQUAL "tricky" OR keep EQUAL 0)
        string(SUBSTRING "${line}" 4 -1 fen)
        math(EXPR odd "${i} % 2")
        if(odd)
          string(APPEND fen " 0 1")
        endif()
        list(APPEND fens "${fen}")
      endif()
      math(EXPR i "${i} + 1")
    endforeach()
  endif()
endforeach()
foreach(fen IN LISTS fens)
  file(WRITE "${OUT}/fuzz_fen/seed${n}" "${fen}")
  math(EXPR n "${n} + 1")
endforeach()

# Book: slices of the shipped book (header, moves lines, names lines), and
# small hand-written ones with indented variations and a broken names line.
file(STRINGS "${SOURCE_DIR}/data/orvane.bok" book)
list(LENGTH book bookLines)
list(FIND book "names" namesAt)
set(n 0)
foreach(range "2;14" "14;26" "40;52" "90;${namesAt}")
  list(GET range 0 from)
  list(GET range 1 to)
  set(text "ORVANE Version=0.10${crlf}start${crlf}")
  math(EXPR last "${to} - 1")
  foreach(i RANGE ${from} ${last})
    list(GET book ${i} line)
    string(APPEND text "${line}${crlf}")
  endforeach()
  string(APPEND text "names${crlf}")
  math(EXPR first "${namesAt} + 1 + ${n} * 6")
  math(EXPR last "${first} + 5")
  foreach(i RANGE ${first} ${last})
    if(i LESS bookLines)
      list(GET book ${i} line)
      string(APPEND text "${line}${crlf}")
    endif()
  endforeach()
  string(APPEND text "end${crlf}")
  file(WRITE "${OUT}/fuzz_book/slice${n}" "${text}")
  math(EXPR n "${n} + 1")
endforeach()
file(WRITE "${OUT}/fuzz_book/small0" "ORVANE Version=0.10${crlf}start${crlf}e2e4 e7e5 g1f3${crlf}     c7c5${crlf}          d2d4${crlf}d2d4 d7d5${crlf}names${crlf}e2e4~King's Pawn~${crlf}e2e4 c7c5~Sicilian~${crlf}end${crlf}")
file(WRITE "${OUT}/fuzz_book/small1" "ORVANE Version=0.10\nstart\ne2e4 e7e5\n     c7c5\nnames\ne2e4 no tilde\nend\n")
file(WRITE "${OUT}/fuzz_book/small2" "ORVANE Version=0.2${crlf}start${crlf}d2d4${crlf}")

# Settings: a written file, other versions, odd numbers and separators.
set(n 0)
foreach(values " 0 ; 0 ; 1 ; 0 ; 1 ; 0 " " 1 ; 1 ; 0 ; 1 ; 0 ; 1 " "-1 ; 32767 ;-32768 ; 2 ; nan ; INF "
               "0,1,0,1,0,1" "  7 ; 0x1 ; 1e3 ; 1.5 ;information; 40000 ")
  string(REPLACE ";" "${crlf}" body "${values}")
  file(WRITE "${OUT}/fuzz_settings/seed${n}" "ORVANE0.10${crlf}${body}${crlf}")
  math(EXPR n "${n} + 1")
endforeach()
file(WRITE "${OUT}/fuzz_settings/seed${n}" "ORVANE0.09\n 0 \n 0 \n 1 \n 0 \n 1 \n 0 \n")

# Window sessions and PGN: the start of each sample file and collection, cut
# at a line end (the session harness reads any bytes as commands).
set(n 0)
foreach(path IN ITEMS ${shared}/pgn/samples/*.pgn ${shared}/pgn/collections/*.pgn)
  file(GLOB files "${path}")
  foreach(file IN LISTS files)
    file(READ "${file}" text LIMIT 1500)
    string(FIND "${text}" "\n" cut REVERSE)
    if(cut GREATER 0)
      string(SUBSTRING "${text}" 0 ${cut} text)
    endif()
    file(WRITE "${OUT}/fuzz_pgn/seed${n}" "${text}")
    string(SUBSTRING "${text}" 0 100 head)
    file(WRITE "${OUT}/fuzz_session/seed${n}" "${head}")
    math(EXPR n "${n} + 1")
  endforeach()
endforeach()

# Game files as the program writes them: the example game, a set-up start
# with a knight promotion and a final comment, a game Black starts, comments
# of two lines, castling and en passant; and a few the reader refuses.
string(ASCII 255 mark)
set(head "ORVANE Version=0.10${crlf}")
set(standard "Setup=243563421111111100000000000000000000000000000000777777778A9BC9A8${crlf}")
set(gamefiles
  "${head}${standard}BlackStarts=0${crlf}START${crlf}e2e4${crlf}{Open game}${crlf}e7e5${crlf}"
  "${head}Setup=6000000000000000000000000000000000000000000000001000000C00000000${crlf}BlackStarts=0${crlf}START${crlf}a7a8N${crlf}{underpromotion}${crlf}"
  "${head}Setup=000060000000700000000000000000000000000000000000000000000000C000${crlf}BlackStarts=1${crlf}START${crlf}e8d7${crlf}e1e2${crlf}"
  "${head}${standard}BlackStarts=0${crlf}START${crlf}{first${mark}${mark}second}${crlf}d2d4${crlf}d7d5${crlf}{the end}${crlf}"
  "ORVANE Version=0.1${crlf}${standard}BlackStarts=0${crlf}START${crlf}e2e4${crlf}e7e6${crlf}e4e5${crlf}d7d5${crlf}e5d6${crlf}f8d6${crlf}g1f3${crlf}g8f6${crlf}f1e2${crlf}e8g8${crlf}e1g1${crlf}${crlf}h2h3${crlf}"
  "${head}${standard}START${crlf}e2e4${crlf}e7e5 e5${crlf}"
  "ORVANE Version=0.26${crlf}START${crlf}")
set(n 0)
foreach(text IN LISTS gamefiles)
  file(WRITE "${OUT}/fuzz_gamefile/seed${n}" "${text}")
  math(EXPR n "${n} + 1")
endforeach()
