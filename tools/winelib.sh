# Shell helpers shared by the run, test and benchmark scripts (sourced, not run).
# Every process started here is remembered by PID and stopped by qv_cleanup.

# qv_wine_env PREFIX: the environment every Wine process of ours runs in.
qv_wine_env() {
    # Wine takes only an absolute prefix path.
    mkdir -p "$1"
    WINEPREFIX="$(cd "$1" && pwd)"
    export WINEPREFIX
    export WINEDEBUG=-all
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
