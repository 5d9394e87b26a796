#include "ImportErrorLog.h"

#include "framework/ApplicationMessage.h"
#include "framework/Clock.h"

#include <QFile>

using namespace Qt::StringLiterals;

namespace vellum {

namespace {

constexpr qsizetype LineLength = 255;
constexpr qsizetype ReasonWidth = 32;

} // namespace

const QString ImportErrorLog::FileName = u"ImportError.log"_s;
const QString ImportErrorLog::DoubleKey = u"Double key"_s;
const QString ImportErrorLog::NoCsvRecord = u"No CSV Record"_s;

ImportErrorLog::ImportErrorLog(const QString &folder, const Clock &clock, Messages &messages)
    : m_path(folder + u'/' + FileName), m_clock(clock), m_messages(messages)
{
}

QString ImportErrorLog::line(const QString &reason, const QString &detail) const
{
    QString text = DateTime::toDate(m_clock.today()).toString(u"dd/MM/yyyy"_s) + u" - "_s
                   + DateTime::toTime(m_clock.now()).toString(u"hh:mm:ss"_s) + u" - Error :"_s
                   + reason.leftJustified(ReasonWidth, u' ');
    if (!detail.isNull())
        text += u" - "_s + detail;
    return text.left(LineLength);
}

void ImportErrorLog::append(const QString &reason, const QString &detail)
{
    QFile log(m_path);
    const QByteArray bytes = (line(reason, detail) + u'\n').toUtf8();
    if (log.open(QIODevice::WriteOnly | QIODevice::Append) && log.write(bytes) == bytes.size() && log.flush())
        return;
    if (!m_told)
        ApplicationMessage::show(m_messages, log.errorString(), MessageIcon::Exclamation);
    m_told = true;
}

} // namespace vellum
