#!/usr/bin/env python3
"""Checks what the Windows build ships beside the zip: the MSI and the winget and Scoop manifests.

  check_packages.py BUILD_DIR      checks BUILD_DIR (build/mingw)
  check_packages.py --self-test    makes copies with one fault each and checks that every one is found

The manifests must parse (YAML, JSON), name the built files with their SHA-256, and agree with the
version resources of tessellor.exe and msghook.dll and with the MSI's own properties.
"""
import hashlib
import json
import pathlib
import shutil
import subprocess
import sys
import tempfile
import zipfile

import pefile
import yaml

WINGET_FILES = ("Tessellor.Tessellor.yaml", "Tessellor.Tessellor.installer.yaml",
                "Tessellor.Tessellor.locale.en-US.yaml")


def version_resource(path):
    pe = pefile.PE(str(path), fast_load=True)
    pe.parse_data_directories(directories=[pefile.DIRECTORY_ENTRY["IMAGE_DIRECTORY_ENTRY_RESOURCE"]])
    if not hasattr(pe, "VS_FIXEDFILEINFO"):
        raise ValueError(f"{path.name} has no version resource")
    fixed = pe.VS_FIXEDFILEINFO[0]
    strings = {}
    for info in pe.FileInfo[0]:
        for table in getattr(info, "StringTable", []):
            strings.update({k.decode(): v.decode() for k, v in table.entries.items()})
    numbers = (fixed.FileVersionMS >> 16, fixed.FileVersionMS & 0xFFFF, fixed.FileVersionLS >> 16,
               fixed.FileVersionLS & 0xFFFF)
    return numbers, strings


def msi_properties(path):
    out = subprocess.run(["msiinfo", "export", str(path), "Property"], check=True, capture_output=True,
                         text=True).stdout
    rows = [line.split("\t", 1) for line in out.splitlines()[3:]]
    return {row[0]: row[1] for row in rows if len(row) == 2}


def sha256(path):
    return hashlib.sha256(path.read_bytes()).hexdigest()


def check(build):
    """The faults found, one line each."""
    faults = []

    def expect(condition, fault):
        if not condition:
            faults.append(fault)

    exe, dll = build / "bin" / "tessellor.exe", build / "bin" / "msghook.dll"
    resources = {}
    for f in (exe, dll):
        try:
            resources[f.name] = version_resource(f)
        except (OSError, ValueError, pefile.PEFormatError) as e:
            faults.append(f"{f.name}: {e}")
    if len(resources) < 2:
        return faults
    (numbers, strings), (dll_numbers, dll_strings) = resources["tessellor.exe"], resources["msghook.dll"]
    version = strings.get("FileVersion", "")
    expect(version.count(".") == 2 and f"{version}.0" == ".".join(map(str, numbers)),
           f"tessellor.exe: FileVersion '{version}' and the fixed version {numbers} differ")
    for key in ("FileVersion", "ProductVersion", "CompanyName", "ProductName", "LegalCopyright"):
        expect(strings.get(key) == dll_strings.get(key) and strings.get(key),
               f"{key}: tessellor.exe says '{strings.get(key)}', msghook.dll '{dll_strings.get(key)}'")
    expect(numbers == dll_numbers, f"the fixed versions differ: {numbers}, {dll_numbers}")
    expect(strings.get("ProductVersion") == version, "tessellor.exe: ProductVersion is not FileVersion")
    publisher, copyright_line = strings.get("CompanyName", ""), strings.get("LegalCopyright", "")

    msi = build / f"tessellor-{version}-x64.msi"
    archive = build / f"tessellor-{version}-win64.zip"
    for f in (msi, archive):
        expect(f.is_file(), f"{f.name} is missing")
    if faults:
        return faults
    props = msi_properties(msi)
    expect(props.get("ProductVersion") == version, f"the MSI's ProductVersion is {props.get('ProductVersion')}")
    expect(props.get("Manufacturer") == publisher, f"the MSI's Manufacturer is {props.get('Manufacturer')}")
    expect(props.get("ProductName") == "Tessellor", f"the MSI's ProductName is {props.get('ProductName')}")

    winget_dir = build / "dist" / "winget" / "manifests" / "t" / "Tessellor" / "Tessellor" / version
    manifests = {}
    for name in WINGET_FILES:
        try:
            manifests[name] = yaml.safe_load((winget_dir / name).read_text(encoding="utf-8"))
        except (OSError, yaml.YAMLError) as e:
            faults.append(f"winget {name}: {e}")
    if len(manifests) < 3:
        return faults
    version_m, installer_m, locale_m = (manifests[n] for n in WINGET_FILES)
    for name, m in manifests.items():
        expect(isinstance(m, dict), f"winget {name} is not a mapping")
    if faults:
        return faults
    types = {"version": version_m, "installer": installer_m, "defaultLocale": locale_m}
    schema = version_m.get("ManifestVersion")
    for kind, m in types.items():
        expect(m.get("ManifestType") == kind, f"winget {kind} manifest: ManifestType {m.get('ManifestType')}")
        expect(m.get("ManifestVersion") == schema, f"winget {kind} manifest: ManifestVersion differs")
        expect(m.get("PackageIdentifier") == "Tessellor.Tessellor", f"winget {kind} manifest: PackageIdentifier")
        expect(m.get("PackageVersion") == version, f"winget {kind} manifest: PackageVersion {m.get('PackageVersion')}")
    expect(version_m.get("DefaultLocale") == locale_m.get("PackageLocale") == "en-US", "winget: default locale")
    expect(locale_m.get("Publisher") == publisher, f"winget: Publisher {locale_m.get('Publisher')}")
    expect(locale_m.get("PackageName") == strings.get("ProductName"), "winget: PackageName")
    expect(locale_m.get("Copyright") == copyright_line, f"winget: Copyright {locale_m.get('Copyright')}")
    installers = installer_m.get("Installers") or [{}]
    first = installers[0]
    expect(installer_m.get("InstallerType") == "msi", "winget: InstallerType is not msi")
    expect(str(first.get("InstallerSha256", "")).lower() == sha256(msi),
           f"winget: InstallerSha256 is not the MSI's {sha256(msi)}")
    expect(str(first.get("InstallerUrl", "")).endswith("/" + msi.name), "winget: InstallerUrl does not name the MSI")
    expect(installer_m.get("ProductCode") == props.get("ProductCode"),
           f"winget: ProductCode {installer_m.get('ProductCode')}, the MSI's {props.get('ProductCode')}")
    entry = (installer_m.get("AppsAndFeaturesEntries") or [{}])[0]
    expect(entry.get("UpgradeCode") == props.get("UpgradeCode"), "winget: UpgradeCode is not the MSI's")
    expect(entry.get("DisplayVersion") == version and entry.get("Publisher") == publisher,
           "winget: the Installed apps entry does not agree with the version resource")

    try:
        scoop = json.loads((build / "dist" / "scoop" / "tessellor.json").read_text(encoding="utf-8"))
    except (OSError, ValueError) as e:
        return faults + [f"scoop: {e}"]
    expect(scoop.get("version") == version, f"scoop: version {scoop.get('version')}")
    arch = scoop.get("architecture", {}).get("64bit", {})
    expect(arch.get("hash") == sha256(archive), f"scoop: hash is not the zip's {sha256(archive)}")
    expect(str(arch.get("url", "")).endswith("/" + archive.name), "scoop: url does not name the zip")
    with zipfile.ZipFile(archive) as z:
        names = z.namelist()
    expect(scoop.get("bin") in names and "msghook.dll" in names, f"scoop: bin {scoop.get('bin')} not in {names}")
    return faults


