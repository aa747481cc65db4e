#!/usr/bin/env python3
"""The install tree as a user gets it: cmake --install into a temporary prefix,
the installed tool started from another working directory, and the desktop
files checked by the desktop's own validators.

    install_tree_test.py --build-dir DIR --app-id ID --version X.Y.Z
"""

import argparse
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import unittest

ARGS = None

RUNTIME_FILES = [
    "images/bandgap.png",
    "images/greenBut.png",
    "images/redBut.png",
    "docs/about.html",
    "docs/register-reference.html",
    "headers/zvr2mxx.h",
    "headers/zvr2mxx_24pwp.h",
    "headers/zvr_qdev.h",
    "demo/demoModeValues16.txt",
    "demo/demoModeValues18.txt",
]
SUPPORT_HEADERS = ["zvr2mxx.h", "zvr2mxx_24pwp.h", "zvr_qdev.h"]
ICON_SIZES = [16, 22, 24, 32, 48, 64, 128, 256]


def png_size(path):
    with open(path, "rb") as f:
        head = f.read(24)
    if head[:8] != b"\x89PNG\r\n\x1a\n" or head[12:16] != b"IHDR":
        return None
    return struct.unpack(">II", head[16:24])


def run(command, **kwargs):
    return subprocess.run(command, capture_output=True, text=True, timeout=120, **kwargs)


# Identifies the part, shows the Datasheet page and takes a screenshot; then
# uses the other run-time files: the export copies the support headers and,
# with the board pulled, demo mode loads both demo values files.
SCRIPT = """\
wait-for devLabel text ZVR2M08A-K1 15000
get devLabel
select-text mainTabControl Datasheet
wait 300
get mainTabControl
get datasheetBrowser source
get AutoConfigurationGui width
get AutoConfigurationGui height
screenshot {shot}
answer-file {export}
click cStructToolStripMenuItem
wait 300
board unplug
wait-for demoModeToolStripMenuItem enabled true 10000
click demoModeToolStripMenuItem
wait 300
select demoPartBox 0
wait 300
select demoPartBox 2
wait 300
get connectionLabel
quit
"""


