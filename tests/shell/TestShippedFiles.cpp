// Where the programs find the files they ship: beside them in the build folder, in the installed
// folders of a prefix laid out as the install lays it out, wherever that prefix was moved.

#include "shell/ShippedFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace vellum;

namespace {

enum class Place { Beside, Installed };

void touch(const QString &path)
{
    QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
}

} // namespace

class TestShippedFiles : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void foundBesideTheProgramOrInstalled_data()
    {
        QTest::addColumn<bool>("module");
        QTest::addColumn<QList<int>>("present");
        QTest::addColumn<int>("expected"); // a Place, or -1 for none
        const int beside = int(Place::Beside);
        const int installed = int(Place::Installed);
        for (const bool module : {false, true}) {
            const char *kind = module ? "module" : "data";
            QTest::addRow("%s: build folder", kind) << module << QList<int>{beside} << beside;
            QTest::addRow("%s: installed", kind) << module << QList<int>{installed} << installed;
            QTest::addRow("%s: both, beside first", kind) << module << QList<int>{installed, beside} << beside;
            QTest::addRow("%s: neither", kind) << module << QList<int>{} << -1;
        }
    }

    void foundBesideTheProgramOrInstalled()
    {
        QFETCH(bool, module);
        QFETCH(QList<int>, present);
        QFETCH(int, expected);
        const QTemporaryDir root;
        // Laid out, then moved, as an administrator may move an install.
        const QString prefix = root.filePath(u"prefix"_s);
        const QString installedFolder = QDir(prefix).filePath(module ? QStringLiteral(VELLUM_MODULE_INSTALL_DIR)
                                                                     : QStringLiteral(VELLUM_DATA_INSTALL_DIR));
        const QString programFolder = QDir(prefix).filePath(QStringLiteral(VELLUM_BIN_INSTALL_DIR));
        const QString name = module ? u"vellum_sqlite.so"_s : u"qvl2a.hlp"_s;
        QVERIFY(QDir().mkpath(programFolder));
        for (const int place : std::as_const(present))
            touch(QDir(place == int(Place::Beside) ? programFolder : installedFolder).filePath(name));
        const QString moved = root.filePath(u"moved"_s);
        QVERIFY(QDir().rename(prefix, moved));

        const QString movedProgram = QString(programFolder).replace(prefix, moved);
        const QStringList folders =
            module ? ShippedFiles::moduleFolders(movedProgram) : ShippedFiles::dataFolders(movedProgram);
        const QString found = ShippedFiles::find(folders, name);
        if (expected < 0) {
            QVERIFY2(found.isEmpty(), qPrintable(found));
            return;
        }
        const QString where = expected == int(Place::Beside) ? programFolder : installedFolder;
        QCOMPARE(QFileInfo(found).canonicalFilePath(),
                 QFileInfo(QString(where).replace(prefix, moved) + u'/' + name).canonicalFilePath());
    }

    // A folder that happens to carry the name is not the file.
    void folderOfTheNameIsNoFile()
    {
        const QTemporaryDir root;
        QVERIFY(QDir(root.path()).mkdir(u"qvl2a.hlp"_s));
        QCOMPARE(ShippedFiles::find({root.path()}, u"qvl2a.hlp"_s), QString());
    }
};

QTEST_GUILESS_MAIN(TestShippedFiles)
#include "TestShippedFiles.moc"
