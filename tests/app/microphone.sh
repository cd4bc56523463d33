#!/usr/bin/env bash
# A recording from a microphone holds reminders as a call within one poll, named by the
# application recording, and the hold ends when the recording stops; a level meter on the same
# microphone holds nothing. Runs a PipeWire of its own with a virtual microphone.
# Usage (from ctest): run-in-session microphone.sh BUILD_DIR
set -euo pipefail
source "$(dirname "$0")/common.sh"
[ "$1" = --inside ] || export pipewire_conf=$(dirname "$(realpath "$0")")/pipewire-microphone.conf
installed_session "$@"

pipewire -c "$pipewire_conf" >"$HOME/pipewire.log" 2>&1 &
wait_for 5 "PipeWire is up" pw-cli info 0
# Fast mode: a poll every 2 seconds.
BREVIMAR_FAST=1 "$HOME/.local/bin/brevimar" >"$HOME/brevimar.log" 2>&1 &
wait_for 10 "Brevimar is up" "$ctl" kinds

# Records from the virtual microphone under a node name of its own. Without a session manager
# nothing links a stream, so this does what one would: give it a port for the microphone's one
# channel and link the two, which sets the stream running.
record() { # node-name [property…]
    local node=$1 props="\"node.name\": \"$1\""
    shift
    for prop in "$@"; do props+=", $prop"; done
    pw-record --target test-microphone --channels 1 -P "{ $props }" - >/dev/null 2>&1 &
    recorder=$!
    wait_for 5 "the stream $node appears" pw-cli info "$node" || return
    pw-cli set-param "$node" PortConfig '{ "direction": "Input", "mode": "dsp", "format": {
        "mediaType": "audio", "mediaSubtype": "raw", "format": "F32P", "rate": 48000,
        "channels": 1, "position": [ "MONO" ] } }' >/dev/null
    wait_for 5 "$node is linked" pw-link test-microphone:capture_MONO "$node:input_MONO"
}
running() { pw-dump "$1" | grep -q '"state": "running"'; }

record level-meter '"stream.monitor": true'
wait_for 5 "the level meter runs" running level-meter
sleep 3 # past the next poll
held "" || fail "a level meter holds reminders: $(hold)"

record voice-call
wait_for 3 "a recording holds reminders within a poll" held "call pw-record"
kill "$recorder"
wait_for 3 "the hold ends with the recording" held ""
verdict
