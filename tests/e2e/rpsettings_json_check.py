#!/usr/bin/env python3
"""rpsettings --json on virtual printers under Wine: every command's document against
cli/rpsettings.schema.json, and what each document must say; and output to a full disk, which is
a failure however far the command got.

Usage: rpsettings_json_check.py <wine-run> <rpsettings.exe> <qmxctl.exe> <schema>
"""
import json
import subprocess
import sys
import tempfile
from pathlib import Path

import jsonschema

wine_run, rpsettings, qmxctl, schema_path = sys.argv[1:5]
validator = jsonschema.Draft7Validator(json.loads(Path(schema_path).read_text()))
failures = []


def run(program, *arguments):
    return subprocess.run([wine_run, program, *arguments], capture_output=True, stdin=subprocess.DEVNULL,
                          timeout=120)


def qmx(*arguments):
    done = run(qmxctl, *arguments)
    if done.returncode != 0:
        sys.exit(f"qmxctl {' '.join(arguments)}: {done.stderr.decode(errors='replace')}")


def windows_path(path):
    return "Z:" + str(path).replace("/", "\\")


def text_export_values(printer):
    """The values of the settings file that plain `export` writes to standard output."""
    values = {}
    for line in run(rpsettings, "export", printer).stdout.decode("utf-8").splitlines():
        key, sep, value = line.split("#")[0].partition("=")
        if sep and key.strip() not in ("RemotePanelSettings", "Model"):
            values[key.strip()] = int(value, 0)
    return values


def entries(document):
    return {entry["name"]: entry for entry in document.get("printers", [])}


def changed_keys(entry, member="changes"):
    return {change["key"] for change in entry.get(member, [])}


def check(name, arguments, exit_code, expect=lambda document: None, before=None):
    if before:
        before()
    done = run(rpsettings, *arguments, "--json")
    problems = []
    try:
        document = json.loads(done.stdout.decode("utf-8"))
    except ValueError as error:
        failures.append(f"{name}: standard output is not one UTF-8 JSON document ({error}): {done.stdout[:600]!r}")
        return
    problems += [f"schema: {e.message} at {list(e.absolute_path)}" for e in validator.iter_errors(document)]
    if done.returncode != exit_code:
        problems.append(f"exit code {done.returncode}, expected {exit_code}")
    code = document["error"]["exitCode"] if "error" in document else document.get("exitCode")
    if code != done.returncode:
        problems.append(f"document's exit code {code} is not the process's {done.returncode}")
    if "error" in document and not done.stderr:
        problems.append("an error document without a message on standard error")
    try:
        problem = expect(document)
        if problem:
            problems.append(problem)
    except (KeyError, IndexError, TypeError) as error:
        problems.append(f"missing {error!r}")
    if problems:
        failures.append(f"{name}: " + "; ".join(problems) + "\n" + json.dumps(document, ensure_ascii=False)[:1500])


qmx("reset")
qmx("model", "install")
qmx("add", "A", "--spooler")
qmx("add", "BUSY", "--spooler", "--preset", "busy")
qmx("add", "RO", "--spooler", "--preset", "read-only")
folder = Path(tempfile.mkdtemp(prefix="rps-json-"))
header = "RemotePanelSettings = 1\nModel = Brindlemark 400ZX\n"
page70 = folder / "page70.txt"
page70.write_text(header + "PageLength = 70\n", encoding="utf-8")
bad = folder / "bad.txt"
bad.write_text(header + "PageLength = 70\nNoSuchSetting = 1\n", encoding="utf-8")
exported = folder / "exported.txt"

text_values = text_export_values("A")
check("list", ["list"], 0, lambda d: None if [p["name"] for p in d["printers"]] == ["A", "BUSY", "RO"]
      else "printers are not A, BUSY, RO")
check("show", ["show", "A"], 0, lambda d: None if {s["key"]: s["value"] for s in d["settings"]} == text_values
      else "show's values are not export's")
check("export as JSON and as text", ["export", "A"], 0,
      lambda d: None if d["settings"] == text_values and text_values else "export --json differs from export")
