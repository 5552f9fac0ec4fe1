#!/bin/bash
# The class folder on real network file systems, all on the loopback address: an sshd with three
# sshfs mounts (default options) and Samba with three smbnetfs mounts, one "computer" each.
# Three copies of the program's files add names, results and record lines at the same time;
# every one must be kept. Then "tivoral --ordner-pruefen" must call sshfs with default options
# and smbnetfs unsafe, sshfs without caches and a local folder safe.
#   sharedfolder.sh WORKER TIVORAL
# Exit 77 (skipped) where the machine cannot run it: not root, no FUSE, a tool missing.
set -u
WORKER=$1
TIVORAL=$2
ROUNDS=${NETFS_ROUNDS:-20}
SKIP=77
SSH_PORT=${NETFS_SSH_PORT:-22431}
# smbnetfs reaches Samba only on the standard port.
SMB_PORT=445
SECONDS_EACH=240

skip() { echo "SKIPPED: $*"; exit $SKIP; }
[ "$(id -u)" -eq 0 ] || skip "needs root (sshd and smbd of its own)"
[ -c /dev/fuse ] || skip "no /dev/fuse: FUSE is missing here"
for tool in sshd sshfs ssh-keygen smbd smbnetfs fusermount timeout; do
  command -v "$tool" >/dev/null 2>&1 || [ -x "/usr/sbin/$tool" ] ||
    skip "$tool is missing (scripts/install-deps netfs)"
done
if ss -ltn 2>/dev/null | grep -q "127.0.0.1:$SMB_PORT \|\*:$SMB_PORT \|0.0.0.0:$SMB_PORT "; then
  skip "port $SMB_PORT on 127.0.0.1 is taken; smbnetfs needs it for a Samba of its own"
fi

