#include "ClientImport.h"

#include "framework/ApplicationMessage.h"
#include "framework/CsvLine.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

using namespace Qt::StringLiterals;

namespace vellum {

namespace {

constexpr qsizetype ShortNameLength = 6;
constexpr qsizetype RunningNumberStem = 4;
constexpr qsizetype FullNameLength = 50;
constexpr qsizetype LinesPerTransaction = 500;

// Address books write UTF-8 or, older ones, a Windows code page.
QString decoded(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringConverter::Utf8);
    QString text = utf8(bytes);
    if (!utf8.hasError())
        return text;
    QStringDecoder latin(QStringConverter::Latin1);
    return latin(bytes);
}

} // namespace

const QString ClientImport::NotFoundMessage = u"File cannot be found in choosen directory"_s;
const QString ClientImport::AllImported = u"Import finished - All Data Succesvolly Imported/Updated!"_s;
const QString ClientImport::NothingImported = u"No CSV File! Nothing imported..."_s;

QString ClientImport::withErrors(int rejected)
{
    return u"Import finished with Error(s) : "_s + QString::number(rejected) + u" Records not accepted..."_s;
}

ClientImport::ClientImport(store::Database &database, ErrorReporter &errors, const Clock &clock, Messages &messages)
    : m_clients(database, errors), m_probe(database, errors), m_clock(clock), m_messages(messages)
{
}

bool ClientImport::run(const QString &path, const Progress &progress)
{
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) {
        ApplicationMessage::show(m_messages, NotFoundMessage);
        return false;
    }
    if (!m_clients.open().ok() || !m_probe.open().ok())
        return false;
    m_log = std::make_unique<ImportErrorLog>(QFileInfo(path).absolutePath(), m_clock, m_messages);
    const QString text = decoded(file.readAll());
    const QList<QStringView> lines = QStringView(text).split(u'\n');
    // The header is skipped, and so is the empty rest after the last line end.
    const qsizetype end = !lines.isEmpty() && lines.last().isEmpty() ? lines.size() - 1 : lines.size();
    for (qsizetype number = 1; number < end; ++number) {
        if (progress)
            progress(int(number + 1), int(end));
        if ((number - 1) % LinesPerTransaction == 0)
            beginBatch();
        QStringView line = lines.at(number);
        if (line.endsWith(u'\r'))
            line.chop(1);
        importLine(line);
        if (number % LinesPerTransaction == 0 || number + 1 == end)
            commitBatch();
    }
    m_clients.close();
    m_probe.close();
    return true;
}

void ClientImport::importLine(QStringView text)
{
    const std::optional<ClientImportLine> line = ClientImportLine::read(text);
    if (!line)
        reject(Rejection::NoCsvRecord, nullptr);
    else if (!store(*line))
        reject(Rejection::DoubleKey, &*line);
}

// A write of its own for every line waits for the disk each time: the lines are stored a few
// hundred at a time, and each line that fails only takes back its own change.
void ClientImport::beginBatch()
{
    m_batch = {m_added, m_updated, m_clients.database().begin().ok()};
}

// A batch that cannot be committed stored nothing: its clients count as not accepted.
void ClientImport::commitBatch()
{
    if (!m_batch.open)
        return;
    m_batch.open = false;
    if (m_clients.database().commit().ok())
        return;
    m_clients.database().rollback();
    const int lost = (m_added - m_batch.added) + (m_updated - m_batch.updated);
    m_added = m_batch.added;
    m_updated = m_batch.updated;
    m_rejected += lost;
    if (lost > 0)
        m_lastRejection = Rejection::DoubleKey;
}

ClientImport::Match ClientImport::match(const QString &fullName, const QString &email)
{
    m_clients.record().LName = fullName;
    if (m_clients.fetch(ClientRecord::KeyFullName).ok())
        return CsvLine::withoutTrailingBlanks(m_clients.record().Email) == CsvLine::withoutTrailingBlanks(email)
                   ? Match::SameEmail
                   : Match::OtherEmail;
    return m_clients.lastError() == RecordResult::Ok ? Match::None : Match::ReadFailed;
}

bool ClientImport::store(const ClientImportLine &line)
{
    switch (match(line.fullName, line.Email)) {
    case Match::SameEmail:
        return update(line);
    case Match::None:
        return insert(line, line.fullName);
    case Match::ReadFailed:
        return false;
    case Match::OtherEmail:
        break;
    }
    const QString numbered = QString(line.fullName + QString::number(++m_duplicates)).left(FullNameLength);
    // The same file imported again finds the numbered client it added the last time.
    return match(numbered, line.Email) == Match::SameEmail ? update(line) : insert(line, numbered);
}

bool ClientImport::insert(const ClientImportLine &line, const QString &fullName)
{
    // A new client gets what the client form gives a new client, the file's data on top.
    if (!m_clients.primeRecord().ok())
        return false;
    ClientRecord &client = m_clients.record();
    client.SName = uniqueShortName(fullName);
    client.LName = fullName;
    client.Contact = line.contact;
    client.Email = line.Email;
    line.copyContactData(client);
    if (!m_clients.tryInsert().ok())
        return false;
    ++m_added;
    return true;
}

bool ClientImport::update(const ClientImportLine &line)
{
    line.copyContactData(m_clients.record());
    if (!m_clients.tryUpdate().ok())
        return false;
    ++m_updated;
    return true;
}

// The first six characters of the full name; while taken, fewer of them and a running number,
// always within six characters: four and 1 to 99, three and 100 to 999, and so on. The numbers
// this import found taken are not tried again: many companies of the same first letters would
// otherwise cost a look-up for every number before theirs.
QString ClientImport::uniqueShortName(const QString &fullName)
{
    const QString first = CsvLine::withoutTrailingBlanks(fullName.left(ShortNameLength));
    QString candidate = first;
    int &next = m_nextNumber[first.toCaseFolded()];
    for (int number = std::max(next, 1); shortNameTaken(candidate); ++number) {
        const QString digits = QString::number(number);
        if (digits.size() > ShortNameLength)
            break; // every name taken: the insert reports the double key
        const qsizetype stem = std::min(RunningNumberStem, ShortNameLength - digits.size());
        candidate = CsvLine::withoutTrailingBlanks(first.left(stem)) + digits;
        next = number + 1;
    }
    return candidate;
}

bool ClientImport::shortNameTaken(const QString &shortName)
{
    m_probe.record().SName = shortName;
    return m_probe.fetch(ClientRecord::SNameKey).ok();
}

void ClientImport::reject(Rejection why, const ClientImportLine *line)
{
    ++m_rejected;
    m_lastRejection = why;
    if (why == Rejection::NoCsvRecord)
        m_log->append(ImportErrorLog::NoCsvRecord);
    else
        m_log->append(ImportErrorLog::DoubleKey, line->displayName + u" - "_s + line->emailText);
}

QString ClientImport::outcome() const
{
    if (m_rejected == 0)
        return AllImported;
    if (m_lastRejection == Rejection::NoCsvRecord && m_added == 0 && m_updated == 0)
        return NothingImported;
    return withErrors(m_rejected);
}

} // namespace vellum
