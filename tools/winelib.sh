# Shell helpers shared by the run, test and benchmark scripts (sourced, not run).
# Every process started here is remembered by PID and stopped by qv_cleanup.

# qv_wine_env PREFIX: the environment every Wine process of ours runs in.
qv_wine_env() {
    # Wine takes only an absolute prefix path.
    mkdir -p "$1"
    WINEPREFIX="$(cd "$1" && pwd)"
    export WINEPREFIX
    # QV_WINEDEBUG turns Wine's channels back on when a run needs explaining.
    export WINEDEBUG="${QV_WINEDEBUG:--all}"
    # Mono and Gecko cannot be fetched here; without this Wine asks for them.
    # The menu builder would copy shortcuts into the host's own menus.
    export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
    # LANG alone leaves Wine in en-US; LC_ALL gives zh-CN and code page 936.
    export LC_ALL=zh_CN.UTF-8
    unset WINEARCH
    # Wine takes its Unix file-name code set from glibc. With no glibc locale
    # of that name it falls back to ASCII and cannot create or open files with
    # Chinese names. It reads only the code set there (the Windows locale comes
    # from the name), so C.UTF-8's data under the zh_CN name is enough.
    if [ "$(locale charmap 2>/dev/null)" != UTF-8 ]; then
        qv_loc="$WINEPREFIX.locale"
        mkdir -p "$qv_loc"
        for qv_c in /usr/lib/locale/C.utf8 /usr/lib/locale/C.UTF-8; do
            [ -d "$qv_c" ] && ln -sfn "$qv_c" "$qv_loc/$LC_ALL" && break
        done
        export LOCPATH="$qv_loc"
    fi
}

# qv_start_xvfb: a private display on a free number; sets DISPLAY and QV_XVFB_PID.
qv_start_xvfb() {
    qv_dfile=$(mktemp /tmp/qorvane-xvfb.XXXXXX)
    Xvfb -displayfd 3 -screen 0 "${QV_SCREEN:-1024x768x24}" -nolisten tcp \
        3>"$qv_dfile" >/dev/null 2>&1 &
    QV_XVFB_PID=$!
    qv_i=0
    while [ ! -s "$qv_dfile" ] && [ $qv_i -lt 100 ]; do
        sleep 0.05; qv_i=$((qv_i + 1))
    done
    if [ ! -s "$qv_dfile" ]; then
        echo "Xvfb did not start" >&2; rm -f "$qv_dfile"; return 1
    fi
    export DISPLAY=":$(head -n1 "$qv_dfile")"
    rm -f "$qv_dfile"
}

# qv_start_server: a wineserver of our own for this prefix, up until
# qv_cleanup. Debian's wrapper runs the server with -p0: it shuts down the
# moment its last program ends, and a program started just then finds the
# socket closed and must wait, through a few fixed retries, for the old
# server to go and a new one with freshly started services: seconds under
# load, and no start at all once the retries run out. A persistent server
# has no such moment between the steps of a run. Whatever is left in this
# prefix is ended first (callers hold the prefix to themselves).
qv_start_server() {
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w
    wineserver -p
}

# qv_prefix_processes: "pid state age command" of every process running in
# this prefix (Wine's own services included), found by their WINEPREFIX.
qv_prefix_processes() {
    for qv_e in /proc/[0-9]*/environ; do
        { tr '\0' '\n' <"$qv_e"; } 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" || continue
        qv_p=${qv_e#/proc/}; qv_p=${qv_p%/environ}
        ps -o pid=,stat=,etime=,args= -p "$qv_p" 2>/dev/null
    done
}

# qv_cleanup: ends this prefix's Wine processes, then our Xvfb.
qv_cleanup() {
    if [ -n "${WINEPREFIX:-}" ]; then
        wineserver -k >/dev/null 2>&1 || true
        wineserver -w >/dev/null 2>&1 || true
    fi
    if [ -n "${QV_XVFB_PID:-}" ]; then
        kill "$QV_XVFB_PID" 2>/dev/null || true
        wait "$QV_XVFB_PID" 2>/dev/null || true
        QV_XVFB_PID=""
    fi
}
