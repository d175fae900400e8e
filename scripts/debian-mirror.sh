# The Debian mirror this machine installs from; source this file.

# Prints the first URI of a source that is not the security archive, in deb822 files or in
# one-line sources. A machine with no such source has no mirror to offer: say so and fail,
# rather than reach for an address of our own choosing.
mirror() {
    local uri
    uri=$(cat /etc/apt/sources.list.d/*.sources 2>/dev/null |
        awk '/^URIs:/ { for (i = 2; i <= NF; i++) print $i }' | grep -v -- '-security' | head -n 1)
    if [ -z "$uri" ]; then
        uri=$(cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null |
            awk '$1 == "deb" { for (i = 2; i <= NF; i++) if ($i ~ /^[a-z]+:\/\//) { print $i; exit } }' |
            grep -v -- '-security' | head -n 1)
    fi
    if [ -z "$uri" ]; then
        echo "no Debian mirror in this machine's apt sources (/etc/apt/sources.list," \
            "/etc/apt/sources.list.d/): add the one to install from" >&2
        return 1
    fi
    echo "$uri"
}
