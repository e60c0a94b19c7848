"""The bundle's moduleinfo.json against what the factory reports through `plughost info --json`.

usage: check_moduleinfo.py PLUGHOST BUNDLE
"""
import json
import os
import subprocess
import sys


def main():
    plughost, bundle = sys.argv[1], sys.argv[2]
    path = os.path.join(bundle, "Contents", "Resources", "moduleinfo.json")
    with open(path, encoding="utf-8") as f:
        info = json.load(f)
    factory = json.loads(subprocess.run([plughost, "info", bundle, "--json"], check=True,
                                        capture_output=True, text=True).stdout)
    problems = []

    def same(what, got, expected):
        if got != expected:
            problems.append(f"{what}: moduleinfo.json has {got!r}, the factory {expected!r}")

    for key in ("Name", "Version", "Factory Info", "Classes"):
        if key not in info:
            problems.append(f"missing top-level key {key!r}")
    same("Name", info.get("Name"), os.path.basename(os.path.normpath(bundle))[:-len(".vst3")])
    fi, ff = info.get("Factory Info", {}), factory["factory"]
    same("Vendor", fi.get("Vendor"), ff["vendor"])
    same("URL", fi.get("URL"), ff["url"])
    same("E-Mail", fi.get("E-Mail"), ff["email"])
    same("Flags", fi.get("Flags"), {"Unicode": bool(ff["flags"] & 16),
                                    "Classes Discardable": bool(ff["flags"] & 1),
                                    "Component Non Discardable": bool(ff["flags"] & 8)})
    classes = info.get("Classes", [])
    same("class count", len(classes), len(factory["classes"]))
    for got, c in zip(classes, factory["classes"]):
        same("CID", got.get("CID"), c["cid"])
        same("Category", got.get("Category"), c["category"])
        same("Name", got.get("Name"), c["name"])
        same("Cardinality", got.get("Cardinality"), c["cardinality"])
        same("Class Flags", got.get("Class Flags"), c["classFlags"])
        same("Sub Categories", got.get("Sub Categories"), c["subCategories"].split("|"))
        same("class Vendor", got.get("Vendor"), c["vendor"] or ff["vendor"])
        same("Version", got.get("Version"), c["version"])
        same("SDKVersion", got.get("SDKVersion"), c["sdkVersion"])
    if classes:
        same("module Version", info.get("Version"), factory["classes"][0]["version"])
    for p in problems:
        print(p)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
