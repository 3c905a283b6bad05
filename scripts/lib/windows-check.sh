# scripts/windows --check: the Windows build under Wine, against the Linux build of the same
# source. Sourced by scripts/windows, which sets $root, $build, $native (the Linux build) and
# $release_zip.

check_dir=""
wine_run() {
  WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" SDL_AUDIODRIVER=dummy timeout 900 wine "$@"
}

# The unit tests built for Windows, with SDL's dummy video driver. Left out, each for a reason
# of the test's, not the game's:
windows_unit_tests_left_out="$(printf '%s:' \
  'PlayerText.ADeviceThatNeverEndsIsCutOffAtTheLimit' `# reads /dev/zero` \
  'PlayerText.WhatIsNotAFileIsNamedForWhatItIs' `# makes symbolic links, which Wine cannot` \
  'SaveFileTest.DyingDuringASaveLeavesThePreviousFile' `# a death test re-runs in a process with a folder of its own` \
  'Rounding.HalvesGoAwayFromZeroExactlyAsTheLibraryRoundsThem' `# MinGW's llround rounds 0.49999999999999994 up; the game's rounding does not`)"
check_unit_tests() {
  local t=$SECONDS
  say "unit tests under Wine"
  (cd "$check_dir" && SDL_VIDEODRIVER=dummy wine_run "$build/cross/tests/velmoria_tests.exe" \
    --gtest_brief=1 "--gtest_filter=-${windows_unit_tests_left_out:-}") > "$check_dir/unit-tests.txt" 2>&1 || {
    tail -n 40 "$check_dir/unit-tests.txt" >&2
    say "unit tests FAILED under Wine"
    return 1
  }
  say "  $(grep -E '^\[  PASSED  \]' "$check_dir/unit-tests.txt") ($((SECONDS - t)) s)"
}

# A folder with the packs and catalogues for one run of one build.
run_folder() {
  local folder="$check_dir/$1"
  rm -rf "$folder"
  mkdir -p "$folder"
  cp "$native/game/"*.dat "$native/game/"*.mo "$folder/"
  echo "$folder"
}

