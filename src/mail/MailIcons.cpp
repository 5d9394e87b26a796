#include "MailIcons.h"

using namespace Qt::StringLiterals;

// The pictures live in a static library: they are registered before the first window needs them.
static void registerMailPictures()
{
    Q_INIT_RESOURCE(mail);
}

namespace vellum::MailIcons {

namespace {

QIcon picture(const QString &path)
{
    static const bool registered = (registerMailPictures(), true);
    Q_UNUSED(registered);
    return QIcon(path);
}

} // namespace

QIcon withAttachments()
{
    return picture(u":/icons/attach1.png"_s);
}

QIcon letter()
{
    return picture(u":/icons/letter.png"_s);
}

QIcon send()
{
    return picture(u":/icons/send.png"_s);
}

QIcon addressBook()
{
    return picture(u":/icons/addressbook.png"_s);
}

} // namespace vellum::MailIcons
