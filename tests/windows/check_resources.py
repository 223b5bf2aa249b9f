#!/usr/bin/env python3
"""check_resources.py OBJDUMP PROGRAM.exe ICON.ico VERSION: the program holds the icon
mkassets drew, the project's version and manifest 1 with per-monitor DPI
awareness, Windows 7 to 11 and long paths, where Windows looks for them."""
import re, struct, subprocess, sys
import xml.etree.ElementTree as ET

objdump, program, icon_file, version = sys.argv[1:5]
exe = open(program, "rb").read()
ico = open(icon_file, "rb").read()
tree = subprocess.run([objdump, "-p", program], capture_output=True, text=True).stdout
# The resource types (ICON 3, GROUP_ICON 14, VERSION 16, MANIFEST 24) and,
# below MANIFEST, the names: the type table's entries are indented by three.
types = {int(t, 16) for t in re.findall(r"^[0-9a-f]{3}   Entry: ID: (0x[0-9a-f]+)", tree, re.M)}
manifest_names = re.findall(r"ID: 0x000018.*\n.*IDs: (\d+)\n\w+\s+Entry: ID: (0x[0-9a-f]+)", tree)
problems = [f"no resource of type {t}" for t in (3, 14, 16, 24) if t not in types]
if manifest_names != [("1", "0x000001")]:
    problems.append(f"manifests named {manifest_names}, not the program's (1)")

for i in range(struct.unpack_from("<H", ico, 4)[0]):
    size, offset = struct.unpack_from("<II", ico, 6 + 16 * i + 8)
    if ico[offset:offset + size] not in exe:
        problems.append(f"picture {i} of {icon_file} is not in the program")

text = exe.decode("utf-16-le", errors="replace") + exe[1:].decode("utf-16-le", errors="replace")
for key in ("FileVersion", "ProductVersion"):
    if not re.search(key + "\0+" + re.escape(version) + "\0", text):
        problems.append(f"no {key} {version}")

manifest = re.search(rb"<assembly .*?</assembly>", exe, re.S)
root = ET.fromstring(manifest.group(0)) if manifest else ET.Element("none")
found = {e.tag.rsplit("}", 1)[-1]: (e.text or "").strip() for e in root.iter()}
oses = {e.get("Id") for e in root.iter() if e.tag.endswith("supportedOS")}
if (found.get("dpiAwareness", ""), found.get("dpiAware"), found.get("longPathAware")) != (
        "PerMonitorV2, PerMonitor", "true/pm", "true"):
    problems.append("not per-monitor DPI aware and long-path aware")
if not {"{35138b9a-5d96-4fbd-8e2d-a2440225f93a}", "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"} <= oses:
    problems.append(f"supports {sorted(oses)}, not Windows 7 to 11")

sys.exit("\n".join(f"{program}: {problem}" for problem in problems) or None)
