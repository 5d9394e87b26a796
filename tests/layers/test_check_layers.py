"""The include check's rules, on small project trees written to a temporary folder."""

import tempfile
import unittest
from pathlib import Path

import check_layers

# One row per rule: the files of the tree, the window files among them, and what the check says.
ROWS = [
    ("down the layers", {"src/mail/Inbox.h": '#include "data/Workstation.h"\n#include "framework/Clock.h"\n'},
     [], []),
    ("up the layers", {"src/mail/Session.h": '#pragma once\n#include "shell/MainFrame.h"\n'},
     [], ['src/mail/Session.h:2: includes "shell/MainFrame.h": subsystems may not include shell']),
    ("store below the framework", {"src/store/Database.cpp": '#include "framework/RecordFile.h"\n'},
     [], ['src/store/Database.cpp:1: includes "framework/RecordFile.h": store may not include framework']),
    ("framework below a record layout", {"src/framework/widgets/Form.cpp": '#include "data/CaseRecord.h"\n'},
     ["src/framework/widgets/Form.cpp"],
     ['src/framework/widgets/Form.cpp:1: includes "data/CaseRecord.h": framework may not include data']),
    ("beside the file first", {"src/shell/Frame.cpp": '#include "Startup.h"\n'}, [], []),
    ("subsystems use each other", {"src/cases/CaseForm.cpp": '#include "mail/WorkstationMail.h"\n'},
     ["src/cases/CaseForm.cpp", "src/mail/WorkstationMail.cpp"], []),
    ("app above all", {"app/admin/main.cpp": '#include "shell/StarterDatabase.h"\n'}, [], []),
    ("a folder outside the table", {"src/gadgets/Page.h": "#pragma once\n"},
     [], ["src/gadgets/Page.h:1: folder 'gadgets' is in no layer of the table"]),
    ("widget header in logic", {"src/log/LogTrimmer.cpp": "#include <QString>\n#include <QWidget>\n"},
     [], ["src/log/LogTrimmer.cpp:2: includes <QWidget>: a logic file includes no widget header"]),
    ("module path in logic", {"src/cases/CaseLog.h": "#include <QtGui/QColor>\n"},
     [], ["src/cases/CaseLog.h:1: includes <QtGui/QColor>: a logic file includes no widget header"]),
    ("widget header in a window", {"src/log/LogWindow.h": "#include <QWidget>\n"},
     ["src/log/LogWindow.cpp"], []),
    ("window file in logic", {"src/mail/Reader.cpp": '#include "InboxWindow.h"\n'},
     ["src/mail/InboxWindow.cpp"], ['src/mail/Reader.cpp:1: includes "InboxWindow.h": a logic file includes no window file']),
]

# The project files the rows include, and a few Qt headers.
EXISTING = ["src/data/Workstation.h", "src/framework/Clock.h", "src/shell/MainFrame.h", "src/framework/RecordFile.h",
            "src/data/CaseRecord.h", "src/shell/Startup.h", "src/mail/WorkstationMail.h",
            "src/shell/StarterDatabase.h", "src/mail/InboxWindow.h",
            "qt/QtCore/QString", "qt/QtWidgets/QWidget", "qt/QtGui/QColor"]


class TestCheckLayers(unittest.TestCase):
    def test_rules(self):
        for name, files, windows, expected in ROWS:
            with self.subTest(name), tempfile.TemporaryDirectory() as folder:
                root = Path(folder).resolve()
                for path, text in [(p, "") for p in EXISTING] + list(files.items()):
                    (root / path).parent.mkdir(parents=True, exist_ok=True)
                    (root / path).write_text(text)
                (root / "app").mkdir(exist_ok=True)
                window_files = {root / path for path in windows}
                problems = check_layers.check(root, window_files, root / "qt")
                self.assertEqual(problems, expected)

    def test_exit_status(self):
        with tempfile.TemporaryDirectory() as folder:
            root = Path(folder)
            (root / "src/store").mkdir(parents=True)
            (root / "app").mkdir()
            (root / "src/store/Value.h").write_text("#pragma once\n")
            self.assertEqual(check_layers.main([str(root)]), 0)
            (root / "src/store/Value.h").write_text('#include "shell/MainFrame.h"\n')
            (root / "src/shell").mkdir()
            (root / "src/shell/MainFrame.h").write_text("")
            self.assertEqual(check_layers.main([str(root)]), 1)


if __name__ == "__main__":
    unittest.main()
