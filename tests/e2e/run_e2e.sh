#!/usr/bin/env bash
# End-to-end flows: the real gre-wordlist under Xvfb, driven with xdotool as a user drives it
# (keyboard first), its word file checked afterwards with the stock sqlite3 shell.
#
#   run_e2e.sh <gre-wordlist executable> <folder for screenshots> <flow>...
#   flows: add     three words from the main menu, checked with their defaults
#          search  find by prefix, change a synonym with Update, delete another word
#          quiz    a whole ten-question test, then a second run closed half-way
#
# Exits 77 (skipped) only when the X tools are missing; 0 when every flow passed.
set -uo pipefail

EXE=${1:?executable}
SHOTS=${2:?screenshot folder}
shift 2
FLOWS=("$@")
[ ${#FLOWS[@]} -gt 0 ] || FLOWS=(add search quiz)

for tool in Xvfb openbox xdotool xprop xmodmap sqlite3 import convert; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "SKIP: $tool is not installed (./test installs it)"
        exit 77
    fi
done
[ -x "$EXE" ] || { echo "no executable at $EXE"; exit 1; }
mkdir -p "$SHOTS"

WORK=$(mktemp -d /tmp/gre-e2e.XXXXXX)
XVFB_PID=
WM_PID=
APP_PID=
DISPLAY_NUM=
FLOW=setup
STEP=start
DB=
TODAY=$(date +%F)

cleanup() {
    stop_app
    [ -n "$WM_PID" ] && kill "$WM_PID" 2>/dev/null
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$WORK"
}
trap cleanup EXIT

log() { printf '[e2e %s] %s\n' "$FLOW" "$*"; }

# Ends the flow: a screenshot of the whole screen, the program's output and the table.
fail() {
    local shot="$SHOTS/$FLOW-failed.png"
    echo "FAIL [$FLOW] at step '$STEP': $*"
    if [ -n "$DISPLAY_NUM" ] && import -display ":$DISPLAY_NUM" -window root "$shot" 2>/dev/null; then
        echo "Screenshot of the screen at the failure: $shot"
    fi
    if [ -n "${APP_LOG:-}" ] && [ -s "$APP_LOG" ]; then
        echo "--- program output"
        tail -n 40 "$APP_LOG"
    fi
    if [ -n "$DB" ] && [ -f "$DB" ]; then
        echo "--- listofwords"
        sqlite3 -batch "$DB" 'SELECT * FROM listofwords ORDER BY id' 2>&1 | head -n 40
    fi
    exit 1
}

step() {
    STEP=$*
    log "$STEP"
}

# --- the X session -------------------------------------------------------------------------

# A display number of our own from a high range, so parallel runs never meet.
start_x() {
    local start=$((140 + RANDOM % 60)) i n
    for ((i = 0; i < 60; i++)); do
        n=$((140 + (start - 140 + i) % 60))
        [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
        Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp -noreset >"$WORK/xvfb.log" 2>&1 &
        XVFB_PID=$!
        local t
        for ((t = 0; t < 100; t++)); do
            if [ -S "/tmp/.X11-unix/X$n" ] && DISPLAY=":$n" xdotool getdisplaygeometry >/dev/null 2>&1; then
                DISPLAY_NUM=$n
                export DISPLAY=":$n"
                openbox >"$WORK/openbox.log" 2>&1 &
                WM_PID=$!
                # openbox owns the window manager selection once it runs.
                # Letters the flows type that the default key map lacks get a key of their own
                # now, before the program starts: xdotool would otherwise remap a key for each
                # one just before pressing it, and a busy program can read the press with the
                # old map and lose the letter.
                local free
                free=$(xmodmap -pke | awk 'NF <= 3 && $2 >= 9 { print $2; exit }')
                [ -n "$free" ] && xmodmap -e "keycode $free = eacute Eacute"
                for ((t = 0; t < 100; t++)); do
                    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
                    sleep 0.1
                done
                fail "openbox did not start"
            fi
            kill -0 "$XVFB_PID" 2>/dev/null || break
            sleep 0.1
        done
        kill "$XVFB_PID" 2>/dev/null
        wait "$XVFB_PID" 2>/dev/null
        XVFB_PID=
    done
    fail "no free display between :140 and :199"
}

# --- the program ---------------------------------------------------------------------------

# A fresh home folder per flow: its Documents folder holds the word file.
new_home() {
    HOME_DIR="$WORK/$FLOW-home"
    mkdir -p "$HOME_DIR/.config" "$HOME_DIR/.local/share" "$HOME_DIR/.cache" "$HOME_DIR/run"
    chmod 700 "$HOME_DIR/run"
    DB="$HOME_DIR/Documents/gre_wordlist.db"
}

start_app() {
    APP_LOG="$WORK/$FLOW-app.log"
    env -u QT_QPA_PLATFORM -u XDG_DOCUMENTS_DIR HOME="$HOME_DIR" \
        XDG_CONFIG_HOME="$HOME_DIR/.config" XDG_DATA_HOME="$HOME_DIR/.local/share" \
        XDG_CACHE_HOME="$HOME_DIR/.cache" XDG_RUNTIME_DIR="$HOME_DIR/run" \
        DISPLAY=":$DISPLAY_NUM" LC_ALL=C.UTF-8 "$EXE" >>"$APP_LOG" 2>&1 &
    APP_PID=$!
    wait_window '^menu$' || fail "the main menu did not appear"
    MENU=$FOUND
    wait_for "the word file exists" 10 test -s "$DB"
}

stop_app() {
    if [ -n "$APP_PID" ] && kill -0 "$APP_PID" 2>/dev/null; then
        kill "$APP_PID" 2>/dev/null
        wait "$APP_PID" 2>/dev/null
    fi
    APP_PID=
}

# Exit from the main menu, confirmed, and the program's own exit code.
exit_app() {
    step "Exit from the main menu"
    focus "$MENU"
    xdotool key --clearmodifiers alt+x
    answer_box '^GRE Wordlist$' Return
    local t
    for ((t = 0; t < 100; t++)); do
        kill -0 "$APP_PID" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$APP_PID" 2>/dev/null && fail "the program is still running after Exit"
    wait "$APP_PID"
    local rc=$?
    APP_PID=
    [ "$rc" -eq 0 ] || fail "the program ended with exit code $rc"
}

# Closes a window with its close box (the window manager's Alt+F4).
close_window() {
    local id=$1
    xdotool windowactivate --sync "$id" 2>/dev/null
    focus "$id"
    xdotool key --clearmodifiers alt+F4
    wait_gone "$id" || fail "the window did not close"
}

# --- waiting -------------------------------------------------------------------------------

# Polls a command until it succeeds; fails the flow after the timeout (seconds).
wait_for() {
    local what=$1 timeout=$2
    shift 2
    local t
    for ((t = 0; t < timeout * 10; t++)); do
        "$@" >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    fail "timed out waiting until $what"
}

# Waits for a visible window whose title matches and puts its id (the newest) in FOUND.
# With a second argument, a window id to pass over (the instance a reopened window replaces).
wait_window() {
    local pattern=$1 not=${2:-} t id
    FOUND=
    for ((t = 0; t < 150; t++)); do
        for id in $(xdotool search --onlyvisible --name "$pattern" 2>/dev/null | tac); do
            if [ "$id" != "$not" ]; then
                FOUND=$id
                return 0
            fi
        done
        sleep 0.1
    done
    return 1
}

wait_gone() {
    local id=$1 t
    for ((t = 0; t < 100; t++)); do
        xdotool search --onlyvisible --name . 2>/dev/null | grep -qx "$id" || return 0
        sleep 0.1
    done
    return 1
}

focus() {
    xdotool windowfocus --sync "$1" 2>/dev/null || fail "could not focus window $1"
    # Qt takes the focus change before the next key only once it has seen it.
    sleep 0.15
}

# Waits for a message box (or input box) with this title, presses the key, waits it away.
answer_box() {
    local pattern=$1 key=$2 id
    wait_window "$pattern" || fail "no box titled $pattern appeared"
    id=$FOUND
    focus "$id"
    xdotool key --clearmodifiers "$key"
    wait_gone "$id" || fail "the box titled $pattern did not close on $key"
}

# --- the word file -------------------------------------------------------------------------

sql() { sqlite3 -batch -separator '|' "$DB" "$1"; }

expect_sql() {
    local what=$1 query=$2 expected=$3 got
    got=$(sql "$query" 2>&1)
    [ "$got" == "$expected" ] || fail "$what: expected [$expected], the file holds [$got]"
}

# Waits until a query gives the expected text (the program writes while we poll).
wait_sql() {
    local what=$1 query=$2 expected=$3 t got
    for ((t = 0; t < 100; t++)); do
        got=$(sql "$query" 2>/dev/null)
        [ "$got" == "$expected" ] && return 0
        sleep 0.1
    done
    fail "$what: expected [$expected], the file holds [$got]"
}

check_integrity() {
    expect_sql "integrity of the file" "PRAGMA integrity_check" "ok"
}

# --- the flows -----------------------------------------------------------------------------

# Opens an activity from a freshly started main menu (the first option has the focus); the
# window's id goes to WIN.
open_activity() {
    local index=$1 title=$2 i
    focus "$MENU"
    for ((i = 0; i < index; i++)); do xdotool key Down; done
    xdotool key --clearmodifiers alt+n
    wait_window "$title" || fail "the window $title did not open"
    WIN=$FOUND
}

flow_add() {
    new_home
    start_app
    step "open the word entry window from the menu"
    local win
    open_activity 0 '^word adder$'
    win=$WIN
    focus "$win"

    step "type o'clock into the word box (it has the focus) and Update"
    xdotool type --delay 25 "o'clock"
    xdotool key --clearmodifiers alt+u
    wait_sql "o'clock saved" "SELECT count(*) FROM listofwords WHERE word = 'o''clock'" 1

    step "Add reopens the window modally; type élan and Update"
    xdotool key --clearmodifiers alt+a
    wait_window '^word adder$' "$win" || fail "Add did not reopen the window"
    win=$FOUND
    focus "$win"
    xdotool type --delay 25 "élan"
    xdotool key --clearmodifiers alt+u
    wait_sql "élan saved" "SELECT count(*) FROM listofwords WHERE word = 'élan'" 1

    step "Add again; abate with a synonym and part of speech reached with Tab"
    xdotool key --clearmodifiers alt+a
    wait_window '^word adder$' "$win" || fail "Add did not reopen the window"
    win=$FOUND
    focus "$win"
    xdotool type --delay 25 "abate"
    xdotool key Tab
    xdotool type --delay 25 "to lessen"
    xdotool key Tab
    xdotool type --delay 25 "verb"
    xdotool key --clearmodifiers alt+u
    wait_sql "abate saved" "SELECT count(*) FROM listofwords WHERE word = 'abate'" 1

    step "Close the word entry window"
    xdotool key --clearmodifiers alt+c
    wait_gone "$win" || fail "Close did not close the window"

    exit_app
    step "check the file with sqlite3"
    check_integrity
    expect_sql "the three rows" \
        "SELECT word, synonym, part_speech, usage, notes, entrydate, last_seen, is_used, frequent
           FROM listofwords ORDER BY id" \
        "o'clock|not entered|?|||$TODAY|$TODAY|0|0
élan|not entered|?|||$TODAY|$TODAY|0|0
abate|to lessen|verb|||$TODAY|$TODAY|0|0"
}

seed_search_words() {
    sql "INSERT INTO listofwords (word, synonym, part_speech, usage, notes, entrydate, last_seen,
                                  is_used, frequent) VALUES
         ('o''clock', 'not entered', '?', 'It is five *.', 'time', '2020-02-01', '2020-02-02', 0, 0),
         ('élan', 'vigour', 'noun', 'She danced with *.', '', '2020-03-01', '2020-03-02', 1, 1),
         ('abate', 'lessen', 'verb', 'The storm began to *.', '', '2020-04-01', '2020-04-02', 0, 0),
         ('abstain', 'refrain', 'verb', 'He chose to * from voting.', 'x', '2020-05-01',
          '2020-05-02', 0, 1);" || fail "could not insert the words"
}

flow_search() {
    new_home
    start_app
    seed_search_words
    local before
    before=$(sql "SELECT * FROM listofwords WHERE word NOT IN ('o''clock', 'abstain') ORDER BY id")

    step "open the search window from the menu"
    local win
    open_activity 1 '^Search for words$'
    win=$WIN
    focus "$win"

    step "Ok on the category 'word', confirmed with Return"
    xdotool key --clearmodifiers alt+k
    answer_box '^confirmation$' Return
    focus "$win"

    step "type the prefix o' (the filter box has the focus), select the word in the list"
    xdotool type --delay 25 "o'"
    xdotool key Tab space
    step "Tab to the synonym box, replace it, Update and answer Yes"
    xdotool key Tab Tab ctrl+a
    xdotool type --delay 25 "at that hour"
    xdotool key --clearmodifiers alt+u
    answer_box '^GRE Wordlist$' Return
    wait_sql "o'clock updated" \
        "SELECT word, synonym, part_speech, usage, notes, entrydate, last_seen, is_used, frequent
           FROM listofwords WHERE word = 'o''clock'" \
        "o'clock|at that hour|?|It is five *.|time|2020-02-01|$TODAY|0|0"

    step "Ok again puts the focus in the filter; type ab, select abstain with the arrow keys"
    focus "$win"
    xdotool key --clearmodifiers alt+k
    answer_box '^confirmation$' Return
    focus "$win"
    xdotool key ctrl+a
    xdotool type --delay 25 "ab"
    xdotool key Tab space Down
    step "Delete, answer Yes, acknowledge the success message"
    xdotool key --clearmodifiers alt+d
    answer_box '^GRE Wordlist$' Return
    answer_box '^GRE Wordlist$' Return
    wait_sql "abstain deleted" "SELECT count(*) FROM listofwords WHERE word = 'abstain'" 0

    close_window "$win"
    exit_app
    step "check the file with sqlite3"
    check_integrity
    expect_sql "the rows nobody changed" \
        "SELECT * FROM listofwords WHERE word NOT IN ('o''clock', 'abstain') ORDER BY id" "$before"
    expect_sql "rows left" "SELECT count(*) FROM listofwords" 3
}

seed_test_words() {
    local i values=""
    for ((i = 1; i <= 24; i++)); do
        values+="$(printf "('word%02d', 'meaning %02d', 'noun', 'The * of number %02d.', '', '2020-01-01', '2020-01-01', 0, 0)" "$i" "$i" "$i")"
        [ "$i" -lt 24 ] && values+=","
    done
    sql "INSERT INTO listofwords (word, synonym, part_speech, usage, notes, entrydate, last_seen,
                                  is_used, frequent) VALUES $values;" ||
        fail "could not insert the words"
}

# Pixels of one exact colour in a screenshot.
count_colour() {
    convert "$1" -alpha off -fill black +opaque "$2" -fill white -opaque "$2" \
        -colorspace gray -format '%[fx:round(mean*w*h)]' info:
}

# The verdict the window shows: the verdict box turns green (correct) or red (incorrect).
shown_verdict() {
    local win=$1 before=$2 after="$WORK/after.png" red green
    import -window "$win" "$after" 2>/dev/null || { echo "no screenshot"; return; }
    red=$(($(count_colour "$after" '#FF0000') - $(count_colour "$before" '#FF0000')))
    green=$(($(count_colour "$after" '#00FF00') - $(count_colour "$before" '#00FF00')))
    if [ "$red" -gt 2000 ] && [ "$green" -lt 500 ]; then
        echo incorrect
    elif [ "$green" -gt 2000 ] && [ "$red" -lt 500 ]; then
        echo correct
    else
        echo "unclear (red +$red, green +$green pixels)"
    fi
}

used_today() {
    sql "SELECT count(*) FROM listofwords WHERE is_used = 1 AND last_seen = '$TODAY'"
}

# Answers the current question with the first choice (Home and Space select it, Return confirms),
# and checks that the verdict on screen matches the file: a wrong answer frees the word.
answer_question() {
    local win=$1 n=$2 before="$WORK/before.png" used verdict t
    used=$(used_today)
    import -window "$win" "$before" 2>/dev/null || fail "no screenshot of the test window"
    xdotool key Home space Return
    verdict=""
    for ((t = 0; t < 50; t++)); do
        verdict=$(shown_verdict "$win" "$before")
        case $verdict in correct | incorrect) break ;; esac
        sleep 0.1
    done
    case $verdict in
    correct) expect_sql "question $n answered right: its word stays used" \
        "SELECT count(*) FROM listofwords WHERE is_used = 1 AND last_seen = '$TODAY'" "$used" ;;
    incorrect) wait_sql "question $n answered wrong: its word is freed" \
        "SELECT count(*) FROM listofwords WHERE is_used = 1 AND last_seen = '$TODAY'" $((used - 1)) ;;
    *) fail "question $n: no verdict on screen: $verdict" ;;
    esac
    log "question $n: $verdict"
}

