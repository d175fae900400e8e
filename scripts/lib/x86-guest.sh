# Shell functions of the emulated PC (qemu-system-x86_64) that runs the x86 build's Windows tests
# where this machine's kernel refuses 32-bit programs; source this file after common.sh. The PC is
# a Debian root of this machine's release from its mirror (Debian packages only), with 32-bit Wine
# and a 32-bit Wine prefix made once, as a disk image beside its kernel and initial ram disk. Its
# first process runs the main script of a job folder that the host shares, and writes the
# script's exit status there. The PC never sees the network.

# What runs the tests: ctest (of the host's release, so it reads the host's CTest files), Wine,
# a display and the fonts of wine-session.sh, and a kernel to boot. 32-bit Wine is only unpacked
# on the host; the PC configures it, as some of its packages' scripts run 32-bit programs.
x86_guest_packages=(linux-image-amd64 cmake wine wine64 xvfb fonts-wqy-microhei fonts-wine)
x86_guest_32bit_packages=(wine32:i386)
x86_guest_image_size=6G
x86_guest_setup_seconds=1800

# The PC's first process, in its image.
x86_guest_init=/usr/local/sbin/varnik-guest-init
# The build folder whose Wine prefix (wineprefix/, 32-bit) the image holds ready; a run mounts it
# over the prefix of the build folder under test.
x86_guest_prefix_build=/var/lib/varnik
x86_guest_memory=4G
x86_guest_cpus=2
# In the PC every wait of the window tests and CTest's time limit of each test (the Windows test
# presets' timeout, given to ctest --timeout) is this many times as long as natively
# (VARNIK_TIME_SCALE): under TCG the first window of a test process can take more than
# the 5 s that the window driver gives it natively.
x86_guest_time_scale_tcg=6
x86_guest_time_scale_kvm=2
# A PC still running the suites after this long is killed and the run fails: all passes take
# about 10 minutes under TCG on a busy 2-core machine.
x86_guest_suites_seconds=2700

# Seconds that a kernel gets, under KVM, to boot to its first panic (about 2 s where KVM works).
x86_guest_kvm_probe_seconds=20

# Prints the accelerator that runs the PC: KVM where a kernel really boots with it, else TCG (the
# emulator, which runs anywhere; VARNIK_GUEST_ACCEL=tcg asks for it). Some virtual machines offer
# /dev/kvm but cannot run a guest: QEMU stops on a CPU register it cannot set, or the kernel stalls
# in its first steps. The probe boots the image's kernel without a root file system, to its panic.
# usage: x86_guest_accel <image folder>
x86_guest_accel() {
    local log
    if [ "${VARNIK_GUEST_ACCEL:-}" = tcg ] || ! [ -r /dev/kvm ] || ! [ -w /dev/kvm ]; then
        echo tcg
        return
    fi
    log=$(mktemp)
    timeout -k 5 "$x86_guest_kvm_probe_seconds" qemu-system-x86_64 -accel kvm -cpu host -m 512 \
        -nodefaults -display none -no-reboot -nic none -serial "file:$log" \
        -kernel "$1/vmlinuz" -append "console=ttyS0 panic=-1" >/dev/null 2>&1 || true
    if grep -q 'Kernel panic' "$log"; then
        echo kvm
    else
        echo tcg
    fi
    rm -f "$log"
}

# Boots the PC with an accelerator (kvm or tcg) and waits until it powers off; kills it after the
# time limit. Returns the job's exit status, or 1 when the PC gave none (it hung, died or was
# killed). The serial console goes to console.log in the job folder.
# usage: x86_guest_boot <image folder> <job folder> <kvm|tcg> <time limit, seconds>
#        [qemu arguments...]
x86_guest_boot() {
    local image=$1 job=$2 limit=$4 accel status
    # QEMU 7.2's TCG with SMAP makes the guest kernel oops at every return to 32-bit code.
    accel=(-accel tcg,thread=multi -cpu max,-smap)
    [ "$3" = kvm ] && accel=(-accel kvm -cpu host)
    shift 4
    rm -f "$job/status"
    status=0
    # In the caller's process group (--foreground), so that an interrupt or a kill of the group
    # ends the PC too.
    timeout --foreground -k 10 "$limit" qemu-system-x86_64 "${accel[@]}" -smp "$x86_guest_cpus" \
        -m "$x86_guest_memory" -nodefaults -display none -no-reboot -nic none \
        -serial "file:$job/console.log" \
        -kernel "$image/vmlinuz" -initrd "$image/initrd.img" \
        -append "root=/dev/vda rw console=ttyS0 quiet panic=1 init=$x86_guest_init" \
        -drive "file=$image/root.img,format=raw,if=virtio" \
        -virtfs "local,path=${job//,/,,},mount_tag=job,security_model=none" \
        "$@" || status=$?
    if [ "$status" -eq 124 ] || [ "$status" -eq 137 ]; then
        echo "x86 guest: still running after $limit s, killed" >&2
    elif [ "$status" -ne 0 ]; then
        echo "x86 guest: qemu failed (status $status)" >&2
    fi
    if ! [ -s "$job/status" ]; then
        echo "x86 guest: the PC gave no status" >&2
        return 1
    fi
    return "$(<"$job/status")"
}

