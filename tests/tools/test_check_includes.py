"""tools/check-includes.py on small trees: it lists exactly the includes of a folder above the
including file's own and fails on them, and passes a tree that only looks down."""

import os
import subprocess
import sys
import tempfile
import unittest

SCRIPT = os.path.join(os.path.dirname(__file__), "..", "..", "tools", "check-includes.py")


def check(files):
    """Runs the script on a tree of {path: text}; returns (exit code, violation lines)."""
    with tempfile.TemporaryDirectory() as root:
        for path, text in files.items():
            os.makedirs(os.path.dirname(os.path.join(root, path)), exist_ok=True)
            with open(os.path.join(root, path), "w", encoding="utf-8") as out:
                out.write(text)
        run = subprocess.run([sys.executable, SCRIPT, root], capture_output=True, text=True)
        return run.returncode, [line for line in run.stdout.splitlines() if ": includes " in line]


class CheckIncludes(unittest.TestCase):
    def test_trees(self):
        cases = [
            ("down and sideways into its own folder",
             {"panel/P.cpp": '#include "panel/P.h"\n#include "link/L.h"\n#include "base/B.h"\n#include "P2.h"\n',
              "link/L.cpp": '#include "settings/S.h"\n#include <windows.h>\n'}, 0, []),
            ("base looking up at link, and link at the panel",
             {"base/B.h": '#include "base/C.h"\n#  include "link/KovQmx.h"\n',
              "link/W.cpp": '\n#include "panel/ToolbarButtons.h"\n'},
             1, ["base/B.h:2: includes link/KovQmx.h", "link/W.cpp:2: includes panel/ToolbarButtons.h"]),
            ("the driver below the panel, and an unknown folder that is not judged",
             {"panel/D.cpp": '#include "shell/Startup.h"\n', "docs/x.h": '#include "shell/Frame.h"\n'},
             1, ["panel/D.cpp:1: includes shell/Startup.h"]),
            ("settings may not fetch through link", {"settings/R.cpp": '#include "link/KovQmx.h"\n'},
             1, ["settings/R.cpp:1: includes link/KovQmx.h"]),
        ]
        for what, files, code, listed in cases:
            with self.subTest(what):
                got_code, got_lines = check(files)
                self.assertEqual(got_code, code)
                self.assertEqual([line.split(" (")[0] for line in got_lines], listed)


if __name__ == "__main__":
    unittest.main()
