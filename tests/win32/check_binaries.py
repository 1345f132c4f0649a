#!/usr/bin/env python3
"""Checks the shipped binaries the way a Windows loader sees them."""
import argparse, re, subprocess, sys

RUNTIME_DLLS = ("libstdc++", "libgcc", "libwinpthread")


def objdump(tool, path):
    return subprocess.run([tool, "-p", path], check=True, capture_output=True, text=True).stdout


def check(tool, path, gui, exports):
    out = objdump(tool, path)
    problems = []
    if "file format pei-i386" not in out:
        problems.append("not a PE32 i386 image")
    subsystem = re.search(r"^Subsystem\s+(\w+)", out, re.M)
    if gui and (not subsystem or subsystem.group(1) != "00000002"):
        problems.append("not the GUI subsystem")
    dll_chars = re.search(r"^DllCharacteristics\s+([0-9a-fA-F]+)", out, re.M)
    flags = int(dll_chars.group(1), 16) if dll_chars else 0
    if not flags & 0x0040:
        problems.append("DYNAMICBASE not set")
    if not flags & 0x0100:
        problems.append("NX_COMPAT not set")
    imports = re.findall(r"DLL Name: (\S+)", out)
    for dll in imports:
        if dll.lower().startswith(RUNTIME_DLLS):
            problems.append(f"imports the MinGW runtime {dll}")
    if exports is not None:
        table = out.split("[Ordinal/Name Pointer] Table", 1)
        names = []
        if len(table) == 2:
            for line in table[1].splitlines()[1:]:
                if not line.strip():
                    break
                m = re.match(r"\s*\[\s*\d+\]\s+(\S+)", line)
                if m:
                    names.append(m.group(1))
        if sorted(names) != sorted(exports):
            problems.append(f"exports {sorted(names)}, expected {sorted(exports)}")
    return problems


TREEDOC_EXPORTS = """parse free_ new_buffer buffer_clear delete_buffer get_pointer_string
pointer_get_value pointer_get_bool pointer_get_int pointer_get_int64 pointer_get_double
pointer_get_string pointer_get_type pointer_get_count pointer_is_exist pointer_erase_path
object_get_key pointer_set_string pointer_set_bool pointer_set_int pointer_set_double
pointer_set_object new_writer delete_writer get_all_string start_object start_array
end_object end_array set_null set_string set_raw_string set_bool set_int set_int64
set_double set_key_null set_key_string set_key_raw_string set_key_bool set_key_int
set_key_int64 set_key_double""".split()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--objdump", required=True)
    parser.add_argument("--exe", required=True)
    parser.add_argument("--treedoc", required=True)
    parser.add_argument("--shellglyph", required=True)
    args = parser.parse_args()
    failures = 0
    for path, gui, exports in ((args.exe, True, None),
                               (args.treedoc, False, TREEDOC_EXPORTS),
                               (args.shellglyph, False, ["GetFileIcon"])):
        problems = check(args.objdump, path, gui, exports)
        for p in problems:
            print(f"FAIL {path}: {p}")
        if not problems:
            print(f"ok   {path}")
        failures += len(problems)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
