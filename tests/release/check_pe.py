#!/usr/bin/env python3
"""Checks that Windows programs start on Windows XP SP3.

    check_pe.py MAX_VERSION PROGRAM.exe...   reads each with `objdump -p`
    check_pe.py MAX_VERSION --dump FILE      reads a saved `objdump -p` text

Fails on a subsystem or OS version above MAX_VERSION (5.01 for the 32-bit
build), on a DLL that is not one of Windows' own, and on an imported function
that Windows XP does not export (the ones runtimes commonly pull in).
"""
import re
import subprocess
import sys

SYSTEM_DLLS = {
    "kernel32.dll", "user32.dll", "gdi32.dll", "comctl32.dll", "msvcrt.dll",
    "advapi32.dll", "shell32.dll", "comdlg32.dll", "ole32.dll", "oleaut32.dll",
    "shlwapi.dll", "version.dll",
}

# Functions of Vista and later (exact names, or a name prefix ending in *).
NEWER_THAN_XP = [
    "GetTickCount64", "InitializeSRWLock", "AcquireSRWLock*", "ReleaseSRWLock*",
    "TryAcquireSRWLock*", "InitializeConditionVariable", "SleepConditionVariable*",
    "WakeConditionVariable", "WakeAllConditionVariable", "InitOnce*", "Fls*",
    "LCMapStringEx", "CompareStringEx", "CompareStringOrdinal", "GetLocaleInfoEx",
    "GetUserDefaultLocaleName", "GetSystemDefaultLocaleName", "LocaleNameToLCID",
    "LCIDToLocaleName", "EnumSystemLocalesEx", "ResolveLocaleName", "GetDateFormatEx",
    "GetTimeFormatEx", "GetStringTypeEx", "GetFileInformationByHandleEx",
    "SetFileInformationByHandle", "GetFinalPathNameByHandle*", "CreateSymbolicLink*",
    "TaskDialog*", "CreateEventEx*", "CreateMutexEx*", "CreateSemaphoreEx*",
    "GetErrorMode", "QueryFullProcessImageName*", "GetSystemTimePreciseAsFileTime",
    "CancelIoEx", "CopyFile2", "CreateFile2", "SetProcessDPIAware",
    "SetProcessDpiAwareness*", "GetDpiForWindow", "GetDpiForSystem", "WaitOnAddress",
    "WakeByAddress*", "RaiseFailFastException", "GetCurrentProcessorNumber*",
    "GetThreadPreferredUILanguages", "GetUserPreferredUILanguages",
    "RegGetValue*", "RegDeleteTree*", "InterlockedCompareExchange64",
]


def newer_than_xp(name):
    for pattern in NEWER_THAN_XP:
        if pattern.endswith("*") and name.startswith(pattern[:-1]):
            return True
        if name == pattern:
            return True
    return False


def version(dump, field):
    major = re.search(r"^Major%sVersion\s+(\d+)" % field, dump, re.M)
    minor = re.search(r"^Minor%sVersion\s+(\d+)" % field, dump, re.M)
    if not major or not minor:
        return None
    return (int(major.group(1)), int(minor.group(1)))


def problems(dump, max_version):
    found = []
    for field in ("Subsystem", "OSystem"):
        v = version(dump, field)
        if v is None:
            found.append("no %s version in the PE header" % field)
        elif v > max_version:
            found.append("%s version %d.%02d is above %d.%02d" % ((field,) + v + max_version))
    dll = None
    for line in dump.splitlines():
        m = re.match(r"\s*DLL Name: (\S+)", line)
        if m:
            dll = m.group(1)
            if dll.lower() not in SYSTEM_DLLS:
                found.append("imports %s, which is not a Windows system DLL" % dll)
            continue
        m = re.match(r"\s+[0-9a-f]+\s+\d+\s+(\w+)\s*$", line)
        if dll and m and newer_than_xp(m.group(1)):
            found.append("imports %s from %s, which Windows XP lacks" % (m.group(1), dll))
    return found


def main(argv):
    if len(argv) < 3:
        print(__doc__)
        return 2
    major, minor = argv[1].split(".")
    max_version = (int(major), int(minor))
    if argv[2] == "--dump":
        dumps = [(argv[3], open(argv[3]).read())]
    else:
        dumps = [(exe, subprocess.run(["objdump", "-p", exe], check=True, text=True,
                                      capture_output=True).stdout) for exe in argv[2:]]
    failed = False
    for name, dump in dumps:
        for problem in problems(dump, max_version):
            print("%s: %s" % (name, problem))
            failed = True
    if not failed:
        print("%d program(s) start on Windows XP SP3" % len(dumps))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
