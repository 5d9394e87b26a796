#include "CaseExport.h"

#include "CaseExportLine.h"
#include "framework/ApplicationMessage.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace vellum {

const QString CaseExport::FileName = u"cases.csv"_s;
const QString CaseExport::HeldMessage = u" Unable to create Export file - file held by other application"_s;
const QString CaseExport::WriteFailedMessage = u" Unable to write Export file - %1"_s;

CaseExport::CaseExport(store::Database &database, ErrorReporter &errors, const Clock &clock, Messages &messages,
                       const QString &path)
    : m_cases(database, errors, false), m_process(m_cases, clock), m_messages(messages), m_file(path)
{
    m_process.setNoRecordsMessage(false); // an empty case file gives an empty export file
    m_process.setSelection([this](const RecordFile &) { return m_cases.record().CaseNr != 0; });
    m_process.setHandler([this](RecordFile &) { return writeCase(m_cases.record()); });
}

bool CaseExport::open()
{
    if (m_file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return true;
    ApplicationMessage::show(m_messages, HeldMessage, MessageIcon::Exclamation);
    return false;
}

bool CaseExport::writeCase(const CaseRecord &record)
{
    const QByteArray bytes = (CaseExportLine::line(record) + u"\r\n"_s).toUtf8();
    if (m_file.write(bytes) != bytes.size()) {
        reportWriteFailure();
        return false;
    }
    ++m_lines;
    return true;
}

void CaseExport::reportWriteFailure()
{
    m_writeFailed = true;
    ApplicationMessage::show(m_messages, WriteFailedMessage.arg(m_file.errorString()), MessageIcon::Exclamation);
}

bool CaseExport::finish()
{
    if (!m_file.isOpen())
        return false;
    if (!m_writeFailed && !m_file.flush())
        reportWriteFailure();
    m_file.close();
    const bool done = !m_writeFailed && m_process.reachedEnd();
    if (!done && QFileInfo(m_file.fileName()).isFile()) // never a device such as /dev/full
        m_file.remove();
    return done;
}

} // namespace vellum
