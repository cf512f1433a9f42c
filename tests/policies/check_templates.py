#!/usr/bin/env python3
"""Checks the Group Policy templates in the given folder (the repository's policies/).

The Group Policy editor rejects a template as a whole for one fault, and says little about
which: so every .admx and .adml must be well-formed XML, every language folder must hold an
ADML of the ADMX's name defining exactly the strings and presentations the ADMX refers to,
each presentation must have one control per element of its policy, and every category and
supportedOn reference must name a definition. Prints each fault; exits 1 when there is one.
"""

import pathlib
import re
import sys
import xml.etree.ElementTree as ElementTree

LANGUAGES = ["en-US", "de-DE", "fr-FR", "zh-CN", "zh-TW"]
NS = {"p": "http://schemas.microsoft.com/GroupPolicy/2006/07/PolicyDefinitions"}
REFERENCE = re.compile(r"\$\((string|presentation)\.([^)]*)\)")


def parse(path, faults):
    try:
        return ElementTree.parse(path).getroot()
    except ElementTree.ParseError as error:
        faults.append(f"{path}: not well-formed: {error}")
        return None


def references(admx):
    """The string and presentation ids the ADMX refers to, and each presentation's element ids."""
    wanted = {"string": set(), "presentation": set()}
    for element in admx.iter():
        for value in element.attrib.values():
            for kind, name in REFERENCE.findall(value):
                wanted[kind].add(name)
    elements = {}
    for policy in admx.iterfind(".//p:policy", NS):
        match = REFERENCE.fullmatch(policy.get("presentation", ""))
        if match:
            ids = [child.get("id") for child in policy.iterfind("p:elements/*", NS)]
            elements[match.group(2)] = sorted(ids)
    return wanted, elements


def ids_of(root, path, what, source, faults):
    ids = [node.get("id") for node in root.iterfind(path, NS)]
    for repeated in sorted({name for name in ids if ids.count(name) > 1}):
        faults.append(f"{source}: {what} {repeated} defined more than once")
    return set(ids)


def compare(source, what, defined, wanted, faults):
    for name in sorted(wanted - defined):
        faults.append(f"{source}: {what} {name} is referred to but not defined")
    for name in sorted(defined - wanted):
        faults.append(f"{source}: {what} {name} is defined but never referred to")


def check_adml(path, wanted, elements, faults):
    adml = parse(path, faults)
    if adml is None:
        return
    strings = ids_of(adml, ".//p:stringTable/p:string", "string", path, faults)
    presentations = ids_of(adml, ".//p:presentationTable/p:presentation", "presentation", path,
                           faults)
    compare(path, "string", strings, wanted["string"], faults)
    compare(path, "presentation", presentations, wanted["presentation"], faults)
    for presentation in adml.iterfind(".//p:presentationTable/p:presentation", NS):
        name = presentation.get("id")
        controls = sorted(c.get("refId") for c in presentation if c.get("refId") is not None)
        if name in elements and controls != elements[name]:
            faults.append(f"{path}: presentation {name} has controls for {controls}, "
                          f"its policy has the elements {elements[name]}")


def check_admx_references(admx, source, faults):
    categories = {c.get("name") for c in admx.iterfind(".//p:categories/p:category", NS)}
    for parent in admx.iterfind(".//p:parentCategory", NS):
        if parent.get("ref") not in categories:
            faults.append(f"{source}: parent category {parent.get('ref')} is not defined")
    supported = {d.get("name") for d in admx.iterfind(".//p:supportedOn/p:definitions/*", NS)}
    for policy in admx.iterfind(".//p:policy", NS):
        for reference in policy.iterfind("p:supportedOn", NS):
            if reference.get("ref") not in supported:
                faults.append(f"{source}: policy {policy.get('name')} is supported on "
                              f"{reference.get('ref')}, which is not defined")


def check(folder):
    faults = []
    admx_files = sorted(folder.glob("*.admx"))
    if len(admx_files) != 1:
        return [f"{folder}: {len(admx_files)} .admx files, expected one"]
    admx_path = admx_files[0]
    admx = parse(admx_path, faults)
    if admx is None:
        return faults
    check_admx_references(admx, admx_path, faults)
    wanted, elements = references(admx)
    adml_name = admx_path.stem + ".adml"
    for language in LANGUAGES:
        path = folder / language / adml_name
        if not path.is_file():
            faults.append(f"{path}: missing")
            continue
        check_adml(path, wanted, elements, faults)
    for path in sorted(folder.glob("*/*.adml")):
        if path.parent.name not in LANGUAGES or path.name != adml_name:
            faults.append(f"{path}: an ADML no language of the ADMX uses")
    return faults


def main():
    faults = check(pathlib.Path(sys.argv[1]))
    for fault in faults:
        print(fault)
    if faults:
        sys.exit(1)
    print("policy templates: well-formed, every language complete")


if __name__ == "__main__":
    main()
