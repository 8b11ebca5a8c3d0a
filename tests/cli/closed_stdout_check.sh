#!/bin/bash
# The server serves on when whoever read its standard output went away
# (scanbench-run --serve-board 0 | head -1): a client is served, then
# another, and SIGTERM still ends it with exit code 0.
# Usage: closed_stdout_check.sh SCANBENCH-RUN
set -u
runner=$1
work=$(mktemp -d)
trap 'kill -TERM "$(cat "$work/pid" 2>/dev/null)" 2>/dev/null; rm -rf "$work"' EXIT
{ "$runner" --serve-board 0 --serve-tap 1 & echo $! > "$work/pid"; wait $!; echo $? > "$work/code"; } \
    | head -1 > "$work/first" &
# head exits after the first line, and with it the pipe's reading end.
until [ -s "$work/first" ] && [ -s "$work/pid" ]; do sleep 0.05; done
cat "$work/first"
port=$(sed -n 's/.*127\.0\.0\.1:\([0-9]*\).*/\1/p' "$work/first")
[ -n "$port" ] || { echo "no port in: $(cat "$work/first")"; exit 1; }
for client in 1 2; do
    exec 3<>"/dev/tcp/127.0.0.1/$port" || { echo "client $client: cannot connect"; exit 1; }
    printf '0R' >&3
    IFS= read -r -n 1 -t 60 reply <&3 || { echo "client $client: no reply"; exit 1; }
    echo "client $client read TDO $reply"
    printf 'Q' >&3
    exec 3>&-
done
kill -TERM "$(cat "$work/pid")"
until [ -s "$work/code" ]; do sleep 0.05; done
echo "exit=$(cat "$work/code")"
