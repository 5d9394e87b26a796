#pragma once
// A list's records as a file another program opens: "XPort.CSV" (a line of header texts, then a
// line per record) or "XPort.HTM" (a table with border 2, a header row, a row per record), each
// cell the text the list shows. The file is written aside and takes its name only when every
// record is in it: a cancelled or failed export leaves no partial file under the name.

#include "BrowseColumn.h"
#include "ProgressProcess.h"

#include <QSaveFile>
#include <QString>

#include <vector>

namespace vellum {

class Messages;

class ListExport {
public:
    enum class Format { Csv, Html };

    static const QString CsvFileName;
    static const QString HtmlFileName;
    static const QString WriteFailedMessage; // %1: the file, %2: the file system's reason
    static const QString LaunchError;
    static const QString LaunchHint; // %1: the file's type

    // Told when no program opens the exported file.
    static QString launchErrorText(const QString &path);

    ListExport(Format format, std::vector<BrowseColumn> columns, const QString &title, const QString &folder,
               Messages &messages);

    static QString fileName(Format format);
    QString path() const { return m_file.fileName(); }

    // Starts the file with its header; false, and the user told, when it cannot be written.
    bool open();
    bool add(const store::Row &row);
    ProgressProcess::Handler handler();
    // Gives the file its name when `complete` (every record was read) and everything was written;
    // else throws it away. True only when the file is in place.
    bool finish(bool complete);
    std::int64_t recordsWritten() const { return m_records; }

private:
    QStringList cells(const store::Row &row) const;
    QString headerText() const;
    QString recordText(const store::Row &row) const;
    QString footerText() const;
    bool write(const QString &text);
    void tellWriteFailure();

    Format m_format;
    std::vector<BrowseColumn> m_columns;
    QString m_title;
    Messages &m_messages;
    QSaveFile m_file;
    bool m_failed = false;
    std::int64_t m_records = 0;
};

} // namespace vellum