def self_test(build):
    """Each fault, made in a copy of the build, must be found; the copy untouched must pass."""
    def rewrite(path, old, new):
        text = path.read_text(encoding="utf-8")
        assert old in text, f"{path.name}: '{old}' not found"
        path.write_text(text.replace(old, new, 1), encoding="utf-8")

    def winget(copy, name):
        return next((copy / "dist" / "winget").rglob(name))

    version = version_resource(build / "bin" / "tessellor.exe")[1]["FileVersion"]
    faults = {
        "the MSI changed after its hash was written":
            lambda c: (c / f"tessellor-{version}-x64.msi").open("ab").write(b"\0"),
        "the zip changed after its hash was written":
            lambda c: (c / f"tessellor-{version}-win64.zip").open("ab").write(b"\0"),
        "a winget manifest of another version":
            lambda c: rewrite(winget(c, WINGET_FILES[2]), f'PackageVersion: "{version}"', 'PackageVersion: "9.9.9"'),
        "a winget manifest that is no YAML":
            lambda c: rewrite(winget(c, WINGET_FILES[1]), "Installers:", "Installers: ["),
        "another publisher":
            lambda c: rewrite(winget(c, WINGET_FILES[2]), "Publisher: ", "Publisher: Someone else "),
        "a Scoop manifest that is no JSON":
            lambda c: rewrite(c / "dist" / "scoop" / "tessellor.json", "{", "{{"),
        "a Scoop manifest of another version":
            lambda c: rewrite(c / "dist" / "scoop" / "tessellor.json", f'"version": "{version}"', '"version": "0"'),
        "a msghook.dll without its version resource":
            lambda c: (c / "bin" / "msghook.dll").write_bytes(b"MZ" + b"\0" * 256),
    }
    missed = []
    with tempfile.TemporaryDirectory() as tmp:
        for what, make in [("nothing", None), *faults.items()]:
            copy = pathlib.Path(tmp) / "build"
            shutil.rmtree(copy, ignore_errors=True)
            shutil.copytree(build / "bin", copy / "bin")
            shutil.copytree(build / "dist", copy / "dist")
            for f in build.glob("tessellor-*"):
                shutil.copy(f, copy)
            if make is not None:
                make(copy)
            found = check(copy)
            if (make is None) == bool(found):
                missed.append(f"{what}: {found or 'not found'}")
    return missed


def main():
    if len(sys.argv) == 3 and sys.argv[1] == "--self-test":
        missed = self_test(pathlib.Path(sys.argv[2]))
        for line in missed:
            print(f"FAIL  self-test: {line}")
        print("packages self-test: " + ("every fault found" if not missed else f"{len(missed)} missed"))
        return 1 if missed else 0
    if len(sys.argv) != 2:
        print(__doc__)
        return 2
    faults = check(pathlib.Path(sys.argv[1]))
    for line in faults:
        print(f"FAIL  {line}")
    if not faults:
        print("packages: the MSI, the three winget manifests and the Scoop manifest parse, their hashes match "
              "the built files, and their fields agree with the version resources")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