check("export to a file", ["export", "A", windows_path(exported)], 0,
      lambda d: None if exported.exists() and d["file"] == windows_path(exported) else "the file was not written")
# A name as long as a path may be: the temporary file written first must still fit.
longest = folder / ("L" * (259 - len(windows_path(folder)) - 1 - 4) + ".txt")
check("export to the longest path", ["export", "A", windows_path(longest)], 0,
      lambda d: None if longest.exists() and not list(folder.glob("*.new")) else "the file was not written")
check("diff", ["diff", "A", windows_path(page70)], 0,
      lambda d: None if changed_keys(d, "differences") == {"PageLength"} else "diff is not PageLength")
check("import dry run", ["import", "A", windows_path(page70), "--dry-run"], 0,
      lambda d: None if entries(d)["A"]["result"] == "dry-run" and changed_keys(entries(d)["A"]) == {"PageLength"}
      else "the dry run does not list PageLength")
check("import to three", ["import", "RO", "A", "NOPE", windows_path(page70)], 1,
      lambda d: None if [(e["name"], e["result"]) for e in d["printers"]] ==
      [("RO", "refused"), ("A", "written"), ("NOPE", "not-installed")] else "wrong results")
check("import that reads back otherwise", ["import", "A", windows_path(page70)], 4,
      lambda d: None if changed_keys(entries(d)["A"], "readBackDifferences") == {"PageLength"}
      else "no read-back difference", before=lambda: (qmx("block", "A", "reset"), qmx("fault", "A", "store-other", "1")))
check("copy", ["copy", "A", "RO", "BUSY"], 1,
      lambda d: None if {e["result"] for e in d["printers"]} == {"refused"} and d["source"] == "A" else "wrong results")
check("report", ["report"], 1,
      lambda d: None if [(p["name"], p["settings"] is None) for p in d["printers"]] ==
      [("A", False), ("BUSY", True), ("RO", False)] else "only BUSY's settings should be missing")
check("unknown printer", ["show", "NOPE"], 1, lambda d: None if d["error"]["command"] == "show" else "no command")
check("invalid file", ["import", "A", windows_path(bad)], 3,
      lambda d: None if any("NoSuchSetting" in m for m in d["error"]["messages"]) else "the bad line is not named")
check("bad usage", ["frobnicate"], 2, lambda d: None if "command" not in d["error"] else "a command was named")



def check_full_disk(arguments):
    """Standard output on a full disk: exit 1, and standard error says that it was lost."""
    with open("/dev/full", "wb") as full:
        done = subprocess.run([wine_run, rpsettings, *arguments], stdout=full, stderr=subprocess.PIPE,
                              stdin=subprocess.DEVNULL, timeout=120)
    said = done.stderr.decode("cp932", errors="replace")
    if done.returncode != 1 or "標準出力に書き込めません" not in said:
        failures.append(f"{' '.join(arguments)} > /dev/full: exit {done.returncode}, said {said!r}")


qmx("block", "A", "reset")
qmx("fault", "A", "store-other", "0")
for arguments in (["export", "A"], ["list", "--json"], ["import", "A", windows_path(page70), "--json"]):
    check_full_disk(arguments)

history = windows_path(folder / "history")
check("import keeps the history", ["import", "A", windows_path(page70), "--history", history], 0,
      lambda d: None if entries(d)["A"]["history"].startswith(history) else "no history file named")
check("history", ["history", "A", "--history", history], 0,
      lambda d: None if [(e["program"], e["changes"]) for e in d["history"]] == [("rpsettings import", 0)]
      else "not the import's one file")
check("undo", ["undo", "A", "RO", "--history", history], 1,
      lambda d: None if [(e["name"], e["result"]) for e in d["printers"]] == [("A", "written"), ("RO", "no-history")]
      and entries(d)["A"]["restored"] and entries(d)["A"]["history"] else "wrong results")

qmx("reset")
for failure in failures:
    print("FAILED", failure)
print(f"{20 - len(failures)} of 20 checks as expected")
sys.exit(1 if failures else 0)