start_test() {
    local win=$1
    focus "$win"
    xdotool key --clearmodifiers alt+s
    answer_box '^Type of test\?$' Return # the default 0: a test on usages
    wait_sql "ten words drawn and marked used" \
        "SELECT count(*) FROM listofwords WHERE is_used = 1 AND last_seen = '$TODAY'" 10
    focus "$win"
}

flow_quiz() {
    new_home
    start_app
    seed_test_words

    step "open the test window from the menu, Start a usage test"
    local win q
    open_activity 2 '^TEST:$'
    win=$WIN
    start_test "$win"
    for ((q = 1; q <= 10; q++)); do
        step "question $q"
        answer_question "$win" "$q"
        xdotool key --clearmodifiers alt+n
        if [ "$q" -lt 10 ]; then
            sleep 0.2
            focus "$win"
        fi
    done
    step "after the tenth question Next ends the test"
    answer_box '^GRE Wordlist$' Return
    expect_sql "ten words drawn, each stamped today" \
        "SELECT count(*) FROM listofwords WHERE last_seen = '$TODAY'" 10
    expect_sql "the other words untouched" \
        "SELECT count(*) FROM listofwords WHERE last_seen = '2020-01-01' AND is_used = 0" 14
    close_window "$win"
    exit_app
    check_integrity

    step "second run: start a test and close the window after three questions"
    sql "UPDATE listofwords SET is_used = 0, last_seen = '2020-01-01'" || fail "reset failed"
    start_app
    open_activity 2 '^TEST:$'
    win=$WIN
    start_test "$win"
    for ((q = 1; q <= 3; q++)); do
        step "question $q of the second run"
        answer_question "$win" "$q"
        if [ "$q" -lt 3 ]; then
            xdotool key --clearmodifiers alt+n
            sleep 0.2
            focus "$win"
        fi
    done
    step "close the test window with its close box"
    close_window "$win"
    wait_sql "the seven words not shown are freed, dated 1 July 2001" \
        "SELECT count(*) FROM listofwords WHERE last_seen = '2001-07-01' AND is_used = 0" 7
    expect_sql "the three shown words keep today's date" \
        "SELECT count(*) FROM listofwords WHERE last_seen = '$TODAY'" 3
    expect_sql "the undrawn words untouched" \
        "SELECT count(*) FROM listofwords WHERE last_seen = '2020-01-01' AND is_used = 0" 14
    exit_app
    check_integrity
    expect_sql "no word lost" "SELECT count(*) FROM listofwords" 24
}

# --- main ----------------------------------------------------------------------------------

start_x
for FLOW in "${FLOWS[@]}"; do
    SECONDS=0
    case $FLOW in
    add) flow_add ;;
    search) flow_search ;;
    quiz) flow_quiz ;;
    *) fail "unknown flow $FLOW" ;;
    esac
    stop_app
    log "passed in ${SECONDS}s"
done
exit 0
