#!/bin/sh
# A throw-away database server for the tests: a cluster in FOLDER that listens only on a Unix
# socket in that folder. Run as root, the server runs as the unprivileged user "postgres".
#   test-server.sh start FOLDER    (a cluster left from an earlier run is made anew)
#   test-server.sh stop FOLDER     (stops it and removes the folder)
#   test-server.sh pause FOLDER / resume FOLDER   (stops or starts the running cluster only)
set -eu
action=$1
folder=$2
bin=${VELLUM_PG_BIN:-/usr/lib/postgresql/15/bin}

as_server() {
    if [ "$(id -u)" = 0 ]; then
        runuser -u postgres -- "$@"
    else
        "$@"
    fi
}

start_server() {
    as_server "$bin/pg_ctl" -D "$folder/data" -l "$folder/server.log" -w -t 60 \
        -o "-c listen_addresses='' -c unix_socket_directories='$folder' -c fsync=off -c max_connections=200" start >/dev/null
}

case $action in
start)
    if [ -f "$folder/data/postmaster.pid" ]; then
        as_server "$bin/pg_ctl" -D "$folder/data" -m immediate stop >/dev/null 2>&1 || true
    fi
    rm -rf "$folder"
    mkdir -p "$folder"
    if [ "$(id -u)" = 0 ]; then
        chown postgres "$folder"
    fi
    as_server "$bin/initdb" -D "$folder/data" -U vellum -A trust -E UTF8 --locale=C.UTF-8 >"$folder/initdb.log"
    start_server
    ;;
pause)
    as_server "$bin/pg_ctl" -D "$folder/data" -m fast -w stop >/dev/null
    ;;
resume)
    start_server
    ;;
stop)
    if [ -f "$folder/data/postmaster.pid" ]; then
        as_server "$bin/pg_ctl" -D "$folder/data" -m fast -w stop >/dev/null || true
    fi
    rm -rf "$folder"
    ;;
*)
    echo "usage: $0 start|stop|pause|resume FOLDER" >&2
    exit 2
    ;;
esac
