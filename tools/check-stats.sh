#!/bin/sh
# Checks a run's statistics (--stats) against its summary (--summary): the floor lines follow one
# another from the game's first floor to the summary's, the floors' kills and frames add up to the
# game line's, the game line's enemy counts are the summary's (the save's after a game left for the
# title), and each CLOCK is its FRAMES at 17 ms a frame. Prints what differs; status 1 then.
# Usage: check-stats.sh SUMMARY STATS
set -u
awk -v summary="$1" '
  BEGIN {
    while ((getline line < summary) > 0) {
      split(line, w, " ")
      if (w[1] == "floor") floor = w[2]
      if (w[1] == "met") met = w[2]
      if (w[1] == "killed") killed = w[2]
      if (w[1] == "save") { saveFloor = w[2]; saveKilled = w[4] }
    }
    bad = 0
  }
  function clock(frames,   ms) {
    ms = frames * 17
    return sprintf("%d:%02d.%02d", int(ms / 60000), int(ms / 1000) % 60, int(ms / 10) % 100)
  }
  function fail(text) { print "statistics: " text; bad = 1 }
  /^#/ { next }
  $1 == "floor" {
    if (last != "" && $6 != last + 1) fail("floor " $6 " follows floor " last)
    if (first == "") first = $6
    last = $6; frames += $7; kills += $10; floors++
    if ($8 != clock($7)) fail("floor " $6 ": " $8 " is not " $7 " frames")
  }
  $1 == "game" {
    games++
    if ($7 != first || $8 != last || $9 != floors) fail("game line names floors " $7 "-" $8 " (" $9 "), the floor lines " first "-" last " (" floors ")")
    if ($10 != frames || $11 != clock($10)) fail("game frames " $10 " " $11 ", the floors add up to " frames)
    if ($13 != kills) fail("game kills " $13 ", the floors add up to " kills)
    if ($18 != met) fail("game met " $18 ", the summary " met)
    want = ($6 == "ending" || saveFloor == "") ? killed : saveKilled
    if ($19 != want) fail("game killed " $19 ", the summary " want)
  }
  END {
    if (games != 1) fail(games + 0 " game lines, not 1")
    if (last != floor) fail("the last floor line is floor " last ", the summary ends on floor " floor)
    exit bad
  }' "$2"
