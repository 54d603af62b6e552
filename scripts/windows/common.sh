# Shared by the Windows build scripts (sourced): the cross tool chain's names and where the
# cross-built dependencies are kept. The cache lies outside the clone, so every clone and
# worktree on the machine shares one build of each dependency.
zrv_win_host=x86_64-w64-mingw32
zrv_win_cc=${zrv_win_host}-gcc-posix
zrv_win_cxx=${zrv_win_host}-g++-posix
zrv_win_cache=${ZRV_WINDOWS_DEPS:-${XDG_CACHE_HOME:-$HOME/.cache}/zorvane/windows-deps}
zrv_win_jobs=${ZRV_JOBS:-2}

zrv_win_log() { printf 'windows: %s\n' "$*" >&2; }
zrv_win_die() { printf 'windows: %s\n' "$*" >&2; exit 1; }

# Lowers the priority of the calling shell and all it starts: the machine's cores are
# shared.
zrv_win_lower_priority() { renice -n 10 -p "$BASHPID" >/dev/null; }