class InstallTree(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.tmp = tempfile.mkdtemp(prefix="kc-install-test-")
        cls.prefix = os.path.join(cls.tmp, "prefix")
        done = run(["cmake", "--install", ARGS.build_dir, "--prefix", cls.prefix])
        if done.returncode != 0:
            raise RuntimeError("cmake --install failed:\n" + done.stdout + done.stderr)

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.tmp, ignore_errors=True)

    def installed(self, *parts):
        return os.path.join(self.prefix, *parts)

    def test_layout(self):
        app = ARGS.app_id
        expected = [("bin", "keldor-configurator"), ("bin", "keldor-cli"), ("bin", "velmara-emu"),
                    ("lib", "udev", "rules.d", "70-velmara-board.rules"),
                    ("share", "applications", app + ".desktop"),
                    ("share", "metainfo", app + ".metainfo.xml"),
                    ("share", "icons", "hicolor", "scalable", "apps", app + ".svg")]
        expected += [("share", "keldor-configurator") + tuple(f.split("/")) for f in RUNTIME_FILES]
        for parts in expected:
            with self.subTest(path="/".join(parts)):
                self.assertTrue(os.path.isfile(self.installed(*parts)))
        for program in ("keldor-configurator", "keldor-cli", "velmara-emu"):
            self.assertTrue(os.access(self.installed("bin", program), os.X_OK), program)
        for size in ICON_SIZES:
            with self.subTest(icon=size):
                png = self.installed("share", "icons", "hicolor", f"{size}x{size}", "apps", app + ".png")
                self.assertEqual(png_size(png), (size, size))

    def test_versions(self):
        for program in ("keldor-configurator", "keldor-cli", "velmara-emu"):
            with self.subTest(program=program):
                done = run([self.installed("bin", program), "--version"])
                self.assertEqual(done.returncode, 0, done.stderr)
                self.assertEqual(done.stdout, f"{program} {ARGS.version}\n")

    def test_validators_accept_desktop_files(self):
        desktop = self.installed("share", "applications", ARGS.app_id + ".desktop")
        done = run(["desktop-file-validate", desktop])
        self.assertEqual((done.returncode, done.stdout + done.stderr), (0, ""))
        done = run(["appstreamcli", "validate", "--no-net", "--pedantic",
                    self.installed("share", "metainfo", ARGS.app_id + ".metainfo.xml")])
        self.assertEqual(done.returncode, 0, done.stdout + done.stderr)
        self.assertNotIn("P:", done.stdout)  # not even a pedantic remark
        # The tree as a whole: the launchable's desktop file is there.
        done = run(["appstreamcli", "validate-tree", "--no-net", self.prefix])
        self.assertEqual(done.returncode, 0, done.stdout + done.stderr)

    def start_tool(self, program, name):
        """Runs the script from a working directory that holds none of the tool's files."""
        work = os.path.join(self.tmp, name)
        os.makedirs(work)
        shot = os.path.join(work, "shots", "datasheet.png")
        export = os.path.join(work, "export", "config.h")
        os.makedirs(os.path.dirname(export))
        script = os.path.join(work, "installed.kcs")
        with open(script, "w") as f:
            f.write(SCRIPT.format(shot=shot, export=export))
        done = subprocess.run([program, "--emulate", "--script", script], cwd=work, capture_output=True,
                              text=True, timeout=180)
        return done, work, shot, export

    def check_run(self, done, work, shot, export, data_folder):
        lines = done.stdout.splitlines()
        self.assertEqual(done.returncode, 0, done.stdout + done.stderr)
        for line in lines:
            self.assertFalse(line.startswith(("ERROR", "TIMEOUT")), line)
            self.assertNotIn("not found", line)
            self.assertNotIn("could not", line)
        self.assertIn("devLabel text=ZVR2M08A-K1", lines)
        self.assertIn("mainTabControl text=Datasheet", lines)
        reference = os.path.join(data_folder, "docs", "register-reference.html")
        self.assertIn("datasheetBrowser source=file://" + reference, lines)
        # The screenshot is of the whole window, at its size.
        width = next(l for l in lines if l.startswith("AutoConfigurationGui width=")).split("=")[1]
        height = next(l for l in lines if l.startswith("AutoConfigurationGui height=")).split("=")[1]
        self.assertEqual(png_size(shot), (int(width), int(height)))
        for header in SUPPORT_HEADERS:
            with self.subTest(header=header):
                with open(os.path.join(data_folder, "headers", header), "rb") as shipped, \
                        open(os.path.join(os.path.dirname(export), header), "rb") as copied:
                    self.assertEqual(shipped.read(), copied.read())
        self.assertTrue(any(l.startswith('MESSAGE information "Configuration Saved"') for l in lines), done.stdout)
        self.assertIn("connectionLabel text=Demo Mode", lines)
        self.assertEqual(sorted(os.listdir(work)), ["export", "installed.kcs", "shots"])

    def test_installed_tool_finds_its_files_from_elsewhere(self):
        done, work, shot, export = self.start_tool(self.installed("bin", "keldor-configurator"), "elsewhere")
        self.check_run(done, work, shot, export, self.installed("share", "keldor-configurator"))
        if ARGS.keep_shot:
            shutil.copy(shot, ARGS.keep_shot)

    def test_built_tool_finds_its_files_from_elsewhere(self):
        built = os.path.join(ARGS.build_dir, "bin")
        done, work, shot, export = self.start_tool(os.path.join(built, "keldor-configurator"), "built")
        self.check_run(done, work, shot, export, built)


def main():
    global ARGS
    parser = argparse.ArgumentParser()
    parser.add_argument("--build-dir", required=True)
    parser.add_argument("--app-id", required=True)
    parser.add_argument("--version", required=True)
    parser.add_argument("--keep-shot", help="copy the installed tool's screenshot here")
    ARGS, rest = parser.parse_known_args()
    ARGS.build_dir = os.path.abspath(ARGS.build_dir)
    return unittest.main(argv=[sys.argv[0]] + rest, verbosity=2, exit=False).result.wasSuccessful()


if __name__ == "__main__":
    sys.exit(0 if main() else 1)