# Runs every test pass of an x86 build preset in the PC, which shares the source folder at the same
# path (build trees hold absolute paths) and mounts its ready 32-bit Wine prefix over the build
# folder's. Prints the PC's console when it is off; fails when the suites fail or the PC gives no
# status. usage: x86_guest_run_suites <build preset> [ctest arguments...]
x86_guest_run_suites() {
    local source=$varnik_root build="$varnik_root/build/$1" image accel scale limit job status=0
    image=$(x86_guest_image) || return
    accel=$(x86_guest_accel "$image")
    scale=$x86_guest_time_scale_tcg
    [ "$accel" = kvm ] && scale=$x86_guest_time_scale_kvm
    limit=$(sed -n 's/.*"timeout": \([0-9]*\).*/\1/p' "$source/CMakePresets.json")
    job=$(mktemp -d)
    {
        echo 'set -euo pipefail'
        echo 'echo "x86 guest: booted in $(cut -d " " -f 1 /proc/uptime) s"'
        printf 'mkdir -p %q\n' "$source"
        # Nothing changes the tree on the host meanwhile, so the PC may cache it whole; with
        # cache=mmap, 32-bit programs run from the share crashed at start (a read of address 0).
        printf 'mount -t 9p -o trans=virtio,version=9p2000.L,cache=loose source %q\n' "$source"
        printf 'mkdir -p %q/wineprefix\n' "$build"
        printf 'mount --bind %q/wineprefix %q/wineprefix\n' "$x86_guest_prefix_build" "$build"
        printf 'export VARNIK_TIME_SCALE=%q WINEARCH=win32\n' "$scale"
        printf 'source %q/scripts/lib/wine-session.sh\n' "$source"
        printf 'windows_passes %q' "$source"
        printf ' %q' "$@" --timeout "$((limit * scale))"
        echo
    } >"$job/main"
    echo "x86: the Windows suites of $build in an emulated PC ($accel, waits times $scale)"
    x86_guest_boot "$image" "$job" "$accel" "$x86_guest_suites_seconds" -snapshot \
        -virtfs "local,path=${source//,/,,},mount_tag=source,security_model=none" || status=$?
    tr -d '\r' <"$job/console.log"
    rm -rf "$job"
    return "$status"
}

# The PC's first process: mounts what programs expect, runs the job folder's main script (shared
# by the host as "job") with its output piped to the serial console (Wine writes terminal escapes
# to a terminal), writes its exit status into the job folder and powers the PC off.
x86_guest_write_init() {
    cat <<'EOF'
#!/bin/bash
mountpoint -q /proc || mount -t proc proc /proc
mountpoint -q /sys || mount -t sysfs sysfs /sys
mountpoint -q /dev || mount -t devtmpfs devtmpfs /dev
mkdir -p /dev/pts /dev/shm /job
mount -t devpts devpts /dev/pts
for dir in /dev/shm /run /tmp /var/tmp /root; do
    mount -t tmpfs tmpfs "$dir"
done
export HOME=/root PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin
modprobe -a 9pnet_virtio 9p
if mount -t 9p -o trans=virtio,version=9p2000.L,cache=mmap job /job; then
    bash /job/main 2>&1 </dev/null | cat >/dev/ttyS0
    echo "${PIPESTATUS[0]}" >/job/status
fi
sync
echo o >/proc/sysrq-trigger
sleep 60
EOF
}

