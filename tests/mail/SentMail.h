#pragma once
// A mail as the SMTP server took it, read by the mail library's own parser: the envelope's
// recipients, the subject, the text and the attachments' names.

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace vellum::test {

struct SentMail {
    QStringList envelopeTo;
    QString subject;
    QString text; // line ends as "\n"
    QStringList attachmentNames;

    explicit SentMail(const QByteArray &raw);
};

} // namespace vellum::test
