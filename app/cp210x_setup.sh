#!/bin/sh
# Sets up this computer for USB GPS receivers that talk through a Silicon Labs CP210x USB to
# UART bridge. The bridge's driver is part of the Linux kernel; what a user usually lacks is
# the right to open the serial port, and ModemManager may probe the port as a modem. So this
# checks the cp210x kernel module, installs a udev rule that gives the user logged in at the
# computer access to CP210x ports and tells ModemManager to leave them alone, and reloads
# udev so that a receiver already plugged in gets the new rights at once.
#
# The launcher runs it with /A (no questions). Changes to the system are made as root,
# through pkexec when started by another user.
set -u

RULE_FILE=/etc/udev/rules.d/70-zephyrane-cp210x.rules
RULE='# CP210x USB to UART bridges (USB GPS receivers), installed by the Zephyrane driver set-up.
# uaccess gives the user logged in at this computer access to the serial port;
# ID_MM_DEVICE_IGNORE keeps ModemManager from probing the port as a modem.
ACTION!="remove", SUBSYSTEM=="tty", ATTRS{idVendor}=="10c4", ATTRS{idProduct}=="ea60|ea61|ea63|ea70|ea71|ea7a|ea7b", TAG+="uaccess", ENV{ID_MM_DEVICE_IGNORE}="1"'

quiet=0
dry_run=0
as_root_step=0

usage() {
    cat <<USAGE
Usage: $(basename "$0") [/A] [--dry-run]
Gives the logged-in user access to CP210x USB serial ports (USB GPS receivers).
  /A          set up without asking
  --dry-run   show what would be done and change nothing
USAGE
}

for arg in "$@"; do
    case "$arg" in
        /A | /a) quiet=1 ;;
        --dry-run) dry_run=1 ;;
        --root-step) as_root_step=1 ;;
        -h | --help) usage; exit 0 ;;
        *) echo "Unknown argument: $arg" >&2; usage >&2; exit 2 ;;
    esac
done

say() { printf '%s\n' "$*"; }

# The module is there when the running kernel has it loaded or built in, or can load it.
module_state() {
    if [ -d /sys/module/cp210x ]; then
        echo loaded
    elif modinfo cp210x >/dev/null 2>&1; then
        echo available
    else
        echo missing
    fi
}

rule_is_current() {
    [ -f "$RULE_FILE" ] && [ "$(cat "$RULE_FILE")" = "$RULE" ]
}

# The part that needs root: load the module, write the rule, make udev apply it.
root_step() {
    if [ "$(module_state)" = available ]; then
        run modprobe cp210x
    fi
    if [ "$dry_run" -eq 1 ]; then
        say "Would write $RULE_FILE:"
        say "$RULE"
    else
        if ! { mkdir -p "$(dirname "$RULE_FILE")" && printf '%s\n' "$RULE" > "$RULE_FILE"; }; then
            say "Could not write $RULE_FILE."
            return 1
        fi
        say "Wrote $RULE_FILE."
    fi
    run udevadm control --reload-rules
    run udevadm trigger --action=change --subsystem-match=tty
}

run() {
    if [ "$dry_run" -eq 1 ]; then
        say "Would run: $*"
    else
        "$@" || say "Warning: '$*' failed."
    fi
}

if [ "$as_root_step" -eq 1 ]; then
    root_step
    exit $?
fi

case "$(module_state)" in
    loaded) say "cp210x driver: loaded." ;;
    available) say "cp210x driver: available, it will be loaded." ;;
    missing) say "cp210x driver: not found in this kernel. Install your distribution's kernel modules package; the access rule is installed anyway." ;;
esac

if rule_is_current && [ "$(module_state)" != available ]; then
    say "The access rule is already installed: nothing to do."
    exit 0
fi

if [ "$quiet" -eq 0 ]; then
    if [ ! -t 0 ]; then
        say "Run with /A to set up without questions."
        exit 1
    fi
    printf 'Install the access rule for CP210x receivers in %s? [y/N] ' "$RULE_FILE"
    read -r answer || answer=
    case "$answer" in
        y | Y | yes | Yes) ;;
        *) say "Nothing changed."; exit 1 ;;
    esac
fi

self=$(readlink -f "$0")
if [ "$(id -u)" -eq 0 ]; then
    root_step
    status=$?
elif [ "$dry_run" -eq 1 ]; then
    say "Would run as root through pkexec: $self --root-step --dry-run"
    root_step
    status=$?
elif command -v pkexec >/dev/null 2>&1; then
    pkexec "$self" --root-step
    status=$?
else
    say "pkexec is missing (Debian package pkexec or policykit-1); run this again as root."
    status=1
fi

if [ "$status" -eq 0 ]; then
    say "Done: unplug the receiver and plug it in again if it is connected."
    if [ "$dry_run" -eq 0 ] && command -v notify-send >/dev/null 2>&1; then
        notify-send "Zephyrane" "CP210x receivers are set up." >/dev/null 2>&1 || true
    fi
else
    say "The set-up did not finish."
fi
exit "$status"
