#!/usr/bin/env python3
"""Draws the toolbar icons (16 x 15) and the program icon (32 x 32) as XPM files.

Each picture is a grid of palette keys; the XPM files are C arrays that the main window
includes directly. Run from this folder after changing a picture: python3 make_icons.py
"""

PALETTE = {
    " ": "None",
    ".": "#000000",
    "d": "#606060",
    "g": "#A0A0A0",
    "l": "#D8D8D8",
    "w": "#FFFFFF",
    "y": "#F0C830",
    "o": "#C09010",
    "b": "#2050C0",
    "c": "#80B0F0",
    "r": "#C02020",
    "G": "#20A040",
}

ICONS = {
    "open": [
        "                ",
        "         ...    ",
        "        .   . . ",
        "             .. ",
        " ....       ... ",
        ".yyyy.......    ",
        ".yyyyyyyyyy.    ",
        ".yyy..........  ",
        ".yy.oooooooooo. ",
        ".y.oooooooooo.  ",
        "..oooooooooo.   ",
        "............    ",
        "                ",
        "                ",
        "                ",
    ],
    "save": [
        "                ",
        " .............. ",
        " .bb.wwwwww.bb. ",
        " .bb.wwwwww.bb. ",
        " .bb.wwwwww.bb. ",
        " .bb.wwwwww.bb. ",
        " .bbb......bbb. ",
        " .bbbbbbbbbbbb. ",
        " .bb........bb. ",
        " .bb.gg.lll.bb. ",
        " .bb.gg.lll.bb. ",
        " .bb.gg.lll.bb. ",
        "  ............. ",
        "                ",
        "                ",
    ],
    "print": [
        "                ",
        "    ........    ",
        "    .wwwwww.    ",
        "    .w....w.    ",
        "    .wwwwww.    ",
        "  ............  ",
        " .llllllllllll. ",
        " .llllllllllGl. ",
        " .gggggggggggg. ",
        " .............. ",
        "  .gwwwwwwwwg.  ",
        "  .w.......w..  ",
        "  .wwwwwwwwww.  ",
        "  ............  ",
        "                ",
    ],
    "about": [
        "     ......     ",
        "    .bbbbbb.    ",
        "   .bbwwwwbb.   ",
        "   .bww..wwb.   ",
        "   .bb.  .ww.   ",
        "    ..  .wwb.   ",
        "       .wwb.    ",
        "      .wwb.     ",
        "      .wwb.     ",
        "      .bbb.     ",
        "       ...      ",
        "      .www.     ",
        "      .wwb.     ",
        "      .bbb.     ",
        "       ...      ",
    ],
    "write": [
        "      ....      ",
        "      .rr.      ",
        "      .rr.      ",
        "      .rr.      ",
        "    ..rrrr..    ",
        "     .rrrr.     ",
        "      .rr.      ",
        "       ..       ",
        " .............. ",
        " .llllllllllll. ",
        " .ldddddddddGl. ",
        " .llllllllllll. ",
        " .gggggggggggg. ",
        " .............. ",
        "                ",
    ],
    "read": [
        "       ..       ",
        "      .GG.      ",
        "     .GGGG.     ",
        "    ..GGGG..    ",
        "      .GG.      ",
        "      .GG.      ",
        "      .GG.      ",
        "      ....      ",
        " .............. ",
        " .llllllllllll. ",
        " .ldddddddddGl. ",
        " .llllllllllll. ",
        " .gggggggggggg. ",
        " .............. ",
        "                ",
    ],
    "info": [
        "      ...       ",
        "     .bbb.      ",
        "     .bbb.      ",
        "      ...       ",
        "    .bbbb.      ",
        "     .bbb.      ",
        "     .bbb.      ",
        "     .bbb.      ",
        " .....bbb...... ",
        " .llllbbblllll. ",
        " .ldddddddddGl. ",
        " .llllllllllll. ",
        " .gggggggggggg. ",
        " .............. ",
        "                ",
    ],
}

# The four COM port buttons: a plug on the left and the port's digit on the right.
PLUG = [
    "       ",
    "       ",
    "..     ",
    ".g.    ",
    ".gg....",
    ".gwwwww",
    ".gw.w.w",
    ".gwwwww",
    ".gw.w.w",
    ".gwwwww",
    ".gg....",
    ".g.    ",
    "..     ",
    "       ",
    "       ",
]

DIGITS = {
    "1": ["  bb   ", " bbb   ", "bbbb   ", "  bb   ", "  bb   ", "  bb   ", "  bb   ", "  bb   ", "bbbbbb "],
    "2": [" bbbb  ", "bb  bb ", "    bb ", "   bb  ", "  bb   ", " bb    ", "bb     ", "bb     ", "bbbbbb "],
    "3": [" bbbb  ", "bb  bb ", "    bb ", "    bb ", "  bbb  ", "    bb ", "    bb ", "bb  bb ", " bbbb  "],
    "4": ["   bb  ", "  bbb  ", " b bb  ", "b  bb  ", "b  bb  ", "bbbbbbb", "   bb  ", "   bb  ", "   bb  "],
}

for k, rows in DIGITS.items():
    picture = []
    for y in range(15):
        digit_row = rows[y - 3] if 3 <= y < 12 else "       "
        picture.append(PLUG[y] + " " + digit_row + " ")
    ICONS["com" + k] = picture


def program_icon():
    """A 32 x 32 picture of the interface unit: a grey box with a line jack, a radio
    socket and a green lamp, under a small aerial."""
    grid = [[" "] * 32 for _ in range(32)]

    def fill(x0, y0, x1, y1, key):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                grid[y][x] = key

    def frame(x0, y0, x1, y1, key):
        for x in range(x0, x1 + 1):
            grid[y0][x] = grid[y1][x] = key
        for y in range(y0, y1 + 1):
            grid[y][x0] = grid[y][x1] = key

    fill(23, 2, 24, 12, "d")  # aerial
    fill(22, 1, 25, 2, ".")
    fill(2, 12, 29, 27, "l")  # housing
    frame(2, 12, 29, 27, ".")
    fill(3, 24, 28, 26, "g")
    fill(5, 15, 14, 21, "w")  # display
    frame(5, 15, 14, 21, ".")
    for x in range(6, 14, 2):
        fill(x, 17, x, 19, "b")
    fill(18, 16, 20, 18, "G")  # lamp
    frame(17, 15, 21, 19, ".")
    fill(23, 20, 27, 23, "d")  # line jack
    frame(22, 19, 28, 24, ".")
    fill(4, 28, 7, 29, ".")  # feet
    fill(24, 28, 27, 29, ".")
    return ["".join(row) for row in grid]


ICONS["program"] = program_icon()


def write_xpm(name, rows):
    height = len(rows)
    width = len(rows[0])
    for y, row in enumerate(rows):
        if len(row) != width:
            raise SystemExit(f"{name}: row {y} is {len(row)} wide, not {width}")
        for ch in row:
            if ch not in PALETTE:
                raise SystemExit(f"{name}: unknown colour key {ch!r} in row {y}")
    keys = [k for k in PALETTE if any(k in row for row in rows)]
    lines = [f"{width} {height} {len(keys)} 1"]
    lines += [f"{k} c {PALETTE[k]}" for k in keys]
    lines += rows
    body = ",\n".join(f'"{line}"' for line in lines)
    with open(f"{name}.xpm", "w", encoding="ascii") as out:
        out.write(f"/* XPM */\nstatic const char* const {name}_xpm[] = {{\n{body}}};\n")


for icon_name, icon_rows in ICONS.items():
    write_xpm(icon_name, icon_rows)
