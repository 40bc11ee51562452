# Sourced: gives the calling script a virtual X display when none is set.
if [[ -z ${DISPLAY:-} ]] && command -v Xvfb >/dev/null; then
  for n in $(seq 90 120); do
    if [[ ! -e /tmp/.X11-unix/X$n && ! -e /tmp/.X$n-lock ]]; then
      Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
      ZARVELO_XVFB_PID=$!
      export DISPLAY=":$n"
      trap 'kill $ZARVELO_XVFB_PID 2>/dev/null || true' EXIT
      for _ in $(seq 50); do [[ -e /tmp/.X11-unix/X$n ]] && break; sleep 0.1; done
      break
    fi
  done
fi
