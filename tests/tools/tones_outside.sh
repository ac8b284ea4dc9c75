#!/bin/bash
# Karvo's WAV files as another program hears them: multimon-ng, an independent selective
# calling decoder, decodes Decoder 1's telegram written by karvo-cli tones in each of the six
# tone systems (CCIR 70 with multimon-ng's CCIR). Checked: every digit, and a repeat tone.
# A to E are left out: where multimon-ng's tables differ from ours (ZVEI2 B, EEA C) the
# README says which value was taken and why.
# Usage: tones_outside.sh KARVO_CLI SETUP; exit 77 (skipped) without multimon-ng.
set -u
cli=$1 setup=$2
command -v multimon-ng > /dev/null || { echo "multimon-ng is not installed: skipped"; exit 77; }
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
failed=0
for row in "1 ZVEI1" "2 ZVEI2" "3 ZVEI3" "4 CCIR" "5 CCIR" "6 EEA"; do
    read -r system demod <<< "$row"
    # Tones 1 2 3 4 5 6 7 8 9 0 1, then 2 2 2 (sent as 2 E 2) in a second setup.
    for telegram in "1 2 3 4 5 6 7 8 9 0 1:12345678901" "2 2 2 255:2E2"; do
        tones=${telegram%%:*} expected=${telegram#*:}
        pokes=(24="$system") address=62
        for t in $tones; do pokes+=("$address=$t"); address=$((address + 1)); done
        "$cli" poke "$setup" "$dir/s.s19" "${pokes[@]}" > /dev/null &&
            "$cli" tones "$dir/s.s19" --telegram "Decoder 1" --rate 22050 --wav "$dir/t.wav" ||
            { echo "karvo-cli failed for system $system"; exit 1; }
        # The samples after the 44-byte header, and 0.2 s of silence: multimon-ng reports
        # a tone once it has ended, and the file ends with the last tone.
        heard=$(multimon-ng -q -c -a "$demod" -t raw \
            <(tail -c +45 "$dir/t.wav"; head -c 8820 /dev/zero) 2> /dev/null)
        if [ "$heard" = "$demod: $expected" ]; then
            echo "system $system ($demod): $expected heard"
        else
            echo "system $system ($demod): expected '$demod: $expected', heard '$heard'"
            failed=1
        fi
    done
done
exit $failed
