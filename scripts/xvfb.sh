# Sourced: start_xvfb starts a private X server and exports DISPLAY; stop_xvfb ends it.
# Xvfb picks a free display number itself (-displayfd), so runs side by side never
# share a server.
XVFB_PID=
start_xvfb() {
    local numberFile
    numberFile=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$numberFile" >/dev/null 2>&1 &
    XVFB_PID=$!
    local i number=
    for i in $(seq 100); do
        number=$(cat "$numberFile")
        [ -n "$number" ] && break
        kill -0 "$XVFB_PID" 2>/dev/null || break
        sleep 0.1
    done
    rm -f "$numberFile"
    if [ -z "$number" ]; then
        echo "could not start Xvfb" >&2
        return 1
    fi
    export DISPLAY=":$number"
}
stop_xvfb() {
    if [ -n "$XVFB_PID" ]; then
        kill "$XVFB_PID" 2>/dev/null || true
        wait "$XVFB_PID" 2>/dev/null || true
        XVFB_PID=
    fi
}
