#include "Automation.h"

#include "AutomatedCase.h"
#include "shell/MainFrame.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDateTime>
#include <QEvent>
#include <QFile>
#include <QLineEdit>
#include <QMainWindow>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace vellum {

namespace {

Automation *installed = nullptr;

// One line per event: line breaks of message texts are written as "\r" and "\n".
QString oneLine(QString text)
{
    return text.replace(u"\r"_s, u"\\r"_s).replace(u"\n"_s, u"\\n"_s);
}

} // namespace

void Automation::installFromEnvironment()
{
    const QString file = qEnvironmentVariable("VELLUM_AUTOMATION");
    if (file.isEmpty() || installed != nullptr)
        return;
    installed = new Automation(file, qEnvironmentVariable("VELLUM_AUTOMATION_LOGON"),
                               qEnvironmentVariable("VELLUM_AUTOMATION_CASE"),
                               qEnvironmentVariableIntValue("VELLUM_AUTOMATION_CLOSE") != 0);
    qApp->installEventFilter(installed);
}

void Automation::noteExit(int exitCode)
{
    if (installed != nullptr)
        installed->note(u"exit"_s, QString::number(exitCode));
}

Automation::Automation(QString file, QString logon, QString caseScript, bool closeFrame)
    : QObject(qApp), m_file(std::move(file)), m_logon(std::move(logon)), m_caseScript(std::move(caseScript)),
      m_closeFrame(closeFrame)
{
}

bool Automation::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Show && watched->isWidgetType()) {
        auto *widget = static_cast<QWidget *>(watched);
        if (widget->isWindow())
            noticeWindow(widget);
    }
    return false;
}

void Automation::noticeWindow(QWidget *window)
{
    // Acting on a window waits until it is fully shown and its own event loop runs.
    QPointer<QWidget> shown(window);
    if (auto *box = qobject_cast<QMessageBox *>(window)) {
        note(u"message"_s, oneLine(box->text()));
        QTimer::singleShot(0, box, [box] { answerMessage(box); });
        return;
    }
    note(u"shown"_s, window->objectName() + u'\t' + window->windowTitle());
    if (!m_logon.isEmpty() && window->windowTitle().endsWith(u" - Logon"_s))
        QTimer::singleShot(0, window, [this, shown] { answerLogon(shown); });
    else if (qobject_cast<QMainWindow *>(window) != nullptr)
        QTimer::singleShot(0, window, [this, shown] { actInFrame(shown); });
}

// The case script first, then the closing, each once.
void Automation::actInFrame(QWidget *frame)
{
    const auto close = [this, frame = QPointer<QWidget>(frame)] {
        if (m_closeFrame && frame)
            frame->close();
    };
    auto *mainFrame = qobject_cast<MainFrame *>(frame);
    if (m_caseScript.isEmpty() || mainFrame == nullptr) {
        close();
        return;
    }
    const QString script = std::exchange(m_caseScript, QString());
    auto *agent = new AutomatedCase(
        mainFrame, script, [this](const QString &kind, const QString &text) { note(kind, text); }, close);
    agent->start();
}

void Automation::note(const QString &kind, const QString &text) const
{
    QFile file(m_file);
    if (!file.open(QIODevice::Append | QIODevice::Text))
        return;
    file.write(u"%1\t%2\t%3\n"_s.arg(QDateTime::currentMSecsSinceEpoch()).arg(kind, text).toUtf8());
}

void Automation::answerLogon(QWidget *window) const
{
    const QString name = m_logon.section(u':', 0, 0);
    const QString password = m_logon.section(u':', 1);
    auto *names = window->findChild<QComboBox *>(u"name"_s);
    auto *entry = window->findChild<QLineEdit *>(u"password"_s);
    auto *ok = window->findChild<QPushButton *>(u"ok"_s);
    if (names == nullptr || entry == nullptr || ok == nullptr) {
        note(u"failed"_s, u"logon window without name, password or OK"_s);
        return;
    }
    names->setCurrentIndex(names->findText(name, Qt::MatchFixedString));
    entry->setText(password);
    ok->click();
}

void Automation::answerMessage(QMessageBox *box)
{
    if (QAbstractButton *button = box->defaultButton() ? box->defaultButton() : box->escapeButton())
        button->click();
    else
        box->accept();
}

} // namespace vellum
