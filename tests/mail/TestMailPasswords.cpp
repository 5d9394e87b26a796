#include "ScriptedMailDialogs.h"
#include "framework/SettingsFile.h"
#include "mail/MailAccount.h"
#include "mail/MailPasswords.h"
#include "mail/SecretToolStore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;
using namespace vellum;
using vellum::test::ScriptedMailDialogs;

namespace {

const MailLogin Ann{u"smtp"_s, u"mail.desk.example"_s, u"ann"_s};
const QString AnnAttributes = u"application quor-vellum protocol smtp server mail.desk.example user ann"_s;

// A keyring that keeps each secret in a file named after its attributes and logs every call.
QByteArray keyringScript(const QString &folder)
{
    return (u"#!/bin/sh\n"
            "folder='"_s
            + folder
            + u"'\n"
              "echo \"$*\" >> \"$folder/calls.log\"\n"
              "command=$1; shift\n"
              "[ \"$command\" = store ] && shift\n"
              "key=keyring-$(echo \"$*\" | tr ' /:@' '____')\n"
              "case \"$command\" in\n"
              "  lookup) [ -f \"$folder/$key\" ] || exit 1; cat \"$folder/$key\" ;;\n"
              "  store) cat > \"$folder/$key\" ;;\n"
              "  clear) rm -f \"$folder/$key\" ;;\n"
              "  *) exit 2 ;;\n"
              "esac\n"_s)
        .toUtf8();
}

} // namespace

class TestMailPasswords : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void withoutKeyringAskedOncePerRun();
    void cancelledPromptIsNotRemembered();
    void keptInTheKeyringOnceAccepted();
    void refusedPasswordIsForgottenEverywhere();
    void neverInTheSettingsFile();

private:
    std::unique_ptr<SecretStore> keyring() const;
    QStringList keyringCalls() const;
    QStringList secretsInKeyring() const;

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<ScriptedMailDialogs> m_dialogs;
};

void TestMailPasswords::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    QFile script(m_dir->filePath(u"secret-tool"_s));
    QVERIFY(script.open(QIODevice::WriteOnly));
    script.write(keyringScript(m_dir->path()));
    script.close();
    QVERIFY(script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    m_dialogs = std::make_unique<ScriptedMailDialogs>();
}

void TestMailPasswords::cleanup()
{
    QCOMPARE(m_dialogs->failures(), QStringList());
}

std::unique_ptr<SecretStore> TestMailPasswords::keyring() const
{
    return std::make_unique<SecretToolStore>(m_dir->filePath(u"secret-tool"_s));
}

QStringList TestMailPasswords::keyringCalls() const
{
    QFile log(m_dir->filePath(u"calls.log"_s));
    if (!log.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(log.readAll()).split(u'\n', Qt::SkipEmptyParts);
}

QStringList TestMailPasswords::secretsInKeyring() const
{
    QStringList secrets;
    for (const QString &name : QDir(m_dir->path()).entryList({u"keyring-*"_s}, QDir::Files)) {
        QFile file(m_dir->filePath(name));
        if (file.open(QIODevice::ReadOnly))
            secrets.append(QString::fromUtf8(file.readAll()));
    }
    return secrets;
}

void TestMailPasswords::withoutKeyringAskedOncePerRun()
{
    m_dialogs->answerPassword(u"first run"_s);
    m_dialogs->answerPassword(u"second run"_s);
    {
        MailPasswords run(*m_dialogs, nullptr);
        QCOMPARE(run.password(Ann), std::optional<QString>(u"first run"_s));
        run.accepted(Ann);
        QCOMPARE(run.password(Ann), std::optional<QString>(u"first run"_s));
    }
    MailPasswords nextRun(*m_dialogs, nullptr);
    QCOMPARE(nextRun.password(Ann), std::optional<QString>(u"second run"_s));

    const PasswordRequest asked{u"smtp"_s, u"mail.desk.example"_s, u"ann"_s, false};
    QCOMPARE(m_dialogs->passwordRequests(), (QList<PasswordRequest>{asked, asked}));
}

void TestMailPasswords::cancelledPromptIsNotRemembered()
{
    m_dialogs->answerPassword(std::nullopt);
    m_dialogs->answerPassword(u"now"_s);
    MailPasswords run(*m_dialogs, nullptr);

    QCOMPARE(run.password(Ann), std::nullopt);
    QCOMPARE(run.password(Ann), std::optional<QString>(u"now"_s));
}

void TestMailPasswords::keptInTheKeyringOnceAccepted()
{
    m_dialogs->answerPassword(u"s3cret ü"_s);
    {
        MailPasswords run(*m_dialogs, keyring());
        QCOMPARE(run.password(Ann), std::optional<QString>(u"s3cret ü"_s));
        QCOMPARE(secretsInKeyring(), QStringList());
        run.accepted(Ann);
        QCOMPARE(secretsInKeyring(), QStringList{u"s3cret ü"_s});
    }
    MailPasswords nextRun(*m_dialogs, keyring());
    QCOMPARE(nextRun.password(Ann), std::optional<QString>(u"s3cret ü"_s));

    const PasswordRequest asked{u"smtp"_s, u"mail.desk.example"_s, u"ann"_s, true};
    QCOMPARE(m_dialogs->passwordRequests(), QList<PasswordRequest>{asked});
    QCOMPARE(keyringCalls(),
             (QStringList{u"lookup "_s + AnnAttributes,
                          u"store --label=Quor Vellum mail: smtp://ann@mail.desk.example "_s + AnnAttributes,
                          u"lookup "_s + AnnAttributes}));
}

void TestMailPasswords::refusedPasswordIsForgottenEverywhere()
{
    QVERIFY(keyring()->store(Ann, u"outdated"_s));
    m_dialogs->answerPassword(u"renewed"_s);
    MailPasswords run(*m_dialogs, keyring());
    QCOMPARE(run.password(Ann), std::optional<QString>(u"outdated"_s));

    run.refused(Ann);

    QCOMPARE(secretsInKeyring(), QStringList());
    QCOMPARE(run.password(Ann), std::optional<QString>(u"renewed"_s));
    QCOMPARE(keyringCalls().last(), u"lookup "_s + AnnAttributes);
    QVERIFY(keyringCalls().contains(u"clear "_s + AnnAttributes));
}

void TestMailPasswords::neverInTheSettingsFile()
{
    SettingsFile settings(m_dir->filePath(u"vellum12.ini"_s));
    MailAccount account;
    account.outgoing = OutgoingMail::Smtp;
    account.smtp = {u"mail.desk.example"_s, 587, MailSecurity::StartTls, u"ann"_s};
    account.senderAddress = u"ann@desk.example"_s;
    m_dialogs->answerPassword(u"Kennwort-4711"_s);
    MailPasswords run(*m_dialogs, keyring());
    QVERIFY(run.password(Ann).has_value());
    run.accepted(Ann);

    QVERIFY(account.write(settings));

    QFile file(settings.path());
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    QVERIFY(text.contains("SmtpUser=ann"));
    QVERIFY(!text.contains("Kennwort-4711"));
    QCOMPARE(secretsInKeyring(), QStringList{u"Kennwort-4711"_s});
}

QTEST_GUILESS_MAIN(TestMailPasswords)
#include "TestMailPasswords.moc"