# The same headless run on both builds; every screenshot it writes must be the same picture.
# compare_run NAME ARGUMENTS... (with @OUT@ standing for the run's own folder)
compare_run() {
  local name="$1"
  shift
  local linux windows args=() wargs=() a
  linux="$(run_folder "$name-linux")"
  windows="$(run_folder "$name-windows")"
  for a in "$@"; do
    args+=("${a//@OUT@/$linux}")
    wargs+=("${a//@OUT@/Z:$windows}")
  done
  SDL_AUDIODRIVER=dummy "$native/game/velmoria" --headless --data "$linux" "${args[@]}" > "$linux/stdout.txt"
  wine_run "$build/cross/game/velmoria.exe" --headless --data "Z:$windows" "${wargs[@]}" > "$windows/stdout.txt"
  local shots=0 shot
  for shot in "$linux"/*.png; do
    [ -f "$shot" ] || continue
    shots=$((shots + 1))
    if ! /usr/bin/python3 "$root/scripts/lib/same-picture.py" "$shot" "$windows/$(basename "$shot")"; then
      say "  $name: $(basename "$shot") differs between Linux and Windows"
      return 1
    fi
  done
  [ "$shots" -gt 0 ] || { say "  $name: no screenshots were written"; return 1; }
  # A Windows console takes its lines ended with CR LF.
  tr -d '\r' < "$windows/stdout.txt" | cmp -s "$linux/stdout.txt" - || { say "  $name: the runs printed different results"; return 1; }
  say "  $name: $shots frames identical ($(cd "$linux" && echo *.png))"
}

check_frames() {
  local t=$SECONDS failed=0 frames
  say "frames, Linux against Windows"
  printf '300 move 520 200\n301 click left\n' > "$check_dir/game-select.script"
  compare_run title --seed 3 --frames 260 --screenshot "1:@OUT@/first.png" --screenshot "250:@OUT@/title.png" || failed=1
  compare_run game-select --seed 3 --frames 420 --input "$check_dir/game-select.script" \
    --screenshot "330:@OUT@/arrival.png" --screenshot "410:@OUT@/game-select.png" || failed=1
  "$native/tools/bot/velmoria-bot" --data "$native/game" --full-flow battle --character 0 --seed 11 \
    --replay-out "$check_dir/full-flow.replay" > /dev/null
  # The battle at a quarter, half and three quarters of the replay, and its last frame.
  frames="$(sed -n 's/^frames //p' "$check_dir/full-flow.replay")"
  compare_run full-flow-battle --replay "$check_dir/full-flow.replay" \
    --screenshot "$((frames / 4)):@OUT@/battle-quarter.png" --screenshot "$((frames / 2)):@OUT@/battle-half.png" \
    --screenshot "$((frames * 3 / 4)):@OUT@/battle-three-quarters.png" --screenshot "last:@OUT@/battle-last.png" || failed=1
  say "  ($((SECONDS - t)) s)"
  return "$failed"
}

# A window under Wine and Xvfb: it opens, plays a short script and quits with exit code 0.
check_window() {
  local folder t=$SECONDS
  folder="$(run_folder window)"
  printf '120 key F1\n180 key F1\n240 close\n' > "$check_dir/window.script"
  say "a window under Wine and Xvfb"
  (cd "$folder" && xvfb-run -a -s "-screen 0 1280x1024x24" env WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" SDL_AUDIODRIVER=dummy \
    timeout 300 wine "$build/cross/game/velmoria.exe" --window --data "Z:$folder" --input "Z:$check_dir/window.script") \
    > "$folder/stdout.txt" 2>&1 || { cat "$folder/stdout.txt" >&2; say "  the window run failed"; return 1; }
  grep -q "ウィンドウモードで起動します" "$folder/log.txt" || { say "  the window run left no log"; return 1; }
  say "  opened, played and closed cleanly ($((SECONDS - t)) s)"
}

# save.dat has one format: each build reads what the other wrote, and the same play writes the
# same bytes.
check_saves() {
  say "save.dat across the builds"
  local linux windows
  linux="$(run_folder save-linux)"
  windows="$(run_folder save-windows)"
  SDL_AUDIODRIVER=dummy "$native/game/velmoria" --headless --seed 5 --frames 60 --data "$linux" > /dev/null
  wine_run "$build/cross/game/velmoria.exe" --headless --seed 5 --frames 60 --data "Z:$windows" > /dev/null
  cmp "$linux/save.dat" "$windows/save.dat" || { say "  the two builds wrote different saves"; return 1; }
  # Each reads the other's, and neither finds fault with it.
  cp "$windows/save.dat" "$linux/save.dat"
  : > "$linux/from-windows"
  SDL_AUDIODRIVER=dummy "$native/game/velmoria" --headless --seed 5 --frames 60 --data "$linux" > /dev/null
  wine_run "$build/cross/game/velmoria.exe" --headless --seed 5 --frames 60 --data "Z:$windows" > /dev/null
  local log
  for log in "$linux/log.txt" "$windows/log.txt"; do
    if grep -q "save.dat" "$log"; then
      say "  $(grep "save.dat" "$log" | head -n 1)"
      return 1
    fi
  done
  cmp -s "$linux/save.dat" "$windows/save.dat" || { say "  the saves differ after reading each other's"; return 1; }
  say "  written alike ($(stat -c %s "$linux/save.dat") bytes) and read back by each other"
}

run_windows_check() {
  local t=$SECONDS
  install_missing python3-pil  # for Debian's own python3, which the picture comparison runs on
  check_dir="$build/check"
  rm -rf "$check_dir"
  mkdir -p "$check_dir"
  wine_run wineboot --init > /dev/null 2>&1 || true
  local failed=0
  check_unit_tests || failed=1
  check_frames || failed=1
  check_window || failed=1
  check_saves || failed=1
  if [ "$failed" -ne 0 ]; then
    say "check FAILED ($((SECONDS - t)) s)"
    return 1
  fi
  say "check passed in $((SECONDS - t)) s"
}
