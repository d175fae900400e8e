# Shell functions that run the x86 build's Windows tests in an emulated PC (qemu-system-x86_64)
# where this machine's kernel refuses 32-bit programs; source this file. scripts/x86-guest-image
# makes the PC. Its first process runs the main script of a job folder that the host shares, and
# writes the script's exit status there. The PC never sees the network.

# The PC's first process, in its image.
x86_guest_init=/usr/local/sbin/varnik-guest-init
# The build folder whose Wine prefix (wineprefix/, 32-bit) the image holds ready; a run mounts it
# over the prefix of the build folder under test.
x86_guest_prefix_build=/var/lib/varnik
x86_guest_memory=4G
x86_guest_cpus=2

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
