#!/usr/bin/env python3
"""Validates Dustbane /json reports against docs/report.schema.json.

    validate-report.py SCHEMA REPORT...

Prints one line per report, "ok <file>" or "FAIL <file>: <why>", and exits 1 when any
report is not valid JSON or does not follow the schema.
"""
import json
import sys

import jsonschema


def main(schema_path, report_paths):
    with open(schema_path, encoding="utf-8") as schema_file:
        schema = json.load(schema_file)
    jsonschema.Draft7Validator.check_schema(schema)
    validator = jsonschema.Draft7Validator(schema)
    failed = 0
    for path in report_paths:
        try:
            # utf-8-sig: a report saved by a Windows tool may start with a byte-order mark.
            with open(path, encoding="utf-8-sig") as report_file:
                report = json.load(report_file)
            errors = sorted(validator.iter_errors(report), key=lambda e: list(e.path))
        except (OSError, ValueError) as error:
            errors = [error]
        if errors:
            failed += 1
            print(f"FAIL {path}: " + "; ".join(getattr(e, "message", str(e)) for e in errors))
        else:
            print(f"ok {path}")
    return 1 if failed else 0


if __name__ == "__main__":
    if len(sys.argv) < 3:
        print(__doc__.strip(), file=sys.stderr)
        sys.exit(2)
    sys.exit(main(sys.argv[1], sys.argv[2:]))
