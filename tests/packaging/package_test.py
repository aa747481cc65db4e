#!/usr/bin/env python3
"""The Debian package: built with CPack from the configured build folder into
a temporary folder, then read back with dpkg-deb (contents, computed
dependencies, maintainer scripts). Skipped (exit 77) in sanitizer builds,
whose binaries are not for shipping.

    package_test.py --build-dir DIR --app-id ID --version X.Y.Z [--sanitizer NAME]
"""

import argparse
import glob
import gzip
import io
import os
import shutil
import subprocess
import sys
import tarfile
import tempfile
import unittest

ARGS = None
SKIPPED = 77


def run(command, **kwargs):
    done = subprocess.run(command, capture_output=True, timeout=240, **kwargs)
    if done.returncode != 0:
        raise RuntimeError(" ".join(command) + " failed:\n" + done.stdout.decode() + done.stderr.decode())
    return done.stdout


class DebianPackage(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.tmp = tempfile.mkdtemp(prefix="kc-package-test-")
        run(["cpack", "-G", "DEB", "--config", os.path.join(ARGS.build_dir, "CPackConfig.cmake"), "-B", cls.tmp])
        debs = glob.glob(os.path.join(cls.tmp, "*.deb"))
        if len(debs) != 1:
            raise RuntimeError(f"expected one package, found {debs}")
        cls.deb = debs[0]
        listing = run(["dpkg-deb", "-c", cls.deb]).decode()
        # "-rwxr-xr-x root/root 123 2026-01-01 00:00 ./usr/bin/x": path is the sixth field.
        cls.entries = {line.split(None, 5)[5] for line in listing.splitlines()}

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.tmp, ignore_errors=True)

    def field(self, name):
        return run(["dpkg-deb", "-f", self.deb, name]).decode().strip()

    def test_contents(self):
        app = ARGS.app_id
        for path in ["usr/bin/keldor-configurator", "usr/bin/keldor-cli", "usr/bin/velmara-emu",
                     "usr/lib/udev/rules.d/70-velmara-board.rules",
                     f"usr/share/applications/{app}.desktop", f"usr/share/metainfo/{app}.metainfo.xml",
                     f"usr/share/icons/hicolor/scalable/apps/{app}.svg",
                     f"usr/share/icons/hicolor/48x48/apps/{app}.png",
                     "usr/share/keldor-configurator/images/redBut.png",
                     "usr/share/keldor-configurator/docs/register-reference.html",
                     "usr/share/keldor-configurator/headers/zvr_qdev.h",
                     "usr/share/keldor-configurator/demo/demoModeValues18.txt",
                     "usr/share/doc/keldor-configurator/copyright",
                     "usr/share/doc/keldor-configurator/changelog.gz",
                     "usr/share/man/man1/keldor-configurator.1.gz", "usr/share/man/man1/keldor-cli.1.gz",
                     "usr/share/man/man1/velmara-emu.1.gz"]:
            with self.subTest(path=path):
                self.assertIn("./" + path, self.entries)
        # Only the three programs, nothing outside /usr.
        programs = {e for e in self.entries if e.startswith("./usr/bin/") and not e.endswith("/")}
        self.assertEqual(programs, {"./usr/bin/keldor-configurator", "./usr/bin/keldor-cli", "./usr/bin/velmara-emu"})
        self.assertEqual({e for e in self.entries if e not in ("./", "./usr/") and not e.startswith("./usr/")}, set())

    def test_control_fields(self):
        self.assertEqual(self.field("Package"), "keldor-configurator")
        self.assertEqual(self.field("Version"), ARGS.version)
        # Computed by dpkg-shlibdeps from the binaries, with versions.
        depends = [d.strip() for d in self.field("Depends").split(",")]
        names = {d.split()[0] for d in depends}
        for library in ["libc6", "libqt6core6", "libqt6gui6", "libqt6widgets6", "libqcustomplot2.1-qt6",
                        "libhidapi-hidraw0", "libudev1"]:
            with self.subTest(library=library):
                self.assertIn(library, names)
        self.assertTrue(all("(>=" in d for d in depends if d.startswith("libqt6")), depends)

    def member(self, path):
        data = tarfile.open(fileobj=io.BytesIO(run(["dpkg-deb", "--fsys-tarfile", self.deb])))
        return data.extractfile(path).read()

    def test_licence_and_documents(self):
        # QCustomPlot is licensed under the GPL 3: the package says so.
        copyright_text = self.member("./usr/share/doc/keldor-configurator/copyright").decode()
        self.assertTrue(copyright_text.startswith(
            "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n"))
        self.assertIn("\nLicense: GPL-3.0-or-later\n", copyright_text)
        self.assertIn("/usr/share/common-licenses/GPL-3", copyright_text)
        metainfo = self.member(f"./usr/share/metainfo/{ARGS.app_id}.metainfo.xml").decode()
        self.assertIn("<project_license>GPL-3.0-or-later</project_license>", metainfo)
        # Compressed without a time stamp, so two builds give the same bytes.
        for path in ["./usr/share/doc/keldor-configurator/changelog.gz", "./usr/share/man/man1/velmara-emu.1.gz"]:
            with self.subTest(path=path):
                packed = self.member(path)
                self.assertEqual(packed[4:8], b"\0\0\0\0")  # gzip MTIME
                self.assertEqual(packed[3] & 0x08, 0)         # no FNAME
        changelog = gzip.decompress(self.member("./usr/share/doc/keldor-configurator/changelog.gz")).decode()
        self.assertTrue(changelog.startswith(f"keldor-configurator ({ARGS.version}) "), changelog[:80])
        manual = gzip.decompress(self.member("./usr/share/man/man1/keldor-configurator.1.gz")).decode()
        self.assertIn(f'"keldor-configurator {ARGS.version}"', manual)

    def test_lintian_finds_no_error_or_warning(self):
        lintian = shutil.which("lintian")
        if lintian is None:
            self.skipTest("lintian is not installed (scripts/package installs it)")
        done = subprocess.run([lintian, "--fail-on", "error,warning", self.deb], capture_output=True, timeout=240)
        self.assertEqual(done.returncode, 0, done.stdout.decode() + done.stderr.decode())

    def test_maintainer_scripts(self):
        control = tarfile.open(fileobj=io.BytesIO(run(["dpkg-deb", "--ctrl-tarfile", self.deb])))
        scripts = {m.name.lstrip("./"): m for m in control.getmembers() if m.isfile()}
        for name in ("postinst", "postrm"):
            with self.subTest(script=name):
                self.assertIn(name, scripts)
                self.assertEqual(scripts[name].mode & 0o777, 0o755)
                text = control.extractfile(scripts[name]).read().decode()
                self.assertIn("udevadm control --reload-rules", text)
        # The binaries are stripped: no debug sections in the shipped program.
        data = tarfile.open(fileobj=io.BytesIO(run(["dpkg-deb", "--fsys-tarfile", self.deb])))
        program = data.extractfile("./usr/bin/keldor-configurator").read()
        self.assertNotIn(b".debug_info", program)


def main():
    global ARGS
    parser = argparse.ArgumentParser()
    parser.add_argument("--build-dir", required=True)
    parser.add_argument("--app-id", required=True)
    parser.add_argument("--version", required=True)
    parser.add_argument("--sanitizer", default="")
    ARGS, rest = parser.parse_known_args()
    if ARGS.sanitizer:
        print(f"skipped: a {ARGS.sanitizer} sanitizer build is not packaged")
        return SKIPPED
    ARGS.build_dir = os.path.abspath(ARGS.build_dir)
    result = unittest.main(argv=[sys.argv[0]] + rest, verbosity=2, exit=False).result
    return 0 if result.wasSuccessful() else 1


if __name__ == "__main__":
    sys.exit(main())
