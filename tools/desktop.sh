# Sourced by demo.sh and screenshots.sh: starts the demo folder's starter on
# an 800 x 600 Wine virtual desktop (drawn title bars) and waits for its window.
start_on_desktop() {
  cd "$demo"
  "$root/tools/wine-run.sh" explorer /desktop=quimbel,800x600 "$demo/quimbel.exe" >/dev/null 2>&1 &
  for _ in $(seq 100); do
    xdotool search --name 'Quimbel Advance Start' >/dev/null 2>&1 && break
    sleep 0.2
  done
  sleep 1.5
}
