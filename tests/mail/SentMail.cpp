#include "SentMail.h"

#include <vmime/attachment.hpp>
#include <vmime/contentHandler.hpp>
#include <vmime/message.hpp>
#include <vmime/messageParser.hpp>
#include <vmime/textPart.hpp>
#include <vmime/utility/outputStreamStringAdapter.hpp>

using namespace Qt::StringLiterals;

namespace vellum::test {

namespace {

// A subject is a text of several words, an attachment's name a single word.
template<typename Words>
QString converted(const Words &text)
{
    return QString::fromStdString(text.getConvertedText(vmime::charsets::UTF_8));
}

QString contentOf(const vmime::contentHandler &content)
{
    std::string bytes;
    vmime::utility::outputStreamStringAdapter out(bytes);
    content.extract(out);
    return QString::fromStdString(bytes).replace(u"\r\n"_s, u"\n"_s);
}

} // namespace

SentMail::SentMail(const QByteArray &raw)
{
    for (const QByteArray &line : raw.split('\n')) {
        if (line.startsWith("X-Envelope-To: "))
            envelopeTo = QString::fromUtf8(line.mid(15).trimmed()).split(u", "_s);
    }
    auto parsed = vmime::make_shared<vmime::message>();
    parsed->parse(raw.toStdString());
    const vmime::messageParser parser(parsed);
    subject = converted(parser.getSubject());
    if (parser.getTextPartCount() > 0)
        text = contentOf(*parser.getTextPartAt(0)->getText());
    // A mail of text alone leaves with a line break after its last line.
    if (text.endsWith(u'\n'))
        text.chop(1);
    for (const auto &attachment : parser.getAttachmentList())
        attachmentNames.append(converted(attachment->getName()));
}

} // namespace vellum::test