# The first boot's job: configures 32-bit Wine, checks that nothing is missing, makes the prefix.
x86_guest_write_setup_job() {
    cat <<EOF
set -euo pipefail
export DEBIAN_FRONTEND=noninteractive
echo "x86 guest: booted in \$(cut -d ' ' -f 1 /proc/uptime) s"
dpkg --configure -a
apt-get check -qq
rm -rf /var/lib/apt/lists/*
echo "x86 guest: 32-bit Wine configured at \$(cut -d ' ' -f 1 /proc/uptime) s"
source /job/wine-session.sh
export WINEARCH=win32
wine_session_use_build $x86_guest_prefix_build
wine_session_create_prefix
echo "x86 guest: 32-bit Wine prefix made at \$(cut -d ' ' -f 1 /proc/uptime) s"
EOF
}

# Prints the folder of the PC's image, building it first if it is not cached. The cache lies
# outside the clone, in ${XDG_CACHE_HOME:-~/.cache}/varnik/, keyed on what builds the image (this
# file, the prefix's settings in wine-session.sh, the release), so clones share it; images of
# other keys are removed. Building needs root (sudo otherwise) and takes about ten minutes.
x86_guest_image() {
    local cache="${XDG_CACHE_HOME:-$HOME/.cache}/varnik" release key image sudo=()
    release=$(. /etc/os-release && echo "$VERSION_CODENAME")
    key=$(cat "$varnik_root"/scripts/lib/{x86-guest,wine-session}.sh <(echo "$release") |
        sha256sum | cut -c 1-16)
    image="$cache/x86-guest-$release-$key"
    if [ ! -e "$image/root.img" ]; then
        need emulated >&2 || return
        [ "$(id -u)" -eq 0 ] || sudo=(sudo)
        # A process of its own, where a failing step stops the build.
        "${sudo[@]}" bash -euo pipefail -c 'source "$0/scripts/lib/common.sh" &&
            source "$0/scripts/lib/x86-guest.sh" && x86_guest_build_image "$@"' \
            "$varnik_root" "$image" "$release" >&2 || return
        [ ${#sudo[@]} -eq 0 ] || sudo chown -R "$(id -u):$(id -g)" "$cache"
    fi
    echo "$image"
}

# usage: x86_guest_build_image <image folder> <release>
x86_guest_build_image() {
    local image=$1 release=$2 work="$1.partial" mirror start job status=0
    mkdir -p "$(dirname "$image")"
    exec 9>"$(dirname "$image")/x86-guest.lock"
    flock 9
    [ ! -e "$image/root.img" ] || return 0
    mirror=$(debian_mirror)
    rm -rf --one-file-system "$work"
    mkdir -p "$work"
    trap 'status=$?; debian_root_unmount "$work/root" && rm -rf --one-file-system "$work"
        exit $status' EXIT
    trap 'exit 130' INT
    trap 'exit 143' TERM

    echo "x86 guest: building the image"
    start=$(now)
    debian_root_make "$release" "$work/root" "$work/debootstrap.log"
    echo "x86 guest: debootstrap $(elapsed "$start") s"
    start=$(now)
    printf 'deb %s %s main\ndeb %s %s-updates main\n' "$mirror" "$release" "$mirror" "$release" \
        >"$work/root/etc/apt/sources.list"
    chroot "$work/root" /usr/bin/env -i DEBIAN_FRONTEND=noninteractive \
        PATH=/usr/sbin:/usr/bin:/sbin:/bin /bin/sh -c "
        dpkg --add-architecture i386 &&
        apt-get update -qq &&
        apt-get install -y -qq --no-install-recommends ${x86_guest_packages[*]} &&
        apt-get clean &&
        apt-get install -y -qq --no-install-recommends --download-only ${x86_guest_32bit_packages[*]} &&
        dpkg --unpack --force-depends /var/cache/apt/archives/*.deb &&
        apt-get clean" \
        >"$work/packages.log" 2>&1 || { tail -n 20 "$work/packages.log"; return 1; }
    debian_root_unmount "$work/root"
    x86_guest_write_init >"$work/root$x86_guest_init"
    chmod 755 "$work/root$x86_guest_init"
    cp -L "$work/root/vmlinuz" "$work/vmlinuz"
    cp -L "$work/root/initrd.img" "$work/initrd.img"
    mkfs.ext4 -q -L varnik -d "$work/root" "$work/root.img" "$x86_guest_image_size" >/dev/null
    rm -rf --one-file-system "$work/root"
    echo "x86 guest: packages and disk image $(elapsed "$start") s"

    start=$(now)
    job="$work/job"
    mkdir "$job"
    x86_guest_write_setup_job >"$job/main"
    cp "$varnik_root/scripts/lib/wine-session.sh" "$job/"
    x86_guest_boot "$work" "$job" "$(x86_guest_accel "$work")" "$x86_guest_setup_seconds" ||
        status=$?
    if [ "$status" -ne 0 ]; then
        echo "x86 guest: the first boot failed (status $status); its console:"
        tail -n 60 "$job/console.log"
        return 1
    fi
    tr -d '\r' <"$job/console.log" | grep '^x86 guest:'
    rm -rf "$job"
    echo "x86 guest: first boot (32-bit Wine, prefix) $(elapsed "$start") s"
    mv "$work" "$image"
    trap - EXIT
    # Images of other keys are stale.
    find "$(dirname "$image")" -mindepth 1 -maxdepth 1 -name 'x86-guest-*' ! -path "$image" \
        -exec rm -rf --one-file-system {} +
}
