#include "ScriptedDialogs.h"

using namespace Qt::StringLiterals;

namespace vellum::test {

namespace {

QString kindName(ScriptedDialogs::Kind kind)
{
    switch (kind) {
    case ScriptedDialogs::Kind::Folder:
        return u"folder"_s;
    case ScriptedDialogs::Kind::OpenFile:
        return u"open file"_s;
    case ScriptedDialogs::Kind::SaveFile:
        return u"save file"_s;
    case ScriptedDialogs::Kind::Color:
        return u"colour"_s;
    case ScriptedDialogs::Kind::PrinterSetup:
        return u"printer set-up"_s;
    }
    return {};
}

} // namespace

void ScriptedDialogs::answerFolder(const QString &path)
{
    m_answers.append({Kind::Folder, path});
}

void ScriptedDialogs::answerOpenFile(const QString &path)
{
    m_answers.append({Kind::OpenFile, path});
}

void ScriptedDialogs::answerSaveFile(const QString &path)
{
    m_answers.append({Kind::SaveFile, path});
}

void ScriptedDialogs::answerColor(int bgr)
{
    m_answers.append({Kind::Color, {}, bgr, true});
}

void ScriptedDialogs::cancelColor()
{
    m_answers.append({Kind::Color, {}, 0, false});
}

void ScriptedDialogs::answerPrinterSetup(bool accepted)
{
    m_answers.append({Kind::PrinterSetup, {}, 0, accepted});
}

QString ScriptedDialogs::chooseFolder(const QString &title, const QString &start)
{
    return take({Kind::Folder, title, start, {}}).path;
}

QString ScriptedDialogs::openFile(const QString &title, const QString &folder, const QString &filter)
{
    return take({Kind::OpenFile, title, folder, filter}).path;
}

QString ScriptedDialogs::saveFile(const QString &title, const QString &folder, const QString &filter)
{
    return take({Kind::SaveFile, title, folder, filter}).path;
}

int ScriptedDialogs::chooseColor(const QString &title, int initialBgr, bool *ok)
{
    const Answer answer = take({Kind::Color, title, {}, {}});
    if (ok)
        *ok = answer.accepted;
    return answer.accepted ? answer.color : initialBgr;
}

bool ScriptedDialogs::printerSetup()
{
    return take({Kind::PrinterSetup, {}, {}, {}}).accepted;
}

const QList<ScriptedDialogs::Request> &ScriptedDialogs::requests() const
{
    return m_requests;
}

QStringList ScriptedDialogs::failures() const
{
    QStringList failures = m_failures;
    for (const Answer &answer : m_answers)
        failures.append(u"%1 dialog expected but not shown"_s.arg(kindName(answer.kind)));
    return failures;
}

QString ScriptedDialogs::unexpected() const
{
    return failures().join(u'\n');
}

ScriptedDialogs::Answer ScriptedDialogs::take(const Request &request)
{
    m_requests.append(request);
    if (!m_answers.isEmpty() && m_answers.first().kind == request.kind)
        return m_answers.takeFirst();
    m_failures.append(u"unexpected %1 dialog \"%2\""_s.arg(kindName(request.kind), request.title));
    return {request.kind, {}, 0, false};
}

} // namespace vellum::test