BASE=$(mktemp -d /tmp/tivoral-netfs.XXXXXX)
MOUNTS=()
failures=0
cleanup() {
  for m in "${MOUNTS[@]}"; do fusermount -u -z "$m" 2>/dev/null; done
  [ -f "$BASE/sshd.pid" ] && kill "$(cat "$BASE/sshd.pid")" 2>/dev/null
  [ -f "$BASE/smb/pid/smbd.pid" ] && kill "$(cat "$BASE/smb/pid/smbd.pid")" 2>/dev/null
  # Until the ports are free again, for the next run (the sanitizer build runs this once more).
  for _ in $(seq 50); do
    ss -ltn | grep -q "127.0.0.1:$SMB_PORT \|127.0.0.1:$SSH_PORT " || break
    sleep 0.1
  done
  rm -rf "$BASE"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# --- sshd on 127.0.0.1 ---
mkdir -p "$BASE/ssh" "$BASE/sshserved" /run/sshd
ssh-keygen -q -t ed25519 -N '' -f "$BASE/ssh/host" && ssh-keygen -q -t ed25519 -N '' -f "$BASE/ssh/user"
cp "$BASE/ssh/user.pub" "$BASE/ssh/authorized_keys"
cat > "$BASE/ssh/sshd_config" <<CONF
ListenAddress 127.0.0.1
Port $SSH_PORT
HostKey $BASE/ssh/host
AuthorizedKeysFile $BASE/ssh/authorized_keys
PasswordAuthentication no
PermitRootLogin prohibit-password
StrictModes no
UsePAM no
PidFile $BASE/sshd.pid
Subsystem sftp internal-sftp
CONF
for SSH_PORT in $(seq "$SSH_PORT" $((SSH_PORT + 20))); do
  ss -ltn | grep -q "127.0.0.1:$SSH_PORT " || break
done
sed -i "s/^Port .*/Port $SSH_PORT/" "$BASE/ssh/sshd_config"
/usr/sbin/sshd -f "$BASE/ssh/sshd_config" -E "$BASE/sshd.log" || skip "sshd does not start"
SSHFS_OPTS="IdentityFile=$BASE/ssh/user,StrictHostKeyChecking=no,UserKnownHostsFile=/dev/null,port=$SSH_PORT,LogLevel=ERROR"
sshmount() { # mountpoint [extra options]
  mkdir -p "$1" && MOUNTS+=("$1")
  timeout 20 sshfs -o "$SSHFS_OPTS${2:+,$2}" "root@127.0.0.1:$BASE/sshserved" "$1"
}

# --- Samba on 127.0.0.1, reached through smbnetfs ---
mkdir -p "$BASE/smb"/{private,lock,state,cache,pid,log} "$BASE/smbserved" "$BASE/home/.smb"
chmod 777 "$BASE/smbserved"
cat > "$BASE/smb/smb.conf" <<CONF
[global]
  interfaces = 127.0.0.1
  bind interfaces only = yes
  smb ports = $SMB_PORT
  private dir = $BASE/smb/private
  lock directory = $BASE/smb/lock
  state directory = $BASE/smb/state
  cache directory = $BASE/smb/cache
  pid directory = $BASE/smb/pid
  log file = $BASE/smb/log/log.%m
  map to guest = Bad User
  guest account = root
  server role = standalone server
  disable netbios = yes
  load printers = no
  printcap name = /dev/null
[klasse]
  path = $BASE/smbserved
  read only = no
  guest ok = yes
  force user = root
CONF
echo 'auth "127.0.0.1" "guest" ""' > "$BASE/home/.smb/smbnetfs.conf"
chmod 600 "$BASE/home/.smb/smbnetfs.conf"
printf '[global]\n  client min protocol = SMB2\n' > "$BASE/home/.smb/smb.conf"
smbd -D -s "$BASE/smb/smb.conf" || skip "smbd does not start"
smbmount() { # mountpoint; the share then lies below it
  mkdir -p "$1" && MOUNTS+=("$1")
  HOME="$BASE/home" timeout 20 smbnetfs "$1"
}

for i in 1 2 3; do
  sshmount "$BASE/ssh$i" || skip "sshfs cannot mount (FUSE not usable here?)"
  smbmount "$BASE/smb$i" || skip "smbnetfs cannot mount"
done
for _ in $(seq 50); do [ -d "$BASE/smb1/127.0.0.1/klasse" ] && break; sleep 0.2; done
[ -d "$BASE/smb1/127.0.0.1/klasse" ] || skip "smbnetfs does not reach the Samba share"

# Three copies, one per mount, started together; the sum of their exit codes (the changes they
# were told were not saved) goes to $BASE/lost.
run_three() { # mode rounds folder1 folder2 folder3
  local mode=$1 rounds=$2; shift 2
  local pids=() copy=(A B C) i code lost=0
  for i in 0 1 2; do
    mkfifo "$BASE/go$i"
    timeout $SECONDS_EACH "$WORKER" "$mode" "$1" "${copy[$i]}" "$rounds" < "$BASE/go$i" > "$BASE/out$i" &
    pids+=($!)
    eval "exec 1$i>\"\$BASE/go$i\""
    shift
  done
  for i in 0 1 2; do
    for _ in $(seq 200); do grep -q ready "$BASE/out$i" && break; sleep 0.1; done
  done
  for i in 0 1 2; do eval "echo go >&1$i; exec 1$i>&-"; done
  for i in 0 1 2; do
    wait "${pids[$i]}"; code=$?
    [ $code -ge 124 ] && fail "$mode: copy ${copy[$i]} timed out or crashed ($code)"
    lost=$((lost + code)); rm -f "$BASE/go$i"
  done
  echo $lost > "$BASE/lost"
}

# strict: every change kept. Otherwise (a share known to be unsuitable, which "Ordner prüfen"
# must call so) the figures are only shown.
scenario() { # label strict rounds served-folder mount1 mount2 mount3
  local label=$1 strict=$2 rounds=$3 served=$4 started=$SECONDS copy round
  shift 4
  printf 'Anna\r\n' > "$served/TIVORAL.INF"
  run_three add "$rounds" "$@"
  local refused_names; refused_names=$(cat "$BASE/lost")
  run_three record "$rounds" "$@"
  local refused_lines; refused_lines=$(cat "$BASE/lost")
  echo "$label: 3 copies x $rounds names, results and record lines in $((SECONDS - started)) s"
  local missing=0 lines
  for copy in A B C; do
    for round in $(seq 0 $((rounds - 1))); do
      grep -qx "$copy-$round"$'\r' "$served/TIVORAL.INF" || missing=$((missing + 1))
    done
  done
  grep -qx $'Anna\r' "$served/TIVORAL.INF" || fail "$label: the name that was there first is lost"
  lines=$(grep -c ';Dosensatz;' "$served/PROTOKOLL.CSV" 2>/dev/null)
  lines=${lines:-0}
  echo "$label: $((3 * rounds - missing)) of $((3 * rounds)) names and $lines of $((3 * rounds)) record lines kept; $refused_names changes and $refused_lines lines refused with a message"
  if [ "$strict" = strict ]; then
    [ "$refused_names" -eq 0 ] || fail "$label: $refused_names changes were refused"
    [ $missing -eq 0 ] || fail "$label: $missing of $((3 * rounds)) names lost"
    [ "$lines" -eq $((3 * rounds)) ] || fail "$label: $lines of $((3 * rounds)) record lines kept"
  fi
}

LOCAL="$BASE/local"
mkdir -p "$LOCAL"
scenario "local folder" strict "$ROUNDS" "$LOCAL" "$LOCAL" "$LOCAL" "$LOCAL"
scenario "sshfs, default options" strict "$ROUNDS" "$BASE/sshserved" "$BASE/ssh1" "$BASE/ssh2" "$BASE/ssh3"
# smbnetfs has no exclusive create (two copies may hold the lock at once), no append, and may
# refuse to delete the lock file while it is open: a few rounds show what is lost there.
SMBSHARE=127.0.0.1/klasse
scenario "smbnetfs" shown 3 "$BASE/smbserved" "$BASE/smb1/$SMBSHARE" "$BASE/smb2/$SMBSHARE" \
  "$BASE/smb3/$SMBSHARE"

# --- "Ordner prüfen" ---
sshmount "$BASE/ssh-nocache" "dir_cache=no,attr_timeout=0,entry_timeout=0,negative_timeout=0" ||
  fail "sshfs without caches cannot mount"
check_verdict() { # label folder expected-status
  timeout 120 "$TIVORAL" --ordner-pruefen "$2" > "$BASE/check.out" 2>&1
  local status=$?
  if [ $status -ne "$3" ]; then
    fail "$2 ($1): Ordner prüfen ended with $status, not $3"
    cat "$BASE/check.out"
  fi
  ls -A "$2" | grep -q 'TIVORAL-PRUEFUNG' && fail "$1: Ordner prüfen left its files behind"
}
check_verdict "local folder" "$LOCAL" 0
check_verdict "sshfs without caches" "$BASE/ssh-nocache" 0
check_verdict "sshfs, default options" "$BASE/ssh1" 1
# Last: smbnetfs wedges for minutes after the append it cannot do.
check_verdict "smbnetfs" "$BASE/smb1/$SMBSHARE" 1

[ $failures -eq 0 ] && echo "All network file system checks passed."
exit $((failures > 0))
