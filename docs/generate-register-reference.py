#!/usr/bin/env python3
"""Writes docs/register-reference.html from the register map in src/device.

The "Datasheet" tab of the tool shows this page offline. Run it again after
the register map changes:  python3 docs/generate-register-reference.py
"""
import html
import pathlib
import re

ROOT = pathlib.Path(__file__).resolve().parent.parent
OUT = ROOT / "docs/register-reference.html"


def addresses(map_text, namespace, reg16=None):
    body = re.search(r"namespace %s \{(.*?)\}  // namespace %s" % (namespace, namespace), map_text, re.S).group(1)
    values = {}
    for name, expr in re.findall(r"inline constexpr uint8_t (\w+) = (.*?);", body):
        m = re.fullmatch(r"0x([0-9A-Fa-f]+)", expr)
        if m:
            values[name] = int(m.group(1), 16)
            continue
        m = re.fullmatch(r"reg16::(\w+) - 1", expr)
        if m:
            values[name] = reg16[m.group(1)] - 1
            continue
        m = re.fullmatch(r"channelAddress\((\w+), 1\)", expr)
        if m:
            values[name] = values[m.group(1)] + 9
    return values


# Per-channel registers of the map are named by their channel-1 register.
PER_CHANNEL = {"CH_FAULT": ("CH1_FAULT", "CH2_FAULT"), "PWM_CH": ("PWM_CH1", "PWM_CH2"),
               "ILIM_CONFIG_CH": ("ILIM_CONFIG_CH1", "ILIM_CONFIG_CH2"),
               "CH_CONFIG": ("CH1_CONFIG", "CH2_CONFIG"), "I2T_CONFIG_CH": ("I2T_CONFIG_CH1", "I2T_CONFIG_CH2")}


FIELD = re.compile(r"inline constexpr RegisterField (\w+)\{R::(\w+), (\d+), (\d+)(, true)?\};")
# "// CH1_FAULT / CH2_FAULT (read only, polled)": a register's heading, whose
# remark holds for every field below it up to the next blank line.
HEADING = re.compile(r"(?P<register>\w+(?: / \w+)?)(?: \((?P<remark>.*)\))?")


def register_title(register):
    return " / ".join(PER_CHANNEL.get(register, (register,)))


def is_channel_twin(first, second):
    return first.endswith("CH1") and second == first[:-3] + "CH2"


def fields(fields_text, namespace_pattern):
    """(register, field, offset, width, inverted, note) of every field.

    A comment right above a field is that field's note, shared only with the
    field's channel-2 twin right below it; a register heading instead gives
    its remark to the whole group."""
    out = []
    for block in re.findall(r"namespace %s \{(.*?)\}  // namespace" % namespace_pattern, fields_text, re.S):
        remark = ""
        comment = []
        shared = None  # (field, note) the next field takes if it is the twin
        for line in block.splitlines():
            line = line.strip()
            if not line:
                remark, comment, shared = "", [], None
                continue
            if line.startswith("//"):
                comment.append(line[2:].strip())
                continue
            m = FIELD.match(line)
            if not m:
                comment = []
                continue
            name, reg, offset, width, inverted = m.groups()
            text = " ".join(comment)
            comment = []
            heading = HEADING.fullmatch(text)
            own = ""
            if heading and heading.group("register") == register_title(reg):
                remark = heading.group("remark") or ""
            elif text:
                own = text
            elif shared and is_channel_twin(shared[0], name):
                own = shared[1]
            shared = (name, own) if own and name.endswith("CH1") else None
            note = "; ".join(part for part in (remark, own) if part)
            out.append((reg, name, int(offset), int(width), bool(inverted), note))
    return out


def bits(offset, width):
    return str(offset) if width == 1 else "%d-%d" % (offset + width - 1, offset)


def register_rows(reg16, reg18):
    names = []
    for name in list(reg16) + list(reg18):
        if name not in names:
            names.append(name)
    names.sort(key=lambda n: (reg16.get(n, reg18.get(n, 0)), n))
    rows = []
    for name in names:
        a16 = "0x%02X" % reg16[name] if name in reg16 else "&mdash;"
        a18 = "0x%02X" % reg18[name] if name in reg18 else "&mdash;"
        rows.append("<tr><td><code>%s</code></td><td>%s</td><td>%s</td></tr>" % (html.escape(name), a16, a18))
    return "\n".join(rows)


def field_table(title, items):
    rows = []
    for reg, name, offset, width, inverted, note in items:
        regs = " / ".join(PER_CHANNEL.get(reg, (reg,)))
        meaning = "0 = on" if inverted else ""
        rows.append("<tr><td><code>%s</code></td><td><code>%s</code></td><td>%s</td><td>%s</td><td>%s</td></tr>" %
                    (html.escape(regs), html.escape(name), bits(offset, width), meaning, html.escape(note)))
    return ("<h2>%s</h2>\n<table>\n<tr><th>Register</th><th>Field</th><th>Bits</th><th>Polarity</th><th>Notes</th></tr>\n"
            "%s\n</table>\n" % (title, "\n".join(rows)))


PAGE = """<!DOCTYPE html>
<html lang="en">
<head>
<meta charset="utf-8">
<title>ZVR2Mxx-K1 register reference</title>
<style>
body {{ font-family: "DejaVu Sans", sans-serif; font-size: 10pt; margin: 12px; }}
table {{ border-collapse: collapse; margin-bottom: 16px; }}
th, td {{ border: 1px solid #999; padding: 2px 8px; text-align: left; vertical-align: top; }}
th {{ background: #dde4ee; }}
code {{ font-family: "DejaVu Sans Mono", monospace; }}
</style>
</head>
<body>
<h1>ZVR2Mxx-K1 dual-channel high-side switch: register reference</h1>
<p>Register words are 16 bits wide; bit 0 is the least significant bit. The 16-pin
(16PWP) and 18-pin (18PWP) packages carry the same registers at different
addresses. Channel 2's per-channel registers sit 9 addresses above channel 1's;
every 18-pin per-channel register is its 16-pin twin minus 1.</p>
<p>Index fields hold the position of the chosen entry in the setting's option list
in the tool. Fields marked "0 = on" are enabled when the bit is clear.</p>
<h2>Register map</h2>
<table>
<tr><th>Register</th><th>16-pin</th><th>18-pin</th></tr>
{registers}
</table>
{common}
{sixteen}
{eighteen}
<h2>Key sequences</h2>
<p>18-pin EEPROM programming: write 0x3C69, 0xC68C, 0xDDE9, 0x4F6B to <code>EEPROM_PROG</code> (0x3F), in this order.
Identification: while no chip is detected the tool writes 0xFFFF to <code>WAKE</code> (0xFF) before reading <code>DEVID</code> (0x00).</p>
<p><small>Generated from the tool's register map (src/device).</small></p>
</body>
</html>
"""


def build_page(map_text, fields_text):
    reg16 = addresses(map_text, "reg16")
    reg18 = addresses(map_text, "reg18", reg16)
    return PAGE.format(registers=register_rows(reg16, reg18),
                       common=field_table("Fields of both families", fields(fields_text, r"hss::field")),
                       sixteen=field_table("Fields of the 16-pin family", fields(fields_text, r"hss::field16")),
                       eighteen=field_table("Fields of the 18-pin family", fields(fields_text, r"hss::field18")))


def current_page():
    return build_page((ROOT / "src/device/HSSRegisterMap.h").read_text(),
                      (ROOT / "src/device/RegisterFields.h").read_text())


if __name__ == "__main__":
    OUT.write_text(current_page(), encoding="utf-8")
    print("wrote", OUT)
