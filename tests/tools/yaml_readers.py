#!/usr/bin/env python3
"""Text setups as a site's own YAML tools read them.

For the shipped setup and a few seeded random images, `karvo-cli export` writes a text
that yamllint's default rules let pass without a warning, in which PyYAML (a YAML 1.1
reader) reads each setting as `karvo-cli show` prints it (a plain decimal number as that
number), and which, loaded and dumped again by PyYAML, imports to the same setup.
usage: yaml_readers.py KARVO_CLI SHIPPED_SETUP; exits 77 (skipped) without the tools.
"""
import random
import shutil
import subprocess
import sys
import tempfile
from pathlib import Path

SKIPPED = 77
LABEL_WIDTH = 30  # show pads a label to this width
LINE_MAX = 79  # and cuts its lines here

try:
    import yaml
except ImportError:
    print("skipped: PyYAML is not installed (Debian package python3-yaml)")
    sys.exit(SKIPPED)
YAMLLINT = shutil.which("yamllint")
if not YAMLLINT:
    print("skipped: yamllint is not installed (Debian package yamllint)")
    sys.exit(SKIPPED)

CLI, SHIPPED = sys.argv[1], sys.argv[2]


def cli(*args, check=True):
    return subprocess.run([CLI, *map(str, args)], check=check, capture_output=True, text=True)


def shown_sections(setup):
    """Caption -> the lines under it, as karvo-cli show prints them."""
    sections, caption = {}, None
    for line in cli("show", setup).stdout.split("\n"):
        if not line:
            caption = None
        elif caption is None:
            caption = line
            sections[caption] = []
        else:
            sections[caption].append(line)
    return sections


def shown_line(label, value):
    padded = label.ljust(LABEL_WIDTH) if len(label) < LABEL_WIDTH else label + " "
    return (padded + value)[:LINE_MAX]


def check(setup, base, folder):
    """The faults found in the export of setup; base is another setup to import it onto."""
    text = Path(folder, "export.yaml")
    cli("export", setup, "--output", text)
    faults = []
    lint = subprocess.run([YAMLLINT, "--strict", "-d", "default", "-f", "parsable", text],
                          capture_output=True, text=True)
    if lint.returncode != 0:
        faults.append("yamllint: " + (lint.stdout + lint.stderr).strip())
    data = yaml.safe_load(text.read_text())
    shown = shown_sections(setup)
    count = 0
    for section, settings in data.items():
        if section in ("karvo-setup", "bytes"):
            continue
        for label, value in (settings or {}).items():
            count += 1
            name = f"{section}/{label}"
            if not isinstance(label, str) or type(value) not in (str, int):
                faults.append(f"{name}: PyYAML reads {label!r}: {value!r}, not texts")
            elif shown_line(label, str(value)) not in shown.get(section, []):
                faults.append(f"{name}: PyYAML reads {value!r}, show prints otherwise")
    if count < 100:
        faults.append(f"only {count} settings read")
    # A site script loads the text and dumps it again: it still imports to the same setup.
    dumped = Path(folder, "dumped.yaml")
    dumped.write_text(yaml.safe_dump(data, sort_keys=False))
    imported = Path(folder, "imported.s19")
    result = cli("import", dumped, imported, "--base", base, check=False)
    if result.returncode != 0:
        faults.append("import after a PyYAML dump: " + result.stderr.strip())
    elif (diff := cli("diff", setup, imported, check=False)).returncode != 0:
        faults.append("a PyYAML dump changes the setup:\n" + diff.stdout)
    return faults


def poked(folder, name, values):
    """The shipped setup with bytes 1 to 210 set to values."""
    path = Path(folder, name)
    cli("poke", SHIPPED, path, *(f"{a}={v}" for a, v in enumerate(values, start=1)))
    return path


def main():
    failed = False
    rng = random.Random(24)  # mostly small values, so that many settings are legal
    with tempfile.TemporaryDirectory() as folder:
        zeros = poked(folder, "zeros.s19", [0] * 210)
        setups = [Path(SHIPPED)] + [
            poked(folder, f"random-{n}.s19",
                  [rng.randrange(256 if rng.randrange(4) == 0 else 12) for _ in range(210)])
            for n in range(5)]
        for setup in setups:
            faults = check(setup, zeros, folder)
            print(f"{setup.name}: {'ok' if not faults else 'FAILED'}")
            for fault in faults:
                print("  " + fault)
            failed = failed or bool(faults)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
