# Sourced after scripts/wine-env.sh and wine_env: puts the game CD of that build, exactly as it is
# laid out (build/<preset>/bin/gamecd), in a CD-ROM drive of the prefix, and takes it out again.
#   cd_image_insert LETTER   drive D or E: its folder becomes a link to the CD image
#   cd_image_eject LETTER    the drive is an empty CD-ROM drive again
#   cd_image_program LETTER  the Windows path autorun.inf opens, e.g. D:\launcher.exe
# The prefix's D: and E: are CD-ROM drives backed by $WINE_CDROM_DIR/d and /e (wine-env.sh);
# the link changes what is on the disc without restarting the wineserver. Tests expect both
# drives empty: eject in an EXIT trap.

cd_image_folder() { echo "$WINE_BUILD_DIR/bin/gamecd"; }

cd_image_insert() {
    local letter=${1,,} image drive
    image=$(cd_image_folder)
    drive="$WINE_CDROM_DIR/$letter"
    if [ ! -f "$image/autorun.inf" ]; then
        echo "cdimage: no CD image in $image: build that preset first" >&2
        return 1
    fi
    [ "$(readlink "$drive")" = "$image" ] && return 0 # still in from an earlier run
    if [ -L "$drive" ] || [ -n "$(ls -A "$drive" 2>/dev/null)" ]; then
        echo "cdimage: drive ${letter^^}: is not empty ($drive)" >&2
        return 1
    fi
    rmdir "$drive" 2>/dev/null || true
    ln -s "$image" "$drive"
}

cd_image_eject() {
    local drive="$WINE_CDROM_DIR/${1,,}"
    [ -L "$drive" ] && rm "$drive"
    mkdir -p "$drive"
}

cd_image_program() {
    local letter=${1^^} open
    open=$(tr -d '\r' <"$(cd_image_folder)/autorun.inf" | sed -n 's/^open=//Ip' | head -n 1)
    echo "$letter:\\${open//\//\\}"
}
