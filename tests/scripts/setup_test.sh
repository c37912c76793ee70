#!/bin/sh
# scripts/setup.sh with stand-ins for id, sudo, dpkg-query and apt-get on PATH: as root and
# through sudo, apt-get must see DEBIAN_FRONTEND=noninteractive, or debconf may stop to ask.
# Argument: SOURCE_DIR.
set -eu
source_dir=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

mkdir "$scratch/bin"
# Nothing is installed yet.
printf '#!/bin/sh\nexit 1\n' >"$scratch/bin/dpkg-query"
# Records, for each run, the subcommand and the frontend apt-get was left with.
cat >"$scratch/bin/apt-get" <<'END'
#!/bin/sh
echo "$3 ${DEBIAN_FRONTEND:-unset}" >>"$APT_LOG"
END
# sudo's default env_reset: the command runs with little more than PATH.
cat >"$scratch/bin/sudo" <<'END'
#!/bin/sh
exec env -i PATH="$PATH" APT_LOG="$APT_LOG" "$@"
END
chmod +x "$scratch/bin/"*
export APT_LOG="$scratch/apt-get.log"

status=0
for uid in 0 1000; do
  printf '#!/bin/sh\necho %s\n' "$uid" >"$scratch/bin/id"
  chmod +x "$scratch/bin/id"
  rm -f "$scratch/apt-get.log"
  PATH="$scratch/bin:$PATH" sh "$source_dir/scripts/setup.sh" run >/dev/null
  # update asks nothing; install must not ask either.
  if ! grep -qx 'install noninteractive' "$scratch/apt-get.log"; then
    echo "FAIL: as uid $uid apt-get install saw: $(grep install "$scratch/apt-get.log")" >&2
    status=1
  fi
done
exit "$status"
