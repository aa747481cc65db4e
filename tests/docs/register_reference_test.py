#!/usr/bin/env python3
"""The register reference generator: which notes land on which fields, and
that docs/register-reference.html is what the generator makes of the sources."""
import html
import importlib.util
import pathlib
import re
import unittest

ROOT = pathlib.Path(__file__).resolve().parents[2]
spec = importlib.util.spec_from_file_location("generator", ROOT / "docs/generate-register-reference.py")
generator = importlib.util.module_from_spec(spec)
spec.loader.exec_module(generator)

SAMPLE = """
namespace hss::field18 {

using R = HSSRegister;

// LPM (heading remark)
inline constexpr RegisterField ENABLE{R::LPM, 0, 1};
// Field note.
inline constexpr RegisterField FET{R::LPM, 1, 1};
inline constexpr RegisterField AUTO_CH1{R::LPM, 2, 1};
inline constexpr RegisterField AUTO_CH2{R::LPM, 3, 1};
// Threshold note.
inline constexpr RegisterField THRESHOLD_CH1{R::LPM, 4, 2};
inline constexpr RegisterField THRESHOLD_CH2{R::LPM, 6, 2};
inline constexpr RegisterField AFTER_TWIN{R::LPM, 8, 1};

inline constexpr RegisterField NEW_GROUP{R::LPM, 9, 1};
// CH1_CONFIG / CH2_CONFIG
inline constexpr RegisterField PER_CHANNEL{R::CH_CONFIG, 0, 1};
// LPM is not a heading when more text follows.
inline constexpr RegisterField NOT_HEADING{R::LPM, 10, 1, true};

}  // namespace hss::field18
"""


class FieldNotes(unittest.TestCase):
    def test_each_note_lands_on_its_own_fields(self):
        notes = {name: note for _, name, _, _, _, note in generator.fields(SAMPLE, r"hss::field18")}
        expected = {
            "ENABLE": "heading remark",
            "FET": "heading remark; Field note.",
            "AUTO_CH1": "heading remark",
            "AUTO_CH2": "heading remark",
            "THRESHOLD_CH1": "heading remark; Threshold note.",
            "THRESHOLD_CH2": "heading remark; Threshold note.",
            "AFTER_TWIN": "heading remark",
            "NEW_GROUP": "",
            "PER_CHANNEL": "",
            "NOT_HEADING": "LPM is not a heading when more text follows.",
        }
        self.assertEqual(notes, expected)


class CommittedReference(unittest.TestCase):
    def setUp(self):
        self.page = (ROOT / "docs/register-reference.html").read_text(encoding="utf-8")

    def test_is_what_the_generator_makes_of_the_sources(self):
        self.assertEqual(self.page, generator.current_page(),
                         "docs/register-reference.html is stale: run python3 docs/generate-register-reference.py")

    def test_fet_selection_note_is_on_the_fet_field_only(self):
        fet_note = html.escape('0 "Small FET", 1 "Large FET".')
        fields = [re.search(r"<td><code>\w+</code></td><td><code>(\w+)</code>", line).group(1)
                  for line in self.page.splitlines() if line.startswith("<tr><td>") and fet_note in line]
        self.assertEqual(fields, ["LPM_FET_SELECT"])

if __name__ == "__main__":
    unittest.main()
