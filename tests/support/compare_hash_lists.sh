# Sourced by the scripts that compare two builds' whole-show hashes.
# compare_hash_lists NAME-A FILE-A NAME-B FILE-B: says how far each got, and
# exits 1 (after saying why) unless A reached the last scene and both lists
# are the same.
compare_hash_lists() {
    frames=$(wc -l <"$2")
    printf '%-16s %s frames, last: %s\n' "$1:" "$frames" "$(tail -n 1 "$2")"
    printf '%-16s %s frames, last: %s\n' "$3:" "$(wc -l <"$4")" "$(tail -n 1 "$4")"
    case "$(tail -n 1 "$2")" in
    *" scene 7 "*) ;;
    *)
        echo "FAILED: the show did not reach its last scene"
        exit 1
        ;;
    esac
    if ! cmp -s "$2" "$4"; then
        echo "FAILED: the frames differ; first differences:"
        diff "$2" "$4" | head -n 10
        exit 1
    fi
    echo "all $frames frame hashes identical"
}
