#!/usr/bin/env python3
"""Reads a Windows program's resources as Windows does, from its PE file,
and checks what a viewer and the system see of it: the icon is the one
mkassets draws, at every size an icon is shown at; the version is the
project's; the manifest declares per-monitor DPI awareness, the supported
Windows versions and long paths.

    check_resources.py PROGRAM.exe ICON.ico VERSION
"""
import struct
import sys
import xml.etree.ElementTree as ET

RT_ICON, RT_GROUP_ICON, RT_VERSION, RT_MANIFEST = 3, 14, 16, 24
WINDOWS_10 = "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"
WINDOWS_7 = "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}"
SIZES = [16, 24, 32, 48, 64, 256]


def resources(pe):
    """{type: {id: bytes}} from the resource directory (data directory 2)."""
    header = struct.unpack_from("<I", pe, 0x3C)[0]
    assert pe[header:header + 4] == b"PE\0\0", "not a PE file"
    sections, optional_size = struct.unpack_from("<H12xH", pe, header + 6)
    optional = header + 24
    assert struct.unpack_from("<H", pe, optional)[0] == 0x20B, "not a 64-bit program"
    rva, size = struct.unpack_from("<II", pe, optional + 112 + 2 * 8)
    assert size > 0, "no resource section"
    table = optional + optional_size
    for i in range(sections):
        virtual_size, address, raw_size, raw = struct.unpack_from("<IIII", pe, table + 40 * i + 8)
        if address <= rva < address + max(virtual_size, raw_size):
            base = raw + rva - address
            break
    else:
        raise AssertionError("the resource directory lies in no section")

    def entries(offset):
        named, numbered = struct.unpack_from("<12xHH", pe, base + offset)
        for i in range(named + numbered):
            name, target = struct.unpack_from("<II", pe, base + offset + 16 + 8 * i)
            yield name, target

    found = {}
    for kind, to_names in entries(0):
        for name, to_languages in entries(to_names & 0x7FFFFFFF):
            for _, to_data in entries(to_languages & 0x7FFFFFFF):
                data_rva, data_size = struct.unpack_from("<II", pe, base + to_data)
                start = base + data_rva - rva
                found.setdefault(kind, {})[name] = pe[start:start + data_size]
    return found


def icon_pictures(ico):
    """The pictures of an .ico file, by their side."""
    count = struct.unpack_from("<H", ico, 4)[0]
    pictures = {}
    for i in range(count):
        side, _, _, _, _, _, size, offset = struct.unpack_from("<BBBBHHII", ico, 6 + 16 * i)
        pictures[side or 256] = ico[offset:offset + size]
    return pictures


def version_strings(block):
    """The StringFileInfo values of a VS_VERSIONINFO, as text."""
    text = block.decode("utf-16-le", errors="replace")
    values = {}
    for key in ["CompanyName", "FileDescription", "FileVersion", "OriginalFilename",
                "ProductName", "ProductVersion"]:
        at = text.find(key + "\0")
        if at >= 0:
            rest = text[at + len(key) + 1:].lstrip("\0")
            values[key] = rest[:rest.find("\0")]
    return values


def main():
    program, icon_file, version = sys.argv[1:4]
    problems = []
    with open(program, "rb") as f:
        found = resources(f.read())
    with open(icon_file, "rb") as f:
        drawn = icon_pictures(f.read())

    if sorted(drawn) != SIZES:
        problems.append(f"{icon_file} holds sizes {sorted(drawn)}, not {SIZES}")
    groups = found.get(RT_GROUP_ICON, {})
    if len(groups) != 1:
        problems.append(f"{len(groups)} icon groups, not one")
    for group in groups.values():
        count = struct.unpack_from("<H", group, 4)[0]
        for i in range(count):
            side, _, _, _, _, _, size, ident = struct.unpack_from("<BBBBHHIH", group, 6 + 14 * i)
            picture = found.get(RT_ICON, {}).get(ident)
            if picture != drawn.get(side or 256):
                problems.append(f"the {side or 256}-pixel icon is not the one mkassets drew")

    versions = found.get(RT_VERSION, {})
    strings = version_strings(next(iter(versions.values()), b""))
    quad = [int(part) for part in version.split(".")] + [0]
    fixed = next(iter(versions.values()), b"")
    signature = fixed.find(struct.pack("<I", 0xFEEF04BD))
    if signature < 0:
        problems.append("no version information")
    else:
        ms, ls = struct.unpack_from("<II", fixed, signature + 8)
        if [ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF] != quad[:4]:
            problems.append(f"file version {ms >> 16}.{ms & 0xFFFF}.{ls >> 16}.{ls & 0xFFFF}")
    for key in ["FileVersion", "ProductVersion"]:
        if strings.get(key) != version:
            problems.append(f"{key} is {strings.get(key)!r}, not {version!r}")
    name = program.replace("\\", "/").rsplit("/", 1)[-1]
    if strings.get("OriginalFilename") != name:
        problems.append(f"OriginalFilename is {strings.get('OriginalFilename')!r}")

    manifests = found.get(RT_MANIFEST, {})
    if list(manifests) != [1]:
        problems.append(f"manifests {list(manifests)}, not the one program manifest (1)")
    else:
        root = ET.fromstring(manifests[1])
        text = {element.tag.rsplit("}", 1)[-1]: (element.text or "").strip()
                for element in root.iter()}
        supported = {element.get("Id") for element in root.iter()
                     if element.tag.endswith("supportedOS")}
        if not text.get("dpiAwareness", "").startswith("PerMonitorV2"):
            problems.append(f"dpiAwareness is {text.get('dpiAwareness')!r}")
        if text.get("dpiAware") != "true/pm":
            problems.append(f"dpiAware is {text.get('dpiAware')!r}")
        if text.get("longPathAware") != "true":
            problems.append("not long-path aware")
        if not {WINDOWS_7, WINDOWS_10} <= supported:
            problems.append(f"supported Windows versions {sorted(supported)}")

    for problem in problems:
        print(f"{name}: {problem}")
    if problems:
        sys.exit(1)
    print(f"{name}: icon of {len(drawn)} sizes, version {version}, manifest: per-monitor DPI, "
          f"Windows 7 to 11, long paths")


main()
