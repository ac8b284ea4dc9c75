#!/usr/bin/env python3
"""Text setups as a site's own YAML tools read them.

For the shipped setup and a few seeded random images, the text `karvo-cli export` writes
gets nothing from yamllint with its default rules (warnings included), and PyYAML, a
YAML 1.1 reader, loads each setting as the text `karvo-cli show` prints (a plain decimal
number as that number); a text PyYAML loads and dumps again imports to the same setup.

usage: yaml_readers.py KARVO_CLI SHIPPED_SETUP
Exits 77 (skipped) when yamllint or PyYAML is not installed.
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


def random_setup(seed, folder):
    """A seeded image, mostly of small values so that many settings are legal."""
    rng = random.Random(seed)
    pokes = [f"{a}={rng.randrange(256) if rng.randrange(4) == 0 else rng.randrange(12)}"
             for a in range(1, 211)]
    path = Path(folder, f"random-{seed}.s19")
    cli("poke", SHIPPED, path, *pokes)
    return path


def main():
    failed = False
    with tempfile.TemporaryDirectory() as folder:
        zeros = Path(folder, "zeros.s19")
        cli("poke", SHIPPED, zeros, *(f"{a}=0" for a in range(1, 211)))
        setups = [Path(SHIPPED)] + [random_setup(seed, folder) for seed in range(1, 6)]
        for setup in setups:
            faults = check(setup, zeros, folder)
            print(f"{setup.name}: {'ok' if not faults else 'FAILED'}")
            for fault in faults:
                print("  " + fault)
            failed = failed or bool(faults)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
